#include "standards/WholeWordReplace.h"

#include <algorithm>

#include "core/StringHelpers.h"

namespace {

// Occurrences visited for one name at most.
constexpr long kMaxVisits = 99999999;

bool isWordByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isPlainWord(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), isWordByte);
}

bool hasBalancedQuotes(const std::string& text) {
  return std::count(text.begin(), text.end(), '"') % 2 == 0;
}

std::string folded(std::string text) {
  for (char& c : text) c = fold(c);
  return text;
}

size_t findFolded(const std::string& text, const std::string& name, size_t from) {
  const size_t n = text.size(), m = name.size();
  if (m > n) return std::string::npos;
  const char first = fold(name[0]);
  for (size_t i = from; i + m <= n; ++i) {
    if (fold(text[i]) != first) continue;
    size_t k = 1;
    while (k < m && fold(text[i + k]) == fold(name[k])) ++k;
    if (k == m) return i;
  }
  return std::string::npos;
}

// One pair by the rule as written.
bool replaceOne(std::string& text, const std::string& name, const std::string& value) {
  if (name.empty()) return false;
  const size_t length = name.size();
  bool replaced = false, quoted = false;
  size_t from = 0, scanned = 0;  // quoted: inside quotes at scanned
  auto scanTo = [&](size_t to) {
    for (; scanned < to; ++scanned)
      if (text[scanned] == '"') quoted = !quoted;
  };
  for (long visits = 0; visits < kMaxVisits; ++visits) {
    size_t at = findFolded(text, name, from);
    if (at == std::string::npos) break;
    scanTo(at);
    size_t end = at + length;
    bool whole = !quoted && (at == 0 || !isWordByte(text[at - 1])) &&
                 (end == text.size() || !isWordByte(text[end]));
    if (!whole) {
      from = end;
      continue;
    }
    text.replace(at, length, value);
    from = at + value.size();
    scanTo(from);
    replaced = true;
  }
  return replaced;
}

}  // namespace

Nx_String replacementValue(const Nx_String& value, bool quoteValues) {
  if (!quoteValues || isNumber(value)) return value;
  Nx_String quoted = "\"";
  for (char c : value.str()) {
    // A quote inside the value would end the text early.
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

bool replaceWholeWords(Nx_String& text, const Nx_StringArray& names, const Nx_StringArray& values,
                       bool quoteValues) {
  int pairs = std::min(names.length(), values.length());
  bool replaced = false;
  for (int i = 0; i < pairs; ++i)
    replaced |=
        replaceOne(text.str(), names[i].str(), replacementValue(values[i], quoteValues).str());
  return replaced;
}

void WholeWordReplacer::setPairs(const Nx_StringArray& names, const Nx_StringArray& values,
                                 bool quoteValues) {
  names_.clear();
  values_.clear();
  runs_.clear();
  groups_.clear();
  int pairs = std::min(names.length(), values.length());
  for (int i = 0; i < pairs; ++i) {
    names_.push_back(names[i].str());
    values_.push_back(replacementValue(values[i], quoteValues).str());
    const std::string& name = names_.back();
    // A value with an odd number of quotes changes what counts as quoted
    // after it, which only the rule as written follows.
    if (isPlainWord(name) && hasBalancedQuotes(values_.back())) {
      if (groups_.empty() || groups_.back().run < 0) {
        groups_.push_back(Group{-1, static_cast<int>(runs_.size()), 0});
        runs_.emplace_back();
      }
      runs_.back().byName[folded(name)].push_back(i);
      continue;
    }
    Group literal{i, -1, 0};
    auto anchor = std::find_if(name.begin(), name.end(), [](char c) {
      return !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    });
    if (anchor != name.end()) literal.anchor = *anchor;
    groups_.push_back(literal);
  }
}

bool WholeWordReplacer::replace(Nx_String& text) const {
  bool replaced = false;
  std::string& s = text.str();
  for (const Group& group : groups_) {
    if (group.run >= 0) {
      replaced |= applyRun(s, runs_[static_cast<size_t>(group.run)]);
      continue;
    }
    // Names that are not plain words hold a byte that is no letter: a text
    // without it cannot hold the name.
    if (group.anchor && s.find(group.anchor) == std::string::npos) continue;
    const size_t i = static_cast<size_t>(group.literal);
    replaced |= replaceOne(s, names_[i], values_[i]);
  }
  return replaced;
}

// A plain name occurs as a whole word exactly where a maximal run of word
// bytes outside quotes equals it, so one pass over those runs does the work
// of every name of the run; a value put in for one name is offered to the
// later names only, as the rule applies them one after the other.
bool WholeWordReplacer::applyRun(std::string& text, const Run& run) const {
  std::string out, key;
  size_t copied = 0;
  bool quoted = false, replaced = false;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted || !isWordByte(c)) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < text.size() && isWordByte(text[j])) ++j;
    key.assign(text, i, j - i);
    for (char& k : key) k = fold(k);
    auto it = run.byName.find(key);
    if (it != run.byName.end()) {
      out.append(text, copied, i - copied);
      expandValue(out, run, it->second.front());
      copied = j;
      replaced = true;
    }
    i = j;
  }
  if (!replaced) return false;
  out.append(text, copied, std::string::npos);
  text.swap(out);
  return true;
}

void WholeWordReplacer::expand(std::string& out, const Run& run, const std::string& token,
                               int after) const {
  auto it = run.byName.find(folded(token));
  if (it != run.byName.end()) {
    auto next = std::upper_bound(it->second.begin(), it->second.end(), after);
    if (next != it->second.end()) {
      expandValue(out, run, *next);
      return;
    }
  }
  out += token;
}

void WholeWordReplacer::expandValue(std::string& out, const Run& run, int pair) const {
  const std::string& value = values_[static_cast<size_t>(pair)];
  bool quoted = false;
  for (size_t i = 0; i < value.size();) {
    char c = value[i];
    if (c == '"') quoted = !quoted;
    if (quoted || !isWordByte(c)) {
      out += c;
      ++i;
      continue;
    }
    size_t j = i;
    while (j < value.size() && isWordByte(value[j])) ++j;
    expand(out, run, value.substr(i, j - i), pair);
    i = j;
  }
}
