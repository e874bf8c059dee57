#include "platform/grid/file/WorkbookStyles.h"

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

size_t WorkbookStyles::commit_number_format() {
  // Formats without an identifier (OpenDocument) count in order.
  std::size_t id = pendingId_ ? pendingId_ : 1000 + numberFormats_;
  codes_[id] = pendingCode_;
  pendingId_ = 0;
  pendingCode_.clear();
  ++numberFormats_;
  return id;
}

std::string WorkbookStyles::numberFormatOf(std::size_t xf) const {
  if (xf >= xfs_.size()) return {};
  std::size_t id = xfs_[xf];
  auto it = codes_.find(id);
  std::string code = it != codes_.end() ? it->second : builtinCode(id);
  return code == "General" || code == "general" ? std::string() : code;
}

}  // namespace grid
