// The string-table grid: the core's rows of texts under column captions,
// edited in the record table with a text column per caption.
#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "dialogs/KvRecordTableDlg.h"

namespace {
KvTableLayout stringTableLayout(const Nx_StringArray& captions, const Nx_StringArray& rowCaptions,
                              const Nx_Array<Nx_StringArray>& rows, bool editable,
                              const Nx_String& title, const Nx_String& help) {
  KvTableLayout def;
  def.caption = title;
  def.heading = help;
  def.editable = editable;
  def.rowCaptions = rowCaptions;
  // Rows captioned by the caller are a fixed set; plain rows may come and go.
  def.rowsEditable = rowCaptions.isEmpty();
  // A row longer than the captions keeps its extra texts, in uncaptioned columns.
  int columns = captions.length();
  for (const Nx_StringArray& row : rows) columns = std::max(columns, row.length());
  for (int c = 0; c < columns; ++c)
    def.fields.push_back(KvFieldDef::text(captions.isValid(c) ? captions[c] : Nx_String()));
  return def;
}
}  // namespace

bool startGridDialog(const Nx_StringArray& captions, const Nx_StringArray& rowCaptions,
                     Nx_Array<Nx_StringArray>& rows, bool editable, Nx_String title,
                     Nx_String help) {
  return guardExport("startGridDialog", false, [&] {
    KvResourceScope scope;
    return KvRecordTableDlg::edit(
        stringTableLayout(captions, rowCaptions, rows, editable, title, help), rows);
  });
}
