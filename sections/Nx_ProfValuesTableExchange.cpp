// The table in a sheet and in the section-table manager.
#include "core/sections/Nx_SectionTableManager.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/SheetContent.h"
#include "sections/Nx_ProfValuesTable.h"
#include "spreadsheet/Nx_Spread.h"

namespace {
constexpr int kIncludeColumn = 2;  // in the sheet, counted from 1
}

bool Nx_ProfValuesTable::setToSS(Nx_Spread& sheet) const {
  grid::Sheet* model = sheet.sheet();
  if (!model) return false;
  model->setBool(grid::kOptionRedraw, false);
  sheet.setMaxRows(0);
  sheet.setMaxCols(0);
  if (rows.isEmpty()) {
    model->setBool(grid::kOptionRedraw, true);
    return false;
  }
  sheet.setMaxRows(rows.length());
  sheet.setMaxCols(columnNames.length());
  sheet.setCheckColumn(kIncludeColumn, false, false);
  sheet.setColumnHeaders(columnNames);
  Nx_StringArray headers;
  for (int i = 0; i < rows.length(); ++i) headers.append(tableName);
  sheet.setRowHeaders(headers);
  for (int i = 0; i < rows.length(); ++i) sheet.setRowValues(i + 1, rows[i], false);
  sheet.fitAll();
  for (int c = 1; c <= columnNames.length(); ++c) {
    sheet.fitColumnWidth(c);
    // The fit leaves no room for the cell's margins on the desktop: one character more.
    model->setColWidth(c, model->colWidth(c) + 1);
  }
  model->setBool(ui::kSpreadOptionChanged, false);
  model->setBool(grid::kOptionRedraw, true);
  return true;
}

bool Nx_ProfValuesTable::getFromSS(Nx_Spread& sheet) {
  int rowCount = sheet.getMaxRows(), colCount = sheet.getMaxCols();
  if (rowCount <= 0 || colCount <= 0) return false;
  sheet.getColumnHeaders(columnNames);
  Nx_String header;
  sheet.getCellText(Nx_Spread::kHeader, 1, header, Nx_Spread::kValue);
  tableName = header;
  Nx_Array<Nx_StringArray> read(rows.growLength());
  for (int r = 1; r <= rowCount; ++r) {
    Nx_StringArray row;
    for (int c = 1; c <= colCount; ++c) {
      Nx_String text;
      sheet.getCellText(c, r, text, Nx_Spread::kValue);
      row.append(text);
    }
    read.append(std::move(row));
  }
  rows = std::move(read);
  return true;
}

Acad::ErrorStatus Nx_ProfValuesTable::setToGlobals(Nx_SectionTableManager* manager) const {
  if (!manager) return Acad::eInvalidInput;
  Nx_String file = tableName + ".pr";
  Nx_String templ = templateName.find('.') >= 0 ? "Prof\\" + templateName : templateName;
  Nx_StringArray columns = columnNames;
  if (columns.length() > 1) columns.removeAt(1);
  Nx_Array<Nx_StringArray> sizes(rows.growLength());
  for (const Nx_StringArray& row : rows) {
    Nx_StringArray size;
    size.items().reserve(row.items().size());
    for (int i = 0; i < row.length(); ++i)
      if (i != 1 || row.length() == 1) size.append(row[i]);
    sizes.append(std::move(size));
  }
  if (manager->hasTable(tableName)) manager->removeTable(tableName);
  return manager->addSectionTable(file, templ, columns, std::move(sizes));
}
