#include "spreadsheet/KvFromTable.h"

#include <memory>
#include <optional>

#include "core/PathHelpers.h"
#include "platform/arx/acutil.h"
#include "platform/grid/Value.h"
#include "spreadsheet/KvLookupTable.h"

namespace {

using grid::RecordStatus;
using grid::RecordType;
using grid::ValueRecord;

// An argument as text: numbers in their general form, a cell reference as
// the data text of that cell in the calling sheet.
std::optional<std::string> argumentText(const grid::Sheet& calling, const ValueRecord& arg) {
  switch (arg.type) {
    case RecordType::Integer:
      return std::to_string(arg.integer);
    case RecordType::Double:
      return grid::valueText(grid::Value::makeNumber(arg.number));
    case RecordType::Text:
      return arg.text;
    case RecordType::CellRef:
      return calling.getData(arg.col, arg.row);
    case RecordType::Range:
      break;
  }
  return std::nullopt;
}

Nx_String resolvePath(const Nx_String& baseFolder, const std::string& name) {
  Nx_String path = toNativePath(Nx_String(name));
  if (path.startsWith("/", true) || baseFolder.isEmpty()) return path;
  return ensureEndSlash(toNativePath(baseFolder)) + path;
}

ValueRecord recordOf(const grid::Value& v) {
  switch (v.kind) {
    case grid::ValueKind::Number:
      return ValueRecord::makeDouble(v.number);
    case grid::ValueKind::Text:
      return ValueRecord::makeText(v.text);
    case grid::ValueKind::Boolean:
      return ValueRecord::makeInteger(v.boolean() ? 1 : 0);
    case grid::ValueKind::Empty:
    case grid::ValueKind::Error:
      break;
  }
  return ValueRecord{};
}

}  // namespace

Nx_String KvFromTableCalls::pathOf(const std::string& name) {
  auto it = paths_.find(name);
  if (it != paths_.end()) return it->second;
  if (paths_.size() >= 1024) paths_.clear();
  return paths_[name] = resolvePath(baseFolder_, name);
}

void KvFromTableCalls::say(const std::string& message) {
  if (said_.size() >= 1000 || !said_.insert(message).second) return;
  acutPrintf("*Error* FROMTABLE: %s\n", message.c_str());
}

void answerFromTable(grid::Sheet& calling, KvFromTableCalls& calls, ValueRecord& result,
                     std::span<const ValueRecord> args) {
  result = ValueRecord{};
  if (args.size() < 2 || args.size() > 5) return;
  for (const ValueRecord& a : args)
    if (a.status != RecordStatus::Valid) return;
  // The file name may also stand in a cell of the calling sheet.
  if (args[0].type != RecordType::Text && args[0].type != RecordType::CellRef) return;
  std::string name = *argumentText(calling, args[0]);
  if (name.empty()) return;
  Nx_String path = calls.pathOf(name);
  std::string error;
  std::shared_ptr<KvLookupTable> table = KvLookupTables::get(path, error);
  if (!table) {
    calls.say(error);
    return;
  }
  int col = 0, row = 0;
  bool byCaptions = args.size() >= 4;
  if (!byCaptions) {
    if (args[1].type != RecordType::CellRef) return;
    col = args[1].col;
    row = args[1].row;
  } else {
    std::optional<std::string> keyCaption = argumentText(calling, args[1]);
    std::optional<std::string> valueCaption = argumentText(calling, args[2]);
    std::optional<std::string> key = argumentText(calling, args[3]);
    if (!keyCaption || !valueCaption || !key) return;
    int keyCol = table->column(*keyCaption);
    col = table->column(*valueCaption);
    if (keyCol == 0) calls.say(path.str() + ": no column \"" + *keyCaption + "\"");
    if (col == 0) calls.say(path.str() + ": no column \"" + *valueCaption + "\"");
    if (keyCol == 0 || col == 0) return;
    row = table->row(keyCol, *key);
    if (row == 0) {
      calls.say(path.str() + ": no row with \"" + *key + "\" in column \"" + *keyCaption + "\"");
      return;
    }
  }
  grid::Sheet& looked = table->sheet();
  if (col < 1 || row < 1 || col > looked.maxCols() || row > looked.maxRows()) return;
  const grid::Cell* cell = looked.content().cells.find(col, row);
  if (cell && cell->hasFormula()) {
    KvLookupTables::Computing guard(path);
    looked.reCalcCell(col, row);
  }
  bool withTarget = args.size() == 3 || args.size() == 5;
  if (withTarget) {
    const ValueRecord& target = args.back();
    if (target.type == RecordType::CellRef)
      calling.setData(target.col, target.row, looked.getData(col, row));
    return;
  }
  if (cell) result = recordOf(cell->value);
}

bool registerFromTable(grid::Sheet& sheet, const Nx_String& baseFolder) {
  KvLookupTables::recheck();
  auto calls = std::make_shared<KvFromTableCalls>(baseFolder);
  grid::Sheet* calling = &sheet;
  return sheet.addCustomFunctionExt(
      "FROMTABLE", 2, 5,
      [calling, calls](ValueRecord& result, std::span<const ValueRecord> args) {
        answerFromTable(*calling, *calls, result, args);
        return true;
      },
      grid::kCustomFunctionRefArgs);
}
