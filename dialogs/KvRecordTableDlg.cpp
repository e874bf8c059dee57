#include "dialogs/KvRecordTableDlg.h"

#include <algorithm>

#include "core/dialString.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_FIELDSET.h"
#include "resources/dialogs/DLG_SS_STRINGARRAY.h"

using namespace dlg_ss_stringarray;

// One controller drives both templates: their shared controls carry the same ids.
static_assert(dlg_fieldset::IDC_HEADING == IDC_HEADING && dlg_fieldset::IDC_TABLE == IDC_TABLE);

namespace {
// Fields layout: the caption column and the value column.
constexpr int kCaptionCol = 1, kValueCol = 2;
}  // namespace

KvRecordTableDlg::KvRecordTableDlg(KvTableLayout def, const Rows& rows)
    : Dialog(def.layout == KvTableLayout::Layout::Fields ? dlg_fieldset::kTemplateId : kTemplateId),
      layout_(std::move(def)),
      rows_(rows) {
  const int width = static_cast<int>(layout_.fields.size());
  for (int r = 0; r < rows_.length(); ++r) rows_[r].setLength(width);
  if (byFields() && rows_.isEmpty()) rows_.append(defaults(layout_.fields));
  onClicked(IDC_ADD, [this] { addRow(); });
  onClicked(IDC_REMOVE, [this] { removeRow(); });
  onClicked(IDC_UP, [this] { moveRow(-1); });
  onClicked(IDC_DOWN, [this] { moveRow(1); });
}

Nx_StringArray KvRecordTableDlg::defaults(const std::vector<KvFieldDef>& fields) {
  Nx_StringArray values;
  for (const KvFieldDef& f : fields) {
    switch (f.kind) {
      case KvFieldDef::Kind::Int:
      case KvFieldDef::Kind::Number:
        values.append(numberText(std::clamp(0.0, f.min, f.max)));
        break;
      case KvFieldDef::Kind::Choice:
        values.append(f.choices.isEmpty() ? Nx_String() : f.choices[0]);
        break;
      case KvFieldDef::Kind::Check:
        values.append(checkText(false));
        break;
      default:
        values.append("");
    }
  }
  return values;
}

bool KvRecordTableDlg::onInitDialog() {
  if (!layout_.caption.isEmpty()) setText(layout_.caption);
  setItemText(IDC_HEADING, layout_.heading);
  showItem(IDC_HEADING, !layout_.heading.isEmpty());
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  bool rowButtons = !byFields() && layout_.rowsEditable && layout_.editable;
  for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}) showItem(id, rowButtons);
  if (!layout_.editable) showItem(ui::IDCANCEL, false);
  if (grid_.attachToItem(this, IDC_TABLE)) grid_.initAppearance(0);
  layoutRules();
  fill(1);
  return true;
}

void KvRecordTableDlg::layoutRules() {
  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add(IDC_TABLE, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::dialog(R::Edge::Bottom));
  resizer().add(IDC_HEADING, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  if (!byFields())
    resizer().add({IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}, R::keepWidth(), R::dialog(R::Edge::Top),
                  R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
}

void KvRecordTableDlg::fill(int activeRow) {
  if (!grid_.isAttached()) return;
  const int fields = static_cast<int>(layout_.fields.size());
  grid_.setMaxRows(0);
  if (byFields()) {
    grid_.setMaxCols(2);
    grid_.setColumnHeaders({"Setting", "Value"});
    grid_.setMaxRows(fields);
    for (int f = 0; f < fields; ++f) {
      const KvFieldDef& def = layout_.fields[static_cast<size_t>(f)];
      grid_.setStaticCell(kCaptionCol, f + 1, 0);
      grid_.setCellText(kCaptionCol, f + 1, def.caption);
      grid_.setCellLocked(kCaptionCol, f + 1, true);
      KvFieldDef shown = def;
      shown.readOnly = def.readOnly || !layout_.editable;
      showField(grid_, kValueCol, f + 1, shown, rows_[0][f]);
    }
  } else {
    grid_.setMaxCols(fields);
    Nx_StringArray captions;
    for (const KvFieldDef& f : layout_.fields) captions.append(f.caption);
    grid_.setColumnHeaders(captions);
    grid_.setMaxRows(rows_.length());
    if (!layout_.rowCaptions.isEmpty()) grid_.setRowHeaders(layout_.rowCaptions);
    for (int r = 0; r < rows_.length(); ++r)
      for (int c = 0; c < fields; ++c) {
        KvFieldDef shown = layout_.fields[static_cast<size_t>(c)];
        shown.readOnly = shown.readOnly || !layout_.editable;
        showField(grid_, c + 1, r + 1, shown, rows_[r][c]);
      }
  }
  fitColumns();
  int rows = grid_.getMaxRows();
  grid_.model().setActiveCell(byFields() ? kValueCol : 1,
                              std::clamp(activeRow, 1, std::max(rows, 1)));
}

// Every column as wide as its texts and a little more; room left over is
// shared, so that no single column takes it all.
void KvRecordTableDlg::fitColumns() {
  constexpr int kPadding = 12;
  const int cols = grid_.getMaxCols();
  if (cols < 1) return;
  grid::Sheet& sheet = grid_.model();
  for (int c = 1; c <= cols; ++c) {
    grid_.fitColumnWidth(c);
    sheet.setColWidthInPixels(c, sheet.colWidthInPixels(c) + kPadding);
  }
  const int last = sheet.colWidthInPixels(cols);
  grid_.fitColumnToWindow(cols);
  const int spare = sheet.colWidthInPixels(cols) - last;
  sheet.setColWidthInPixels(cols, last);
  if (spare <= 0) return;
  for (int c = 1; c <= cols; ++c)
    sheet.setColWidthInPixels(
        c, sheet.colWidthInPixels(c) + spare / cols + (c == cols ? spare % cols : 0));
}

void KvRecordTableDlg::collect() {
  if (!grid_.isAttached()) return;
  const int fields = static_cast<int>(layout_.fields.size());
  for (int f = 0; f < fields; ++f) {
    const KvFieldDef& def = layout_.fields[static_cast<size_t>(f)];
    if (byFields()) {
      rows_[0][f] = readField(grid_, kValueCol, f + 1, def);
      continue;
    }
    for (int r = 0; r < rows_.length(); ++r) rows_[r][f] = readField(grid_, f + 1, r + 1, def);
  }
}

bool KvRecordTableDlg::check() {
  const int fields = static_cast<int>(layout_.fields.size());
  for (int r = 0; r < rows_.length(); ++r)
    for (int f = 0; f < fields; ++f) {
      const KvFieldDef& def = layout_.fields[static_cast<size_t>(f)];
      Nx_String problem = fieldProblem(def, rows_[r][f]);
      if (problem.isEmpty()) {
        rows_[r][f] = fieldValue(def, rows_[r][f]);
        continue;
      }
      Nx_String where = byFields() ? def.caption : "Row " + Nx_String(r + 1) + ", " + def.caption;
      ui::messageBox((where + ": enter " + problem + ".").str(), text(),
                     ui::MB_OK | ui::MB_ICONWARNING, this);
      if (grid_.isAttached())
        grid_.model().setActiveCell(byFields() ? kValueCol : f + 1, byFields() ? f + 1 : r + 1);
      return false;
    }
  return true;
}

void KvRecordTableDlg::onOK() {
  if (!layout_.editable) {
    Dialog::onOK();
    return;
  }
  collect();
  if (!check()) return;
  if (accept_) accept_(rows_);
  Dialog::onOK();
}

int KvRecordTableDlg::activeRow() {
  int col = 1, row = 0;
  if (!grid_.isAttached() || !grid_.getActiveCell(col, row)) return 0;
  return row >= 1 && row <= rows_.length() ? row : 0;
}

void KvRecordTableDlg::addRow() {
  if (rows_.length() >= layout_.maxRows) return;
  collect();
  int at = activeRow();  // the new row goes below the active one, or last
  int index = at > 0 ? at : rows_.length();
  rows_.insertAt(index, defaults(layout_.fields));
  fill(index + 1);
}

void KvRecordTableDlg::removeRow() {
  int row = activeRow();
  if (row == 0) return;
  collect();
  rows_.removeAt(row - 1);
  fill(row);
}

void KvRecordTableDlg::moveRow(int by) {
  int row = activeRow();
  int target = row + by;
  if (row == 0 || target < 1 || target > rows_.length()) return;
  collect();
  Nx_StringArray moved = rows_[row - 1];
  rows_[row - 1] = rows_[target - 1];
  rows_[target - 1] = moved;
  fill(target);
}

bool KvRecordTableDlg::edit(const KvTableLayout& def, Rows& rows) {
  KvRecordTableDlg dlg(def, rows);
  if (dlg.doModal() != ui::IDOK) return false;
  if (def.editable) rows = dlg.rows();
  return true;
}

bool KvRecordTableDlg::edit(const KvTableLayout& def, Nx_StringArray& values) {
  Rows rows;
  rows.append(values);
  if (!edit(def, rows)) return false;
  values = rows[0];
  return true;
}
