#include "platform/grid/file/WorkbookFormula.h"

#include <algorithm>

namespace grid {
namespace {

std::string_view dropPrefix(std::string_view text, std::string_view prefix) {
  return text.starts_with(prefix) ? text.substr(prefix.size()) : text;
}

// Copies a quoted string literal starting at text[i]; i moves past it.
void copyString(std::string_view text, std::size_t& i, std::string& out) {
  out += text[i++];
  while (i < text.size()) {
    char c = text[i++];
    out += c;
    if (c == '"') {
      if (i < text.size() && text[i] == '"') {
        out += text[i++];
        continue;
      }
      return;
    }
  }
}

// One end of an ODF reference: ".A1", "$Sheet2.A1", "'My sheet'.A1".
std::string odfReferencePart(std::string_view part) {
  if (part.starts_with('.')) return std::string(part.substr(1));
  std::size_t dot = part.rfind('.');
  if (dot == std::string_view::npos) return std::string(part);
  std::string_view sheet = dropPrefix(part.substr(0, dot), "$");
  return std::string(sheet) + "!" + std::string(part.substr(dot + 1));
}

}  // namespace

std::string formulaFromXlsx(std::string_view text) {
  text = dropPrefix(text, "=");
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '"') {
      copyString(text, i, out);
    } else if (text.substr(i).starts_with("_xlfn.") || text.substr(i).starts_with("_xlws.")) {
      i += 6;
    } else {
      // Up to the next string or prefix in one piece.
      std::size_t end = std::min(text.find_first_of("\"_", i + 1), text.size());
      out.append(text.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

std::string formulaFromOdf(std::string_view text) {
  text = dropPrefix(dropPrefix(dropPrefix(text, "of:"), "oooc:"), "=");
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == '"') {
      copyString(text, i, out);
    } else if (c == '[') {
      std::size_t close = text.find(']', i);
      if (close == std::string_view::npos) {
        out.append(text.substr(i));
        break;
      }
      std::string_view ref = text.substr(i + 1, close - i - 1);
      std::size_t colon = ref.find(':');
      out += odfReferencePart(ref.substr(0, colon));
      if (colon != std::string_view::npos) out += ":" + odfReferencePart(ref.substr(colon + 1));
      i = close + 1;
    } else {
      out += c == ';' ? ',' : c;
      ++i;
    }
  }
  return out;
}

}  // namespace grid
