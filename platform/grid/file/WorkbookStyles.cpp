#include "platform/grid/file/WorkbookStyles.h"

namespace grid {

size_t WorkbookStyles::commit_number_format() {
  // Formats without an identifier (OpenDocument) count in order.
  std::size_t id = pendingId_ ? pendingId_ : 1000 + numberFormats_;
  formats_.addCode(id, pendingCode_);
  pendingId_ = 0;
  pendingCode_.clear();
  ++numberFormats_;
  return id;
}

}  // namespace grid
