#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "resources/dialogs/DLG_CIS2INFO.h"
#include "resources/dialogs/DLG_GRID.h"
#include "resources/dialogs/DLG_SECTIONTRANSLATION.h"
#include "resources/dialogs/DLG_VALUE.h"

namespace {
const int kTemplates[] = {dlg_grid::kTemplateId, dlg_cis2info::kTemplateId, dlg_value::kTemplateId,
                          dlg_sectiontranslation::kTemplateId};
}  // namespace

// Every template in resources/ is embedded into the module and reads cleanly.
TEST(ModuleTemplates, AllRegisterWithoutErrors) {
  for (const auto& e : ui::Resources::errors()) ADD_FAILURE() << e;
  for (int id : kTemplates) {
    const ui::DialogTemplate* t = ui::Resources::findTemplate(id);
    ASSERT_NE(t, nullptr) << id;
    EXPECT_FALSE(t->name.empty()) << id;
    // Every dialog can be left: an OK or Cancel button, inside the dialog.
    EXPECT_TRUE(t->findItem(ui::IDOK) || t->findItem(ui::IDCANCEL)) << id;
    for (const auto& item : t->items) {
      EXPECT_LE(item.rect.right, t->size.width) << t->name << " item " << item.id;
      EXPECT_LE(item.rect.bottom, t->size.height) << t->name << " item " << item.id;
    }
  }
  EXPECT_EQ(ui::Resources::iconName(212), "add");
}

// Tab goes the way one reads: down the dialog, and left to right along a row.
TEST(ModuleTemplates, TabOrderFollowsReadingOrder) {
  for (int id : kTemplates) {
    const ui::DialogTemplate* t = ui::Resources::findTemplate(id);
    ASSERT_NE(t, nullptr);
    const ui::DialogItemTemplate* previous = nullptr;
    for (const auto& item : t->items) {
      if (!(item.style & ui::WS_TABSTOP)) continue;
      if (previous) {
        bool sameRow = std::abs(item.rect.top - previous->rect.top) <= 4;
        bool below = item.rect.top > previous->rect.top + 4;
        EXPECT_TRUE(below || (sameRow && item.rect.left > previous->rect.left))
            << t->name << ": item " << item.id << " after " << previous->id;
      }
      previous = &item;
    }
  }
}
