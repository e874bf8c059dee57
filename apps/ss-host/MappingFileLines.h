#pragma once
#include <string>
#include <vector>

#include "core/Nx_String.h"

// The lines of a mapping file as bytes, for `ss-host mapping`: what the
// mapping's own reader leaves out (every key, line endings, the encoding of
// the separators), so that one line can be replaced and the others kept
// byte for byte.
class MappingFileLines {
 public:
  // False with the reason when the file exists but cannot be read; a file
  // that does not exist reads as no lines.
  bool read(const std::string& path, std::string& error);

  // The mapping lines (the header and blank lines left out), in the
  // Windows-1252 form the mapping reads (UTF-8 separators converted).
  std::vector<Nx_String> mappingLines() const;
  static Nx_String keyOf(const Nx_String& line);

  // Sets the key's line (a line in the Windows-1252 form), replacing the
  // first line of that key or appending one; the file is written atomically
  // (base::writeFileAtomically), with its permissions, through a link.
  bool setLine(const std::string& path, const Nx_String& key, const Nx_String& line,
               std::string& error);

  // Whether the file writes its separators in UTF-8 (an editor re-saved it).
  bool usesUtf8() const { return utf8_; }

 private:
  struct Line {
    std::string text;  // without its ending
    std::string end;   // "\n", "\r\n" or "" (the last line)
  };
  std::vector<Line> lines_;
  bool utf8_ = false;
};
