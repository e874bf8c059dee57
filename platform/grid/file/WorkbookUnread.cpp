#include "platform/grid/file/WorkbookUnread.h"

#include "platform/grid/file/ZipPart.h"

namespace grid {
namespace {

constexpr std::string_view kPart = "content.xml";
constexpr std::string_view kLogical = "office:value-type=\"boolean\"";

// The first table of content.xml.
std::string_view firstTable(std::string_view part) {
  std::size_t start = part.find("<table:table ");
  if (start == std::string_view::npos) return {};
  std::size_t end = part.find("</table:table>", start);
  return part.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace

void checkUnreadCells(std::string_view bytes, const std::vector<ZipEntry>& entries,
                      const std::string& name, std::vector<std::string>& warnings) {
  const ZipEntry* e = findZipEntry(entries, kPart);
  std::string part, error;
  if (!e || !unpackZipEntry(bytes, *e, part, error)) return;  // the reader has read it
  const std::string_view table = firstTable(part);
  std::size_t cells = 0;
  for (std::size_t at = table.find(kLogical); at != std::string_view::npos;
       at = table.find(kLogical, at + 1))
    ++cells;
  if (cells)
    warnings.push_back(name + ": " + std::string(kPart) + ": " + std::to_string(cells) +
                       " cells holding logical values are not read; they are left empty");
}

}  // namespace grid
