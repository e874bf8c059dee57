#include "platform/grid/file/SheetFile.h"

#include <sys/stat.h>

#include "platform/base/AtomicFile.h"
#include "platform/grid/file/DelimitedText.h"
#include "platform/grid/file/NativeFormat.h"
#include "platform/grid/file/WorkbookFile.h"
#include "platform/grid/file/ZipDirectory.h"

namespace grid {
namespace {

// `handedOver`: the text is the caller's own copy of a file, which it reads
// no more, so a reader may give its memory back as it goes.
bool readText(std::string_view text, const std::string& name, SheetContent& out, std::string& error,
              std::vector<std::string>* warnings, bool handedOver) {
  if (warnings) warnings->clear();
  if (text.size() > kMaxFileBytes) {
    error = name + ": the file is larger than " + std::to_string(kMaxFileBytes >> 20) + " MB";
    return false;
  }
  if (looksLikeZip(text)) return readWorkbook(text, name, out, error, warnings);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (text.find('\0') != std::string_view::npos) {
    error = name + ": not a sheet (binary data)";
    return false;
  }
  std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) {
    error = name + ": the file is empty";
    return false;
  }
  out = SheetContent{};
  std::vector<std::string> found;
  bool ok = text[first] == '{'
                ? readNativeFormat(text, name, out, error, &found)
                : readDelimitedText(text, name, out, error, &found, kReadInPartsFrom, handedOver);
  if (!ok) out = SheetContent{};
  if (ok && warnings) *warnings = std::move(found);
  return ok;
}

}  // namespace

bool loadSheetFile(const std::string& path, SheetContent& out, std::string& error,
                   std::vector<std::string>* warnings) {
  if (warnings) warnings->clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    error = path + ": no such file";
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = path + ": not a file";
    return false;
  }
  if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes) {
    error = path + ": the file is larger than " + std::to_string(kMaxFileBytes >> 20) + " MB";
    return false;
  }
  std::string text, why;
  if (!base::readWholeFile(path, text, &why)) {
    error = why.empty() ? path + ": cannot be read" : why;
    return false;
  }
  return readText(text, path, out, error, warnings, true);
}

bool readSheetText(std::string_view text, const std::string& name, SheetContent& out,
                   std::string& error, std::vector<std::string>* warnings) {
  return readText(text, name, out, error, warnings, false);
}

std::string writeSheetText(const SheetContent& content, bool dataOnly) {
  return writeNativeFormat(content, dataOnly);
}

bool saveSheetFile(const std::string& path, const SheetContent& content, bool dataOnly,
                   std::string& error) {
  std::string why;
  if (!base::writeFileAtomically(path, writeNativeFormat(content, dataOnly), &why)) {
    error = why.empty() ? path + ": cannot be written" : why;
    return false;
  }
  return true;
}

}  // namespace grid
