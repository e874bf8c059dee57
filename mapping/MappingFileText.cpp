#include "mapping/MappingFileText.h"

#include <cstdint>
#include <string_view>

#include "core/FileHelpers.h"
#include "platform/arx/acutil.h"
#include "platform/base/Cp1252.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isSeparatorByte(unsigned char c) {
  return c == 0x83 || c == 0x95 || c == 0xBF;
}

bool isSeparatorCodePoint(std::uint32_t cp) {
  return cp == 0x0192 || cp == 0x2022 || cp == 0x00BF;
}

// The length of the UTF-8 sequence at text[i] and its code point; 0 for a
// byte that starts none (the Windows-1252 reading of the byte then holds).
int utf8Sequence(std::string_view text, size_t i, std::uint32_t& cp) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  int len = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + static_cast<size_t>(len) > text.size()) return 0;
  cp = c & (0xFF >> (len + 1));
  for (int k = 1; k < len; ++k) {
    unsigned char d = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
    if ((d & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (d & 0x3F);
  }
  return len;
}

// What a line's bytes say about its encoding.
struct LineForm {
  int singleSeparators = 0;  // raw 0x83, 0x95, 0xBF
  int utf8Separators = 0;    // their UTF-8 forms
  bool validUtf8 = true;
  bool nonAscii = false;
  size_t firstSingle = std::string_view::npos;
  size_t firstUtf8 = std::string_view::npos;
};

LineForm examine(std::string_view text) {
  LineForm form;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    form.nonAscii = true;
    std::uint32_t cp = 0;
    int len = utf8Sequence(text, i, cp);
    if (len > 0) {
      if (isSeparatorCodePoint(cp) && form.utf8Separators++ == 0) form.firstUtf8 = i;
      i += static_cast<size_t>(len);
      continue;
    }
    form.validUtf8 = false;
    if (isSeparatorByte(c) && form.singleSeparators++ == 0) form.firstSingle = i;
    ++i;
  }
  return form;
}

// The separators of a whole file: how many of each form, and which came first.
struct FileForm {
  int singles = 0;
  int utf8s = 0;
  bool utf8First = false;
};

FileForm survey(const Nx_StringArray& lines, std::vector<LineForm>& forms) {
  FileForm file;
  bool decided = false;
  for (const Nx_String& line : lines) {
    const LineForm& f = forms.emplace_back(examine(line.str()));
    file.singles += f.singleSeparators;
    file.utf8s += f.utf8Separators;
    if (!decided && (f.singleSeparators > 0 || f.utf8Separators > 0)) {
      decided = true;
      file.utf8First = f.utf8Separators > 0 && f.firstUtf8 < f.firstSingle;
    }
  }
  return file;
}

bool isBlank(const Nx_String& line) {
  return line.str().find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

bool MappingFileText::read(const Nx_String& path) {
  Nx_StringArray stored;
  lines_.removeAll();
  raw_.clear();
  encoding_ = kWindows1252;
  byteOrderMark_ = mixed_ = false;
  if (!ObjectExportReadFile(path, stored)) return false;

  if (stored.length() > 0 && stored[0].str().starts_with(kByteOrderMark)) {
    byteOrderMark_ = true;
    stored[0] = Nx_String(stored[0].str().substr(kByteOrderMark.size()));
  }
  std::vector<LineForm> forms;
  FileForm file = survey(stored, forms);
  mixed_ = file.singles > 0 && file.utf8s > 0;
  if (byteOrderMark_ || (file.utf8s > 0 && (file.singles == 0 || file.utf8First)))
    encoding_ = kUtf8;
  if (mixed_)
    acutPrintf(
        "*Error* Mapping file %s holds separators both as single bytes and in UTF-8; both are "
        "read, and it is written back in %s.\n",
        path.c_str(), encoding_ == kUtf8 ? "UTF-8" : "Windows-1252");

  bool decode = file.utf8s > 0 || byteOrderMark_;
  for (int i = 0; i < stored.length(); ++i) {
    const std::string& bytes = stored[i].str();
    Nx_String line = decode ? Nx_String(base::utf8ToCp1252(bytes)) : stored[i];
    // Any version line goes; its number is not examined.
    if (i == 0 && line.hasSubString("Mapping", false) && line.hasSubString("version", false))
      continue;
    if (isBlank(line)) continue;
    const LineForm& form = forms[static_cast<size_t>(i)];
    bool keepBytes =
        decode && form.validUtf8 && form.nonAscii && base::cp1252ToUtf8(line.str()) != bytes;
    lines_.append(line);
    raw_.push_back(keepBytes ? bytes : std::string());
  }
  return true;
}

void MappingFileText::removeAt(int index) {
  if (index < 0 || index >= lines_.length()) return;
  lines_.removeAt(index);
  raw_.erase(raw_.begin() + index);
}

void MappingFileText::append(const Nx_String& line) {
  lines_.append(line);
  raw_.emplace_back();
}

Nx_String MappingFileText::encode(int index) const {
  const std::string& raw = raw_[static_cast<size_t>(index)];
  if (encoding_ != kUtf8) return lines_[index];
  return Nx_String(raw.empty() ? base::cp1252ToUtf8(lines_[index].str()) : raw);
}

bool MappingFileText::write(const Nx_String& path, const Nx_String& header) const {
  Nx_StringArray out;
  out.append(byteOrderMark_ ? Nx_String(std::string(kByteOrderMark) + header.str()) : header);
  for (int i = 0; i < lines_.length(); ++i) out.append(encode(i));
  return ObjectExportWriteFile(path, out);
}
