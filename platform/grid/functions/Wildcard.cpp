#include "platform/grid/functions/Wildcard.h"

#include <string>

#include "platform/grid/functions/Coercion.h"

namespace grid {
namespace {
struct PatternChar {
  char c;
  bool any;   // "?"
  bool star;  // "*"
};

std::basic_string<char> fold(std::string_view s) {
  return upperCase(s);
}

// Compiles "~" escapes away so matching works on plain symbols.
std::basic_string<PatternChar> compile(std::string_view pattern) {
  std::basic_string<PatternChar> out;
  std::string up = fold(pattern);
  for (std::size_t i = 0; i < up.size(); ++i) {
    char c = up[i];
    if (c == '~' && i + 1 < up.size())
      out.push_back({up[++i], false, false});
    else if (c == '?')
      out.push_back({0, true, false});
    else if (c == '*') {
      if (out.empty() || !out.back().star) out.push_back({0, false, true});
    } else
      out.push_back({c, false, false});
  }
  return out;
}

bool same(const PatternChar& p, char c) {
  return p.any || p.c == c;
}

// Greedy matching with one backtrack point: linear in practice, n*m at worst.
bool matchFrom(const std::basic_string<PatternChar>& p, std::size_t pi, std::string_view t,
               std::size_t ti, bool openEnd) {
  std::size_t starP = std::string::npos, starT = 0;
  while (ti < t.size()) {
    if (pi < p.size() && p[pi].star) {
      starP = pi++;
      starT = ti;
    } else if (pi < p.size() && same(p[pi], t[ti])) {
      ++pi, ++ti;
    } else if (pi == p.size() && openEnd) {
      return true;
    } else if (starP != std::string::npos) {
      pi = starP + 1;
      ti = ++starT;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi].star) ++pi;
  return pi == p.size();
}
}  // namespace

bool hasWildcards(std::string_view pattern) {
  return pattern.find_first_of("?*~") != std::string_view::npos;
}

bool wildcardMatch(std::string_view pattern, std::string_view text) {
  auto p = compile(pattern);
  std::string t = fold(text);
  return matchFrom(p, 0, t, 0, false);
}

long wildcardSearch(std::string_view pattern, std::string_view text, std::size_t start) {
  auto p = compile(pattern);
  std::string t = fold(text);
  if (start > t.size()) return -1;
  std::size_t firstStar = 0;
  while (firstStar < p.size() && !p[firstStar].star) ++firstStar;
  for (std::size_t i = start; i + firstStar <= t.size(); ++i) {
    std::size_t k = 0;
    while (k < firstStar && same(p[k], t[i + k])) ++k;
    if (k < firstStar) continue;
    // What follows the first "*" matches from here if it matches from any
    // later start, so the first fitting head decides.
    if (firstStar == p.size()) return static_cast<long>(i);
    return matchFrom(p, firstStar, t, i + firstStar, true) ? static_cast<long>(i) : -1;
  }
  return -1;
}

}  // namespace grid
