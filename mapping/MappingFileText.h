#pragma once
#include <string>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"

// The lines of a mapping file as the module works with them (Windows-1252),
// and how the file stores them. Editors re-save mapping files in UTF-8, where
// the separator bytes 0x83, 0x95 and 0xBF become U+0192, U+2022 and U+00BF:
// both forms are read, and the file is written back in the form it was read.
class MappingFileText {
 public:
  enum Encoding { kWindows1252, kUtf8 };

  // The mapping lines of the file: the version line and blank lines are left
  // out. False when the file cannot be read. A file holding separators of
  // both forms is read, reported on the command line, and written back in the
  // form of its first separator (UTF-8 when it begins with a byte order mark).
  bool read(const Nx_String& path);
  // The version line, then the lines, in the encoding the file was read in.
  bool write(const Nx_String& path, const Nx_String& header) const;

  const Nx_StringArray& lines() const { return lines_; }
  void removeAt(int index);
  void append(const Nx_String& line);

  Encoding encoding() const { return encoding_; }
  // Both separator forms were found.
  bool mixed() const { return mixed_; }

 private:
  Nx_String encode(int index) const;

  Nx_StringArray lines_;
  // Per line, the bytes read when the line was valid UTF-8 holding characters
  // that Windows-1252 lacks: an unchanged line is written back as it was.
  std::vector<std::string> raw_;
  Encoding encoding_ = kWindows1252;
  bool byteOrderMark_ = false;
  bool mixed_ = false;
};
