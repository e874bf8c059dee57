#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace grid {

// A strict JSON reader (RFC 8259) that reports what it reads to a SAX
// handler of the JSON library: sheet files are read a few times a second
// by the standards engine, and the library's own reader spends most of the
// load time building strings a character at a time. Nesting uses an
// explicit stack; no input can exhaust the call stack.
class JsonScanner {
 public:
  using Sax = nlohmann::json_sax<nlohmann::json>;
  // False on malformed input or when the handler stops; errorOffset() then
  // tells the byte where reading stopped.
  bool scan(std::string_view text, Sax& sax);
  std::size_t errorOffset() const { return errorAt_; }

 private:
  bool string(std::string& out);
  bool number(Sax& sax);
  bool fail(std::size_t at) {
    errorAt_ = at;
    return false;
  }
  void blanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\t'))
      ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t errorAt_ = 0;
};

}  // namespace grid
