#pragma once
#include <memory>

#include "platform/ui/Dialog.h"
#include "platform/ui/testing/GTestScript.h"
#include "spreadsheet/Nx_Spread.h"

// A sheet attached to a placeholder of an open dialog, with the headless
// script answering every box and dialog it opens.
struct SpreadTestHost {
  static constexpr int kPlaceholder = 1000;

  explicit SpreadTestHost(int cols = 3, int rows = 5) {
    dialog.create();
    auto placeholder = std::make_unique<ui::Window>();
    placeholder->setId(kPlaceholder);
    placeholder->setRect({10, 10, 410, 210});
    dialog.addChild(std::move(placeholder));
    spread.attachToItem(&dialog, kPlaceholder);
    spread.setMaxCols(cols);
    spread.setMaxRows(rows);
  }
  // Column col holds texts[i] in row i + 1.
  void fillColumn(int col, const Nx_StringArray& texts) {
    spread.setColumnValues(col, texts, false);
  }
  Nx_String text(int col, int row, int kind = Nx_Spread::kData) const {
    Nx_String t;
    spread.getCellText(col, row, t, kind);
    return t;
  }

  ui::test::GTestScript script;
  ui::Dialog dialog;
  Nx_Spread spread;
};
