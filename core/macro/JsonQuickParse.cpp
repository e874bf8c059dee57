#include "core/macro/JsonQuickParse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace drawing {

namespace {

using json = nlohmann::json;
using Kind = JsonNode::Kind;

bool isAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

constexpr int kMaxDepth = 256;

}  // namespace

class TreeBuilder {
 public:
  TreeBuilder(JsonTree& tree, std::string_view text)
      : tree_(tree), nodes_(tree.nodes_), p_(text.data()), end_(text.data() + text.size()) {}

  bool document() {
    nodes_.clear();
    tree_.unescaped_.clear();
    tree_.adopted_.reset();
    // About one value in a dozen bytes of an indented drawing.
    nodes_.reserve(static_cast<size_t>(end_ - p_) / 12 + 1);
    if (value(0) == JsonNode::kNone) return false;
    space();
    return p_ == end_;
  }

 private:
  void space() {
    for (;;) {
      // An indented file's runs of blanks, eight at a time.
      while (end_ - p_ >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p_, sizeof word);
        if (word != 0x2020202020202020ull) break;
        p_ += 8;
      }
      if (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t'))
        ++p_;
      else
        return;
    }
  }

  bool literal(std::string_view word) {
    if (static_cast<size_t>(end_ - p_) < word.size() || std::string_view(p_, word.size()) != word)
      return false;
    p_ += word.size();
    return true;
  }

  std::uint32_t add(Kind kind) {
    nodes_.emplace_back().kind = kind;
    return static_cast<std::uint32_t>(nodes_.size() - 1);
  }

  // The new node's index, or kNone.
  std::uint32_t value(int depth) {
    space();
    if (p_ == end_) return JsonNode::kNone;
    switch (*p_) {
      case '{':
        return object(depth + 1);
      case '[':
        return array(depth + 1);
      case '"': {
        std::string_view s;
        bool ascii = true;
        if (!string(s, &ascii)) return JsonNode::kNone;
        const std::uint32_t at = add(Kind::Text);
        nodes_[at].text = s;
        nodes_[at].ascii = ascii;
        return at;
      }
      case 't':
      case 'f': {
        const bool yes = *p_ == 't';
        if (!literal(yes ? "true" : "false")) return JsonNode::kNone;
        const std::uint32_t at = add(Kind::Flag);
        nodes_[at].flag = yes;
        return at;
      }
      case 'n':
        return literal("null") ? add(Kind::Null) : JsonNode::kNone;
      default:
        return number();
    }
  }

  // Links a parent's children as they come.
  struct Chain {
    std::vector<JsonNode>& nodes;
    std::uint32_t parent;
    std::uint32_t last = JsonNode::kNone;
    void append(std::uint32_t child) {
      if (last == JsonNode::kNone)
        nodes[parent].first = child;
      else
        nodes[last].next = child;
      last = child;
    }
  };

  std::uint32_t object(int depth) {
    if (depth > kMaxDepth) return JsonNode::kNone;
    ++p_;
    const std::uint32_t at = add(Kind::Object);
    Chain chain{nodes_, at};
    space();
    if (p_ < end_ && *p_ == '}') {
      ++p_;
      return at;
    }
    std::string_view key;
    for (;;) {
      space();
      if (p_ == end_ || *p_ != '"' || !string(key)) return JsonNode::kNone;
      space();
      if (p_ == end_ || *p_ != ':') return JsonNode::kNone;
      ++p_;
      const std::uint32_t child = value(depth);
      if (child == JsonNode::kNone) return JsonNode::kNone;
      nodes_[child].key = key;
      chain.append(child);
      space();
      if (p_ == end_) return JsonNode::kNone;
      if (*p_ == '}') {
        ++p_;
        return at;
      }
      if (*p_ != ',') return JsonNode::kNone;
      ++p_;
    }
  }

  std::uint32_t array(int depth) {
    if (depth > kMaxDepth) return JsonNode::kNone;
    ++p_;
    const std::uint32_t at = add(Kind::Array);
    Chain chain{nodes_, at};
    space();
    if (p_ < end_ && *p_ == ']') {
      ++p_;
      return at;
    }
    for (;;) {
      const std::uint32_t child = value(depth);
      if (child == JsonNode::kNone) return JsonNode::kNone;
      chain.append(child);
      space();
      if (p_ == end_) return JsonNode::kNone;
      if (*p_ == ']') {
        ++p_;
        return at;
      }
      if (*p_ != ',') return JsonNode::kNone;
      ++p_;
    }
  }

  static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  bool hex4(std::uint32_t& code) {
    if (end_ - p_ < 4) return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      int d = hexDigit(p_[i]);
      if (d < 0) return false;
      code = code * 16 + static_cast<std::uint32_t>(d);
    }
    p_ += 4;
    return true;
  }

  static void appendUtf8(std::string& s, std::uint32_t c) {
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else if (c < 0x800) {
      s += static_cast<char>(0xC0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      s += static_cast<char>(0xE0 | (c >> 12));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      s += static_cast<char>(0xF0 | (c >> 18));
      s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  // The length of the well-formed UTF-8 sequence at p_ (RFC 3629: no
  // overlong forms, no surrogates, nothing past U+10FFFF), or 0.
  size_t utf8Sequence() const {
    const auto* u = reinterpret_cast<const unsigned char*>(p_);
    const size_t left = static_cast<size_t>(end_ - p_);
    auto tail = [&](size_t i) { return i < left && (u[i] & 0xC0) == 0x80; };
    const unsigned char c = u[0];
    if (c >= 0xC2 && c <= 0xDF) return tail(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
      if (left < 3 || !tail(1) || !tail(2)) return 0;
      if (c == 0xE0 && u[1] < 0xA0) return 0;
      if (c == 0xED && u[1] > 0x9F) return 0;
      return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
      if (left < 4 || !tail(1) || !tail(2) || !tail(3)) return 0;
      if (c == 0xF0 && u[1] < 0x90) return 0;
      if (c == 0xF4 && u[1] > 0x8F) return 0;
      return 4;
    }
    return 0;
  }

  // A text without escapes is a view of the file's bytes.
  bool string(std::string_view& out, bool* ascii = nullptr) {
    ++p_;
    const char* start = p_;
    for (;;) {
      while (p_ < end_ && static_cast<unsigned char>(*p_) >= 0x20 && *p_ != '"' && *p_ != '\\' &&
             static_cast<unsigned char>(*p_) < 0x80)
        ++p_;
      if (p_ == end_) return false;
      const auto c = static_cast<unsigned char>(*p_);
      if (c == '"') {
        out = std::string_view(start, static_cast<size_t>(p_ - start));
        ++p_;
        return true;
      }
      if (c < 0x20) return false;
      if (c == '\\') break;
      if (ascii) *ascii = false;
      size_t n = utf8Sequence();
      if (n == 0) return false;
      p_ += n;
    }
    std::string& s = tree_.unescaped_.emplace_back(start, p_);
    if (!unescape(s)) return false;
    out = s;
    if (ascii) *ascii = isAscii(s);
    return true;
  }

  // The rest of a text from a backslash on, appended to s.
  bool unescape(std::string& s) {
    for (;;) {
      const char* run = p_;
      while (p_ < end_ && static_cast<unsigned char>(*p_) >= 0x20 && *p_ != '"' && *p_ != '\\' &&
             static_cast<unsigned char>(*p_) < 0x80)
        ++p_;
      s.append(run, p_);
      if (p_ == end_) return false;
      const auto c = static_cast<unsigned char>(*p_);
      if (c == '"') {
        ++p_;
        return true;
      }
      if (c < 0x20) return false;
      if (c >= 0x80) {
        size_t n = utf8Sequence();
        if (n == 0) return false;
        s.append(p_, n);
        p_ += n;
        continue;
      }
      // A backslash.
      if (++p_ == end_) return false;
      switch (*p_++) {
        case '"':
          s += '"';
          break;
        case '\\':
          s += '\\';
          break;
        case '/':
          s += '/';
          break;
        case 'b':
          s += '\b';
          break;
        case 'f':
          s += '\f';
          break;
        case 'n':
          s += '\n';
          break;
        case 'r':
          s += '\r';
          break;
        case 't':
          s += '\t';
          break;
        case 'u': {
          std::uint32_t code = 0;
          if (!hex4(code)) return false;
          if (code >= 0xDC00 && code <= 0xDFFF) return false;
          if (code >= 0xD800 && code <= 0xDBFF) {
            std::uint32_t low = 0;
            if (!literal("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          appendUtf8(s, code);
          break;
        }
        default:
          return false;
      }
    }
  }

  // The JSON number forms; whole numbers of up to 18 digits become integers
  // (unsigned when not negative, as nlohmann stores them), the rest doubles
  // unless they overflow, which nlohmann reports in its own words.
  std::uint32_t number() {
    const char* start = p_;
    const bool negative = p_ < end_ && *p_ == '-';
    if (negative) ++p_;
    const char* digits = p_;
    if (p_ == end_ || *p_ < '0' || *p_ > '9') return JsonNode::kNone;
    if (*p_ == '0') {
      ++p_;
    } else {
      while (p_ < end_ && *p_ >= '0' && *p_ <= '9') ++p_;
    }
    bool whole = true;
    if (p_ < end_ && *p_ == '.') {
      whole = false;
      ++p_;
      if (p_ == end_ || *p_ < '0' || *p_ > '9') return JsonNode::kNone;
      while (p_ < end_ && *p_ >= '0' && *p_ <= '9') ++p_;
    }
    if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
      whole = false;
      ++p_;
      if (p_ < end_ && (*p_ == '+' || *p_ == '-')) ++p_;
      if (p_ == end_ || *p_ < '0' || *p_ > '9') return JsonNode::kNone;
      while (p_ < end_ && *p_ >= '0' && *p_ <= '9') ++p_;
    }
    if (whole) {
      if (p_ - digits > 18) return JsonNode::kNone;
      if (negative) {
        const std::uint32_t at = add(Kind::Integer);
        std::from_chars(start, p_, nodes_[at].integer);
        return at;
      }
      const std::uint32_t at = add(Kind::Unsigned);
      std::from_chars(start, p_, nodes_[at].whole);
      return at;
    }
    double v = 0;
    auto [end, ec] = std::from_chars(start, p_, v);
    if (ec != std::errc() || end != p_ || !std::isfinite(v)) return JsonNode::kNone;
    const std::uint32_t at = add(Kind::Real);
    nodes_[at].real = v;
    return at;
  }

  JsonTree& tree_;
  std::vector<JsonNode>& nodes_;
  const char* p_;
  const char* end_;
};

bool JsonTree::parseQuickly(std::string_view text) {
  return TreeBuilder(*this, text).document();
}

void JsonTree::parse(std::string_view text) {
  if (!parseQuickly(text)) adopt(json::parse(text));
}

void JsonTree::adopt(json j) {
  nodes_.clear();
  unescaped_.clear();
  adopted_ = std::make_unique<json>(std::move(j));
  add(*adopted_, 0);
}

std::uint32_t JsonTree::add(const json& j, int depth) {
  const auto at = static_cast<std::uint32_t>(nodes_.size());
  nodes_.emplace_back();
  JsonNode n;
  switch (j.type()) {
    case json::value_t::boolean:
      n.kind = Kind::Flag;
      n.flag = j.get<bool>();
      break;
    case json::value_t::number_integer:
      n.kind = Kind::Integer;
      n.integer = j.get<std::int64_t>();
      break;
    case json::value_t::number_unsigned:
      n.kind = Kind::Unsigned;
      n.whole = j.get<std::uint64_t>();
      break;
    case json::value_t::number_float:
      n.kind = Kind::Real;
      n.real = j.get<double>();
      break;
    case json::value_t::string:
      n.kind = Kind::Text;
      n.text = j.get_ref<const std::string&>();
      n.ascii = isAscii(n.text);
      break;
    case json::value_t::array:
    case json::value_t::object: {
      n.kind = j.is_array() ? Kind::Array : Kind::Object;
      // What lies deeper than any reader looks stays out, and the stack with it.
      if (depth >= kMaxDepth) break;
      std::uint32_t last = JsonNode::kNone;
      for (auto it = j.begin(); it != j.end(); ++it) {
        const std::uint32_t child = add(*it, depth + 1);
        if (j.is_object()) nodes_[child].key = it.key();
        (last == JsonNode::kNone ? n.first : nodes_[last].next) = child;
        last = child;
      }
      break;
    }
    default:
      break;
  }
  n.key = nodes_[at].key;
  nodes_[at] = n;
  return at;
}

const JsonNode* JsonTree::find(const JsonNode& object, std::string_view key) const {
  const JsonNode* found = nullptr;
  for (std::uint32_t c = object.first; c != JsonNode::kNone; c = nodes_[c].next)
    if (nodes_[c].key == key) found = &nodes_[c];
  return found;
}

std::vector<const JsonNode*> JsonTree::members(const JsonNode& object) const {
  std::vector<const JsonNode*> out;
  for (std::uint32_t c = object.first; c != JsonNode::kNone; c = nodes_[c].next)
    out.push_back(&nodes_[c]);
  // Stable, so the last of a repeated key ends its run.
  std::stable_sort(out.begin(), out.end(),
                   [](const JsonNode* a, const JsonNode* b) { return a->key < b->key; });
  std::vector<const JsonNode*> unique;
  for (size_t i = 0; i < out.size(); ++i)
    if (i + 1 == out.size() || out[i + 1]->key != out[i]->key) unique.push_back(out[i]);
  return unique;
}

json JsonTree::toNlohmann(const JsonNode& n) const {
  switch (n.kind) {
    case Kind::Null:
      return nullptr;
    case Kind::Flag:
      return n.flag;
    case Kind::Integer:
      return n.integer;
    case Kind::Unsigned:
      return n.whole;
    case Kind::Real:
      return n.real;
    case Kind::Text:
      return std::string(n.text);
    case Kind::Array: {
      json out = json::array();
      for (std::uint32_t c = n.first; c != JsonNode::kNone; c = nodes_[c].next)
        out.push_back(toNlohmann(nodes_[c]));
      return out;
    }
    case Kind::Object: {
      json out = json::object();
      for (const JsonNode* m : members(n)) out[std::string(m->key)] = toNlohmann(*m);
      return out;
    }
  }
  return nullptr;
}

}  // namespace drawing
