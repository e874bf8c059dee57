#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"

// Whole-word replacement of names by values: how the standards driver puts
// general-variable values and cell references into a sheet's texts.
//
// The pairs (as many as the shorter list has) are applied one after the
// other, in list order, each to the text the earlier ones left. An
// occurrence of a name (ASCII letters without case) counts when neither the
// byte before it nor the byte after it is an ASCII letter, a digit or "_",
// and it does not begin inside double-quoted text (a quote inside quoted
// text is written twice, as in formulas): quoted text is literal. A counted
// occurrence is replaced by the value and the search goes on after the
// inserted value, so a value is never searched for the same name; an
// occurrence that does not count is passed over as a whole. An empty name
// matches nothing. With quoteValues, a value that is not a number is
// inserted as quoted text. True when anything was replaced.
bool replaceWholeWords(Nx_String& text, const Nx_StringArray& names, const Nx_StringArray& values,
                       bool quoteValues);

// What replaceWholeWords inserts for a value.
Nx_String replacementValue(const Nx_String& value, bool quoteValues);

// The same rule, prepared once for many texts: consecutive pairs whose name
// is a plain word (letters, digits, "_") are applied in one pass over the
// text's words through a hash lookup, the others by the rule as written.
// The result is that of replaceWholeWords for every text.
class WholeWordReplacer {
 public:
  void setPairs(const Nx_StringArray& names, const Nx_StringArray& values, bool quoteValues);
  bool replace(Nx_String& text) const;
  int pairCount() const { return static_cast<int>(names_.size()); }

 private:
  // A run of plain-word pairs: each folded name with the pair indices that
  // carry it, ascending.
  struct Run {
    std::unordered_map<std::string, std::vector<int>> byName;
  };
  struct Group {
    int literal = -1;  // the pair applied by the rule as written, or -1 for a run
    int run = -1;
    char anchor = 0;  // a byte every occurrence holds (0: none known)
  };
  bool applyRun(std::string& text, const Run& run) const;
  void expand(std::string& out, const Run& run, const std::string& token, int after) const;
  void expandValue(std::string& out, const Run& run, int pair) const;

  std::vector<std::string> names_;
  std::vector<std::string> values_;
  std::vector<Run> runs_;
  std::vector<Group> groups_;
};
