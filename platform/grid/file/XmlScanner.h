#pragma once
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace grid {

// A pull scanner over one XML document held whole in memory, for the few
// elements a workbook part has: no tree is built, names and values are views
// into the text, and only values holding entity or character references are
// decoded, into buffers reused from element to element. It checks what a
// reader relies on (tags nest and close, attributes are quoted, references
// are known, the document ends after its root) and refuses document type
// declarations, so no entity can be defined to expand. Names keep their
// prefix; localName() drops it.
class XmlScanner {
 public:
  enum class Token { Start, End, Text, Done, Error };

  // A UTF-8 byte order mark before the document is allowed and skipped.
  explicit XmlScanner(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
  }

  Token next();

  // The element of a Start or End token, as written ("x:c").
  std::string_view name() const { return name_; }
  // A Start token of a self-closing element is followed by its End token.
  bool selfClosing() const { return selfClosing_; }
  // The decoded value of the current Start token's attribute whose local name
  // is `local`; `found` tells an empty value from none.
  std::string_view attribute(std::string_view local, bool* found = nullptr) const;
  // The decoded characters of a Text token (a run of text or one CDATA section).
  std::string_view text() const { return textValue_; }

  // Why scanning stopped at an Error token, with its line.
  std::string error() const;

 private:
  struct Attribute {
    std::string_view local;
    std::string_view value;
  };
  Token fail(const char* why);
  Token startTag();
  Token endTag();
  Token markup();
  Token characters();
  bool decode(std::string_view raw, std::string& into);
  bool atName() const;
  std::string_view readName();
  void blanks();

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t errorAt_ = 0;
  const char* why_ = nullptr;
  std::string_view name_;
  bool selfClosing_ = false;
  bool pendingEnd_ = false;
  bool rootSeen_ = false;
  std::vector<std::string_view> open_;
  std::vector<Attribute> attributes_;
  std::deque<std::string> decoded_;  // values with references; a deque keeps views valid
  std::string textBuffer_;
  std::string_view textValue_;
};

// The part of a name after its prefix: "c" of "x:c".
inline std::string_view localName(std::string_view name) {
  std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace grid
