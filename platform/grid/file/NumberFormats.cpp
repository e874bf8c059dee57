#include "platform/grid/file/NumberFormats.h"

namespace grid {
namespace {

// The built-in number formats that have no code in the file.
const char* builtinCode(std::size_t id) {
  switch (id) {
    case 1:
      return "0";
    case 2:
      return "0.00";
    case 3:
      return "#,##0";
    case 4:
      return "#,##0.00";
    case 9:
      return "0%";
    case 10:
      return "0.00%";
    case 14:
      return "mm-dd-yy";
    default:
      return "";
  }
}

}  // namespace

std::string NumberFormats::numberFormatOf(std::size_t xf) const {
  if (xf >= xfs_.size()) return {};
  std::size_t id = xfs_[xf];
  auto it = codes_.find(id);
  std::string code = it != codes_.end() ? it->second : builtinCode(id);
  return code == "General" || code == "general" ? std::string() : code;
}

}  // namespace grid
