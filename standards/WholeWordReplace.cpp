#include "standards/WholeWordReplace.h"

#include <algorithm>

#include "core/StringHelpers.h"

namespace {

bool isWordByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isPlainWord(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), isWordByte);
}

std::string folded(std::string text) {
  for (char& c : text) c = fold(c);
  return text;
}

// The name (not empty) stands at position at, letters without case.
bool occursAt(const std::string& text, size_t at, const std::string& name) {
  if (name.size() > text.size() - at) return false;
  for (size_t k = 0; k < name.size(); ++k)
    if (fold(text[at + k]) != fold(name[k])) return false;
  return true;
}

// An occurrence of length bytes at position at counts as the name.
bool counts(const std::string& text, size_t at, size_t length, bool quoted) {
  size_t end = at + length;
  return !quoted && (at == 0 || !isWordByte(text[at - 1])) &&
         (end == text.size() || (!isWordByte(text[end]) && text[end] != '('));
}

// Appends the replaced bytes' worth of quote state: the pass goes on in the
// original text, so its quotes decide what is quoted after an occurrence.
void passOver(const std::string& text, size_t from, size_t to, bool& quoted) {
  for (size_t i = from; i < to; ++i)
    if (text[i] == '"') quoted = !quoted;
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
  const std::string in = text.str();
  const size_t pairs = static_cast<size_t>(std::min(names.length(), values.length()));
  // Each name's occurrence that did not count, passed over up to here.
  std::vector<size_t> passedUntil(pairs, 0);
  std::string out;
  bool quoted = false, replaced = false;
  for (size_t i = 0; i < in.size();) {
    int best = -1;
    size_t bestLength = 0;
    for (size_t p = 0; p < pairs; ++p) {
      const std::string& name = names[static_cast<int>(p)].str();
      if (name.empty() || passedUntil[p] > i || !occursAt(in, i, name)) continue;
      if (!counts(in, i, name.size(), quoted))
        passedUntil[p] = i + name.size();
      else if (name.size() > bestLength)
        best = static_cast<int>(p), bestLength = name.size();
    }
    if (best < 0) {
      if (in[i] == '"') quoted = !quoted;
      out += in[i++];
      continue;
    }
    out += replacementValue(values[best], quoteValues).str();
    passOver(in, i, i + bestLength, quoted);
    i += bestLength;
    replaced = true;
  }
  if (replaced) text.str().swap(out);
  return replaced;
}

void WholeWordReplacer::setPairs(const Nx_StringArray& names, const Nx_StringArray& values,
                                 bool quoteValues) {
  names_.clear();
  values_.clear();
  plain_.clear();
  others_.clear();
  otherSlot_.clear();
  otherCount_ = 0;
  int pairs = std::min(names.length(), values.length());
  for (int i = 0; i < pairs; ++i) {
    names_.push_back(names[i].str());
    values_.push_back(replacementValue(values[i], quoteValues).str());
    otherSlot_.push_back(-1);
    const std::string& name = names_.back();
    if (name.empty()) continue;
    if (isPlainWord(name)) {
      plain_.try_emplace(folded(name), i);
      continue;
    }
    others_[fold(name[0])].push_back(i);
    otherSlot_.back() = otherCount_++;
  }
}

bool WholeWordReplacer::replace(Nx_String& text, std::vector<int>* hits) const {
  if (values_.empty()) return false;
  const std::string& in = text.str();
  std::vector<size_t> passedUntil(static_cast<size_t>(otherCount_), 0);
  std::string out, key;
  bool quoted = false, replaced = false;
  size_t copied = 0;
  for (size_t i = 0; i < in.size();) {
    int best = -1;
    size_t bestLength = 0;
    // A plain name counts exactly where it is a whole run of word bytes.
    size_t wordEnd = i;
    bool wordStart = isWordByte(in[i]) && (i == 0 || !isWordByte(in[i - 1]));
    if (wordStart) {
      while (wordEnd < in.size() && isWordByte(in[wordEnd])) ++wordEnd;
      if (!quoted && (wordEnd == in.size() || in[wordEnd] != '(')) {
        key.assign(in, i, wordEnd - i);
        for (char& k : key) k = fold(k);
        if (auto it = plain_.find(key); it != plain_.end())
          best = it->second, bestLength = wordEnd - i;
      }
    }
    if (otherCount_) {
      if (auto it = others_.find(fold(in[i])); it != others_.end()) {
        for (int p : it->second) {
          size_t& passed = passedUntil[static_cast<size_t>(otherSlot_[static_cast<size_t>(p)])];
          const std::string& name = names_[static_cast<size_t>(p)];
          if (passed > i || !occursAt(in, i, name)) continue;
          if (!counts(in, i, name.size(), quoted))
            passed = i + name.size();
          else if (name.size() > bestLength || (name.size() == bestLength && p < best))
            best = p, bestLength = name.size();
        }
      }
    }
    if (best >= 0) {
      out.append(in, copied, i - copied);
      out += values_[static_cast<size_t>(best)];
      if (hits) hits->push_back(best);
      passOver(in, i, i + bestLength, quoted);
      i += bestLength;
      copied = i;
      replaced = true;
    } else if (wordStart && !otherCount_) {
      i = wordEnd;  // no name begins inside a word
    } else {
      if (in[i] == '"') quoted = !quoted;
      ++i;
    }
  }
  if (!replaced) return false;
  out.append(in, copied, std::string::npos);
  text.str().swap(out);
  return true;
}
