#include "apps/ss-host/MappingFileLines.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "mapping/KvSSMapping.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"

namespace {

// The separators as an editor re-saves them in UTF-8: ¿ ƒ •.
constexpr const char* kUtf8Separators[] = {"\xC2\xBF", "\xC6\x92", "\xE2\x80\xA2"};
constexpr std::size_t kMaxMappingFile = 16u << 20;

bool hasUtf8Separators(const std::string& text) {
  for (const char* s : kUtf8Separators)
    if (text.find(s) != std::string::npos) return true;
  return false;
}

bool isHeader(const std::string& text) {
  return text.find("Mapping") != std::string::npos && text.find("version") != std::string::npos;
}

bool isBlank(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

bool MappingFileLines::read(const std::string& path, std::string& error) {
  lines_.clear();
  utf8_ = false;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return true;
    error = path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) > kMaxMappingFile) {
    error = path + ": not a mapping file (not a regular file, or too large)";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) {
    error = path + ": cannot be read";
    return false;
  }
  const std::string text = bytes.str();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    Line line;
    if (nl == std::string::npos) {
      line.text = text.substr(start);
      start = text.size();
    } else {
      line.text = text.substr(start, nl - start);
      line.end = "\n";
      start = nl + 1;
    }
    if (!line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.end = "\r" + line.end;
    }
    utf8_ = utf8_ || hasUtf8Separators(line.text);
    lines_.push_back(std::move(line));
  }
  return true;
}

std::vector<Nx_String> MappingFileLines::mappingLines() const {
  std::vector<Nx_String> out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string& text = lines_[i].text;
    if ((i == 0 && isHeader(text)) || isBlank(text)) continue;
    out.emplace_back(hasUtf8Separators(text) ? base::utf8ToCp1252(text) : text);
  }
  return out;
}

Nx_String MappingFileLines::keyOf(const Nx_String& line) {
  int at = line.find('=');
  return at < 0 ? Nx_String() : line.left(at);
}

bool MappingFileLines::setLine(const std::string& path, const Nx_String& key, const Nx_String& line,
                               std::string& error) {
  const std::string stored = utf8_ ? base::cp1252ToUtf8(line.str()) : line.str();
  bool replaced = false;
  for (std::size_t i = 0; i < lines_.size() && !replaced; ++i) {
    const std::string& text = lines_[i].text;
    if ((i == 0 && isHeader(text)) || isBlank(text)) continue;
    Nx_String read(hasUtf8Separators(text) ? base::utf8ToCp1252(text) : text);
    if (keyOf(read).equal(key, true)) {
      lines_[i].text = stored;
      replaced = true;
    }
  }
  if (!replaced) {
    if (lines_.empty()) lines_.push_back({kMappingHeader, "\n"});
    if (lines_.back().end.empty()) lines_.back().end = "\n";
    lines_.push_back({stored, "\n"});
  }
  std::string bytes;
  for (const Line& l : lines_) bytes += l.text + l.end;

  // The one atomic write of the product: permissions kept, a link followed,
  // the file and its folder synced before and after the rename.
  std::string why;
  if (base::writeFileAtomically(path, bytes, &why)) return true;
  error = why;  // names the file
  return false;
}
