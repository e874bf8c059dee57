#include "standards/FunctionRecords.h"

namespace ssfunctions {

using grid::RecordStatus;
using grid::RecordType;

bool readNumber(const grid::ValueRecord& arg, double& value) {
  if (!hasKind(arg, grid::ArgKind::Number)) return false;
  value = arg.type == RecordType::Integer ? static_cast<double>(arg.integer) : arg.number;
  return true;
}

bool readText(const grid::ValueRecord& arg, Nx_String& text) {
  if (!hasKind(arg, grid::ArgKind::Text)) return false;
  std::string_view s = arg.text;
  if (!s.empty() && s.front() == '"') s.remove_prefix(1);
  if (!s.empty() && s.back() == '"') s.remove_suffix(1);
  text = Nx_String(s);
  return true;
}

bool readCellRef(const grid::ValueRecord& arg, int& col, int& row) {
  if (arg.status != RecordStatus::Valid || arg.type != RecordType::CellRef) return false;
  col = arg.col;
  row = arg.row;
  return true;
}

bool isEmptyArg(const grid::ValueRecord& arg) {
  return arg.status == RecordStatus::Empty;
}

bool hasKind(const grid::ValueRecord& arg, grid::ArgKind kind) {
  bool valid = arg.status == RecordStatus::Valid;
  switch (kind) {
    case grid::ArgKind::Number:
      return valid && (arg.type == RecordType::Integer || arg.type == RecordType::Double);
    case grid::ArgKind::Text:
      return valid && arg.type == RecordType::Text;
    default:
      return true;
  }
}

void setEmptyResult(grid::ValueRecord& result) {
  result = grid::ValueRecord{};
  result.status = RecordStatus::Empty;
  result.type = RecordType::Integer;
}

void setNumberResult(grid::ValueRecord& result, double value) {
  result = grid::ValueRecord::makeDouble(value);
}

void setTextResult(grid::ValueRecord& result, const Nx_String& text) {
  if (text.isEmpty())
    setEmptyResult(result);
  else
    result = grid::ValueRecord::makeText(text.str());
}

}  // namespace ssfunctions
