#include "platform/grid/file/XmlScanner.h"

#include <algorithm>
#include <charconv>

namespace grid {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

constexpr bool nameStartByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}

// Which bytes may start and continue a name, by byte: names are most of a
// part's markup.
struct NameBytes {
  bool start[256] = {}, more[256] = {};
  constexpr NameBytes() {
    for (int c = 0; c < 256; ++c) {
      const auto b = static_cast<unsigned char>(c);
      start[c] = nameStartByte(b);
      more[c] = start[c] || (b >= '0' && b <= '9') || b == '-' || b == '.';
    }
  }
};
constexpr NameBytes kNameBytes;

bool nameStart(char c) {
  return kNameBytes.start[static_cast<unsigned char>(c)];
}

bool nameChar(char c) {
  return kNameBytes.more[static_cast<unsigned char>(c)];
}

// The characters XML allows, by code point.
bool allowedCode(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void appendUtf8(std::uint32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// One reference without its "&" and ";": a named entity or a character.
bool appendReference(std::string_view ref, std::string& out) {
  if (ref == "lt") {
    out += '<';
  } else if (ref == "gt") {
    out += '>';
  } else if (ref == "amp") {
    out += '&';
  } else if (ref == "quot") {
    out += '"';
  } else if (ref == "apos") {
    out += '\'';
  } else if (ref.size() > 1 && ref[0] == '#') {
    const bool hex = ref[1] == 'x';
    std::string_view digits = ref.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size() ||
        !allowedCode(code))
      return false;
    appendUtf8(code, out);
  } else {
    return false;
  }
  return true;
}

}  // namespace

XmlScanner::Token XmlScanner::fail(const char* why) {
  why_ = why;
  errorAt_ = std::min(pos_, text_.size());
  pos_ = text_.size();
  open_.clear();
  rootSeen_ = true;
  return Token::Error;
}

std::string XmlScanner::error() const {
  if (!why_) return {};
  const auto line = std::count(text_.begin(), text_.begin() + static_cast<long>(errorAt_), '\n');
  return "line " + std::to_string(line + 1) + ": " + why_;
}

bool XmlScanner::atName() const {
  return pos_ < text_.size() && nameStart(text_[pos_]);
}

std::string_view XmlScanner::readName() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && nameChar(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

void XmlScanner::blanks() {
  while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
}

bool XmlScanner::decode(std::string_view raw, std::string& into) {
  into.clear();
  for (std::size_t i = 0; i < raw.size();) {
    const std::size_t amp = raw.find('&', i);
    into.append(raw.substr(i, amp == std::string_view::npos ? raw.size() - i : amp - i));
    if (amp == std::string_view::npos) break;
    const std::size_t semi = raw.find(';', amp);
    if (semi == std::string_view::npos ||
        !appendReference(raw.substr(amp + 1, semi - amp - 1), into))
      return false;
    i = semi + 1;
  }
  return true;
}

std::string_view XmlScanner::attribute(std::string_view local, bool* found) const {
  for (const Attribute& a : attributes_)
    if (a.local == local) {
      if (found) *found = true;
      return a.value;
    }
  if (found) *found = false;
  return {};
}

XmlScanner::Token XmlScanner::next() {
  if (pendingEnd_) {
    pendingEnd_ = false;
    open_.pop_back();
    return Token::End;
  }
  while (pos_ < text_.size()) {
    if (text_[pos_] != '<') {
      Token t = characters();
      if (t != Token::Done) return t;
      continue;
    }
    if (pos_ + 1 >= text_.size()) return fail("the part ends inside a tag");
    const char c = text_[pos_ + 1];
    if (c == '/') return endTag();
    if (c == '!' || c == '?') {
      Token t = markup();
      if (t != Token::Done) return t;
      continue;
    }
    return startTag();
  }
  if (!open_.empty()) {
    errorAt_ = text_.size();
    return fail("the part ends inside an element (cut short?)");
  }
  if (!rootSeen_) return fail("the part holds no element");
  return Token::Done;
}

// Text up to the next tag: outside the root only blanks; Done when skipped.
XmlScanner::Token XmlScanner::characters() {
  const std::size_t start = pos_;
  std::size_t end = text_.find('<', pos_);
  if (end == std::string_view::npos) end = text_.size();
  const std::string_view raw = text_.substr(start, end - start);
  if (open_.empty()) {
    if (!std::all_of(raw.begin(), raw.end(), isBlank)) return fail("text outside the root element");
    pos_ = end;
    return Token::Done;
  }
  if (raw.find('&') == std::string_view::npos) {
    textValue_ = raw;
  } else {
    if (!decode(raw, textBuffer_)) return fail("an unknown entity or a bad character reference");
    textValue_ = textBuffer_;
  }
  pos_ = end;
  return Token::Text;
}

// Comments and processing instructions are passed over (Done); a CDATA
// section is text.
XmlScanner::Token XmlScanner::markup() {
  const std::string_view rest = text_.substr(pos_);
  auto skipPast = [&](std::string_view end, const char* why) {
    const std::size_t at = text_.find(end, pos_ + 2);
    if (at == std::string_view::npos) return fail(why);
    pos_ = at + end.size();
    return Token::Done;
  };
  if (rest.starts_with("<?")) return skipPast("?>", "a processing instruction is not closed");
  if (rest.starts_with("<!--")) return skipPast("-->", "a comment is not closed");
  if (rest.starts_with("<![CDATA[")) {
    if (open_.empty()) return fail("text outside the root element");
    const std::size_t at = text_.find("]]>", pos_ + 9);
    if (at == std::string_view::npos) return fail("a CDATA section is not closed");
    textValue_ = text_.substr(pos_ + 9, at - pos_ - 9);
    pos_ = at + 3;
    return Token::Text;
  }
  if (rest.starts_with("<!DOCTYPE")) return fail("document type declarations are not read");
  return fail("unknown markup after <!");
}

XmlScanner::Token XmlScanner::startTag() {
  ++pos_;
  if (!atName()) return fail("a tag without a name");
  if (open_.empty() && rootSeen_) return fail("a second root element");
  name_ = readName();
  attributes_.clear();
  std::size_t decodedUsed = 0;
  for (;;) {
    const std::size_t before = pos_;
    blanks();
    if (pos_ >= text_.size()) return fail("the part ends inside a tag");
    if (text_[pos_] == '>') {
      ++pos_;
      selfClosing_ = false;
      break;
    }
    if (text_[pos_] == '/') {
      if (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '>') return fail("a malformed tag");
      pos_ += 2;
      selfClosing_ = true;
      pendingEnd_ = true;
      break;
    }
    if (pos_ == before || !atName()) return fail("a malformed attribute");
    const std::string_view attr = readName();
    blanks();
    if (pos_ >= text_.size() || text_[pos_] != '=') return fail("an attribute without a value");
    ++pos_;
    blanks();
    if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\''))
      return fail("an attribute value without quotes");
    const char quote = text_[pos_++];
    const std::size_t close = text_.find(quote, pos_);
    if (close == std::string_view::npos) return fail("the part ends inside a tag");
    std::string_view value = text_.substr(pos_, close - pos_);
    if (value.find('<') != std::string_view::npos) return fail("a '<' inside an attribute value");
    if (value.find('&') != std::string_view::npos) {
      if (decodedUsed == decoded_.size()) decoded_.emplace_back();
      std::string& into = decoded_[decodedUsed++];
      if (!decode(value, into)) return fail("an unknown entity or a bad character reference");
      value = into;
    }
    attributes_.push_back({localName(attr), value});
    pos_ = close + 1;
  }
  rootSeen_ = true;
  open_.push_back(name_);
  return Token::Start;
}

XmlScanner::Token XmlScanner::endTag() {
  pos_ += 2;
  const std::string_view name = readName();
  blanks();
  if (pos_ >= text_.size() || text_[pos_] != '>') return fail("a malformed end tag");
  ++pos_;
  if (open_.empty() || open_.back() != name) return fail("an end tag that closes no open element");
  open_.pop_back();
  name_ = name;
  return Token::End;
}

}  // namespace grid
