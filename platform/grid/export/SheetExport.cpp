#include "platform/grid/export/SheetExport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/base/AtomicFile.h"
#include "platform/grid/export/CsvExport.h"
#include "platform/grid/export/PdfExport.h"
#include "platform/grid/export/XlsxExport.h"

namespace grid {
namespace {

// The workbook writer only writes to a named file: it goes to a private
// temporary file first, whose bytes then replace the target atomically.
bool xlsxBytes(const Sheet& sheet, std::string& bytes, std::string& error) {
  std::string temp = (std::filesystem::temp_directory_path() / "ss-export-XXXXXX.xlsx").string();
  int fd = ::mkstemps(temp.data(), 5);
  if (fd < 0) {
    error = "cannot create a temporary file in " + std::filesystem::temp_directory_path().string();
    return false;
  }
  ::close(fd);
  bool ok = writeXlsxFile(sheet, temp, error);
  std::string why;
  if (ok && !base::readWholeFile(temp, bytes, &why)) {
    error = "cannot read the workbook back: " + why;
    ok = false;
  }
  ::unlink(temp.c_str());
  return ok;
}

}  // namespace

std::optional<ExportFormat> exportFormatFor(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".csv") return ExportFormat::Csv;
  if (ext == ".xlsx") return ExportFormat::Xlsx;
  if (ext == ".pdf") return ExportFormat::Pdf;
  return std::nullopt;
}

bool exportSheet(const Sheet& sheet, const std::string& path, const PrintLayout& layout,
                 std::string& error) {
  std::optional<ExportFormat> format = exportFormatFor(path);
  if (!format) {
    error = path + ": cannot export to this kind of file (use .csv, .xlsx or .pdf)";
    return false;
  }
  std::string bytes, why;
  bool made = true;
  switch (*format) {
    case ExportFormat::Csv:
      bytes = csvText(sheet);
      break;
    case ExportFormat::Xlsx:
      made = xlsxBytes(sheet, bytes, why);
      break;
    case ExportFormat::Pdf:
      made = renderPdf(sheet, layout, bytes, why);
      break;
  }
  if (!made) {
    error = path + ": " + why;
    return false;
  }
  if (!base::writeFileAtomically(path, bytes, &why)) {
    error = why.empty() ? path + ": cannot be written" : why;
    return false;
  }
  return true;
}

}  // namespace grid
