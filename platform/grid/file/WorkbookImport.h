#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/grid/SheetContent.h"

namespace orcus::spreadsheet::iface {
class import_factory;
}

namespace grid {

// Thrown out of the reader's callbacks when a sheet is past what the grid takes.
struct WorkbookTooLarge : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Builds a sheet from the first sheet of a workbook as the workbook reader
// hands it over: values, formulas (shared ones expanded), merged cells,
// column widths, row heights and the number formats that a Number cell can
// show. What the grid cannot hold is reported per cell in `warnings`.
class WorkbookImport {
 public:
  enum class Syntax { Xlsx, Odf };
  WorkbookImport(Syntax syntax, const std::string& name, SheetContent& out,
                 std::vector<std::string>& warnings);
  ~WorkbookImport();
  orcus::spreadsheet::iface::import_factory& factory();
  // Spans, sizes and formats, once the reader is done. False with the reason
  // when the workbook has no sheet or too many cells.
  bool finish(std::string& error);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace grid
