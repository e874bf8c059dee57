#pragma once
#include <nlohmann/json.hpp>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/dcm_export.h"

namespace drawing {

// One value of a JsonTree. Children are linked by index, in file order.
struct JsonNode {
  enum class Kind : std::uint8_t { Null, Flag, Integer, Unsigned, Real, Text, Array, Object };
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  Kind kind = Kind::Null;
  bool flag = false;
  bool ascii = false;           // a text of ASCII bytes only
  std::uint32_t first = kNone;  // the first element or member
  std::uint32_t next = kNone;   // the next one of the same parent
  std::string_view key;         // as a member of an object
  std::string_view text;        // UTF-8
  union {                       // by kind
    std::int64_t integer = 0;
    std::uint64_t whole;
    double real;
  };

  bool isNumber() const {
    return kind == Kind::Integer || kind == Kind::Unsigned || kind == Kind::Real;
  }
  double number() const {
    return kind == Kind::Real      ? real
           : kind == Kind::Integer ? static_cast<double>(integer)
                                   : static_cast<double>(whole);
  }
};

// A parsed JSON document as flat nodes whose texts point into the parsed
// text where it needs no unescaping: a drawing's load allocates a few
// vectors instead of a map node and a string for every value. Objects keep
// their members in file order, repeated keys included; find() takes the
// last of a key and members() lists them as nlohmann's tree would (by key,
// the last of each), so a reader gives the same results and complaints.
// A tree parsed from text refers to that text, which must outlive it.
class DCM_API JsonTree {
 public:
  // Parses plain JSON several times faster than nlohmann::json::parse.
  // False, with the tree unspecified, for anything it does not take on
  // itself - a syntax error, invalid UTF-8, a byte order mark, a number
  // outside the plain forms, nesting deeper than a drawing needs.
  bool parseQuickly(std::string_view text);
  // The quick parse, or else nlohmann's, whose parse_error or out_of_range
  // (a number too large for any type) propagates.
  void parse(std::string_view text);
  // Takes over a tree nlohmann built (containers nested past 256 levels
  // are kept empty: no reader goes that deep).
  void adopt(nlohmann::json json);

  const JsonNode& root() const { return nodes_.front(); }
  const JsonNode& node(std::uint32_t index) const { return nodes_[index]; }
  // The last member of that key, or null.
  const JsonNode* find(const JsonNode& object, std::string_view key) const;
  // The members by key, the last of each repeated key only.
  std::vector<const JsonNode*> members(const JsonNode& object) const;
  // The value as nlohmann's tree, for messages and tests.
  nlohmann::json toNlohmann(const JsonNode& value) const;

 private:
  friend class TreeBuilder;
  std::uint32_t add(const nlohmann::json& j, int depth);

  std::vector<JsonNode> nodes_;
  std::deque<std::string> unescaped_;  // texts that differ from their bytes in the file
  std::unique_ptr<nlohmann::json> adopted_;
};

}  // namespace drawing
