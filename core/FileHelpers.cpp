#include "core/FileHelpers.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/PathHelpers.h"
#include "platform/base/AtomicFile.h"

namespace fs = std::filesystem;

namespace {
fs::path osPath(const Nx_String& path) {
  return fs::path(toNativePath(path).str());
}

bool fail(Nx_String* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

bool failWith(Nx_String* error, const char* what, const Nx_String& path, const std::string& why) {
  return fail(error, std::string(what) + " " + toNativePath(path).str() + ": " + why);
}
}  // namespace

bool readTextFile(const Nx_String& path, Nx_String& content, Nx_String* error) {
  if (folderExists(path)) return failWith(error, "Cannot read", path, "it is a folder");
  std::string text, why;
  if (!base::readWholeFile(toNativePath(path).str(), text, &why)) return fail(error, why);
  content = Nx_String(std::move(text));
  return true;
}

bool writeTextFile(const Nx_String& path, const Nx_String& content, Nx_String* error) {
  if (path.isEmpty()) return fail(error, "Cannot write a file without a name");
  std::string why;
  if (!base::writeFileAtomically(toNativePath(path).str(), content.str(), &why))
    return fail(error, why);
  return true;
}

bool ObjectExportReadFile(const Nx_String& path, Nx_StringArray& lines, Nx_String* error) {
  Nx_String content;
  if (!readTextFile(path, content, error)) return false;
  lines.removeAll();
  const std::string& s = content.str();
  size_t start = 0;
  while (start < s.size()) {
    size_t end = s.find('\n', start);
    size_t stop = end == std::string::npos ? s.size() : end;
    size_t len = stop - start;
    // Every carriage return before the line's end goes: a single one would
    // leave the rest in the last cell and lose one more on every save.
    while (len > 0 && s[start + len - 1] == '\r') --len;
    lines.append(Nx_String(s.substr(start, len)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return true;
}

bool ObjectExportWriteFile(const Nx_String& path, const Nx_StringArray& lines, Nx_String* error) {
  std::string content;
  size_t size = 0;
  for (const Nx_String& line : lines) size += static_cast<size_t>(line.length()) + 1;
  content.reserve(size);
  for (const Nx_String& line : lines) {
    content += line.str();
    content += '\n';
  }
  return writeTextFile(path, Nx_String(std::move(content)), error);
}

bool fileExists(const Nx_String& path) {
  std::error_code ec;
  auto st = fs::status(osPath(path), ec);
  return !ec && fs::exists(st) && !fs::is_directory(st);
}

bool folderExists(const Nx_String& path) {
  std::error_code ec;
  return !path.isEmpty() && fs::is_directory(osPath(path), ec);
}

bool pathExists(const Nx_String& path) {
  std::error_code ec;
  return !path.isEmpty() && fs::exists(osPath(path), ec);
}

bool createFolder(const Nx_String& path, Nx_String* error) {
  if (path.isEmpty()) return fail(error, "Cannot create a folder without a name");
  std::error_code ec;
  fs::create_directories(osPath(path), ec);
  if (folderExists(path)) return true;
  return failWith(error, "Cannot create the folder", path,
                  ec ? ec.message() : "a file of that name exists");
}

bool deleteFile(const Nx_String& path, Nx_String* error) {
  if (folderExists(path)) return failWith(error, "Cannot delete", path, "it is a folder");
  std::error_code ec;
  if (!fs::remove(osPath(path), ec))
    return failWith(error, "Cannot delete", path,
                    ec ? ec.message() : std::string(std::strerror(ENOENT)));
  return true;
}

bool copyFile(const Nx_String& from, const Nx_String& to, bool overwrite, Nx_String* error) {
  if (!overwrite && pathExists(to)) return failWith(error, "Cannot copy to", to, "it exists");
  if (folderExists(to)) return failWith(error, "Cannot copy to", to, "it is a folder");
  Nx_String content;
  if (!readTextFile(from, content, error)) return false;
  return writeTextFile(to, content, error);
}
