#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/grid/SheetContent.h"
#include "platform/grid/file/WorkbookSheet.h"

namespace orcus::spreadsheet::iface {
class import_factory;
}

namespace grid {

// Builds a sheet from the first sheet of a workbook as the workbook library
// hands it over (WorkbookSheet does the building); WorkbookImport::factory
// throws WorkbookTooLarge out of the library's reader.
class WorkbookImport {
 public:
  using Syntax = WorkbookSheet::Syntax;
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
