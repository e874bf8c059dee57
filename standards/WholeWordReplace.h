#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"

// Whole-word replacement of names by values: how the standards driver puts
// general-variable values and cell references into a sheet's texts.
//
// One pass over the text, left to right; what is put in is never searched
// again, so a value that reads like a name (a reference "A2" while a
// variable is called A2) stays as it is. The pairs are as many as the
// shorter list has. An occurrence of a name (ASCII letters without case)
// counts when neither the byte before it nor the byte after it is an ASCII
// letter, a digit or "_", the byte after it is no "(" (a name followed by
// "(" calls a function of that name), and it does not begin inside
// double-quoted text (a quote inside quoted text is written twice, as in
// formulas): quoted text is literal. Where names of several pairs count at
// one place, the longest is replaced, and of equal names the first pair's.
// A counted occurrence is replaced by the value and the pass goes on after
// it; an occurrence that does not count is passed over as a whole for its
// name. An empty name matches nothing. With quoteValues, a value that is not
// a number is inserted as quoted text. True when anything was replaced.
bool replaceWholeWords(Nx_String& text, const Nx_StringArray& names, const Nx_StringArray& values,
                       bool quoteValues);

// What replaceWholeWords inserts for a value.
Nx_String replacementValue(const Nx_String& value, bool quoteValues);

// The same rule, prepared once for many texts: names that are plain words
// (letters, digits, "_") are found through a hash lookup of the text's
// words, the others by their first byte. The result is that of
// replaceWholeWords for every text.
class WholeWordReplacer {
 public:
  void setPairs(const Nx_StringArray& names, const Nx_StringArray& values, bool quoteValues);
  // hits, when given, receives the pair of every replacement, in order.
  bool replace(Nx_String& text, std::vector<int>* hits = nullptr) const;
  int pairCount() const { return static_cast<int>(values_.size()); }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> values_;
  // Plain words: folded name to the first pair that carries it.
  std::unordered_map<std::string, int> plain_;
  // Other names: the pairs by the folded first byte of their name, ascending.
  std::unordered_map<char, std::vector<int>> others_;
  int otherCount_ = 0;
  std::vector<int> otherSlot_;  // pair -> its slot among the other names
};
