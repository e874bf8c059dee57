#include "core/CspProblems.h"

#include <cmath>
#include <map>

namespace {
// Cells each list needs, and what they are, for the message of a short line.
struct ListShape {
  int cells;
  const char* names;
};
const ListShape kShapes[DlgCSP2Data::kListCount] = {
    {3, "profile, length, count"},
    {3, "profile, length, count"},
    {3, "profile, length, price per metre"},
};

bool isEmptyRow(const Nx_StringArray& row) {
  for (const Nx_String& cell : row)
    if (!cell.trimmed().isEmpty()) return false;
  return true;
}

Nx_String where(const CspListSource& source, int row) {
  return source.name + ": line " + Nx_String(row + 1) + ": ";
}

bool positive(const Nx_String& text, double& value) {
  return text.toDouble(value) && std::isfinite(value) && value > 0;
}

bool wholeCount(const Nx_String& text, int& value) {
  double v = 0;
  if (!text.toDouble(v) || !std::isfinite(v) || v < 0 || v > 1e7 || v != std::floor(v))
    return false;
  value = static_cast<int>(v);
  return true;
}

bool price(const Nx_String& text, double& value) {
  return text.toDouble(value) && std::isfinite(value) && value >= 0;
}

// The fault of one row, or empty when the row is sound.
Nx_String rowFault(int list, const Nx_StringArray& row) {
  const ListShape& shape = kShapes[list];
  if (row.length() < shape.cells)
    return "a short line: " + Nx_String(row.length()) + " of " + Nx_String(shape.cells) +
           " cells (" + shape.names + ")";
  double number = 0;
  int count = 0;
  if (row[0].trimmed().isEmpty()) return "no profile";
  if (!positive(row[1], number)) return "the length \"" + row[1] + "\" is not a positive number";
  if (list != DlgCSP2Data::kBuy && !wholeCount(row[2], count))
    return "the count \"" + row[2] + "\" is not a whole number";
  if (list == DlgCSP2Data::kBuy && !price(row[2], number))
    return "the price \"" + row[2] + "\" is not a number of 0 or more";
  return {};
}

Nx_String profileKey(const Nx_String& profile) {
  return profile.trimmed().upper();
}
}  // namespace

int checkCspRows(int list, const CspListSource& source, Nx_StringArray& faults) {
  int found = 0;
  if (!source.rows || list < 0 || list >= DlgCSP2Data::kListCount) return 0;
  for (int r = 0; r < source.rows->length(); ++r) {
    const Nx_StringArray& row = (*source.rows)[r];
    if (isEmptyRow(row)) continue;
    Nx_String fault = rowFault(list, row);
    if (fault.isEmpty()) continue;
    faults.append(where(source, r) + fault);
    ++found;
  }
  return found;
}

std::vector<csp::Problem> cspProblems(const CspListSource& parts, const CspListSource& shop,
                                      const CspListSource& buy, double sawCut,
                                      Nx_StringArray& faults) {
  std::vector<csp::Problem> problems;
  std::map<Nx_String, size_t> byProfile;
  // The sound rows of a list, with their row numbers.
  auto sound = [&faults](int list, const CspListSource& source) {
    std::vector<std::pair<int, const Nx_StringArray*>> rows;
    if (!source.rows) return rows;
    checkCspRows(list, source, faults);
    for (int r = 0; r < source.rows->length(); ++r) {
      const Nx_StringArray& row = (*source.rows)[r];
      if (!isEmptyRow(row) && rowFault(list, row).isEmpty()) rows.emplace_back(r, &row);
    }
    return rows;
  };
  std::vector<std::pair<int, const Nx_StringArray*>> partRows = sound(DlgCSP2Data::kParts, parts);
  for (auto [r, row] : partRows) {
    auto [at, added] = byProfile.emplace(profileKey((*row)[0]), problems.size());
    if (added) {
      problems.emplace_back();
      problems.back().name = (*row)[0].trimmed().str();
      problems.back().sawCut = sawCut;
    }
    csp::Piece piece;
    piece.length = (*row)[1].toDouble();
    wholeCount((*row)[2], piece.count);
    piece.mark = row->length() > 3 && !(*row)[3].trimmed().isEmpty()
                     ? (*row)[3].trimmed().str()
                     : "line " + std::to_string(r + 1);
    problems[at->second].pieces.push_back(piece);
  }
  for (auto [r, row] : sound(DlgCSP2Data::kShop, shop)) {
    auto at = byProfile.find(profileKey((*row)[0]));
    if (at == byProfile.end()) continue;
    csp::Stock s{csp::Stock::Source::Shop, (*row)[1].toDouble(), 0, 0};
    wholeCount((*row)[2], s.count);
    problems[at->second].stock.push_back(s);
  }
  for (auto [r, row] : sound(DlgCSP2Data::kBuy, buy)) {
    auto at = byProfile.find(profileKey((*row)[0]));
    if (at == byProfile.end()) continue;
    problems[at->second].stock.push_back(
        {csp::Stock::Source::Purchase, (*row)[1].toDouble(), 0, (*row)[2].toDouble()});
  }
  // Pieces that no stock length of their profile holds.
  for (auto [r, row] : partRows) {
    const csp::Problem& p = problems[byProfile[profileKey((*row)[0])]];
    double longest = 0;
    for (const csp::Stock& s : p.stock)
      if (s.source == csp::Stock::Source::Purchase || s.count > 0)
        longest = std::max(longest, s.length);
    if ((*row)[1].toDouble() <= longest) continue;
    faults.append(where(parts, r) + (longest > 0
                                         ? "the piece of " + (*row)[1].trimmed() +
                                               " mm is longer than every stock length of " + p.name
                                         : "no stock length of " + Nx_String(p.name)));
  }
  return problems;
}
