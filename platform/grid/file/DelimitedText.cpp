#include "platform/grid/file/DelimitedText.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>

#include "platform/base/Cp1252.h"
#include "platform/grid/CellInput.h"
#include "platform/grid/formula/FormulaShapes.h"

namespace grid {
namespace {

char detectSeparator(std::string_view text) {
  std::size_t tabs = 0, semicolons = 0, commas = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"')
      quoted = !quoted;
    else if (!quoted && (c == '\n' || c == '\r'))
      break;
    else if (!quoted && c == '\t')
      ++tabs;
    else if (!quoted && c == ';')
      ++semicolons;
    else if (!quoted && c == ',')
      ++commas;
  }
  if (tabs > 0) return '\t';
  return semicolons > commas ? ';' : ',';
}

bool isAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Gives the pages of a text the caller has handed over back to the system
// once they are read, so that a large file is not in memory whole beside
// its cells. Only whole pages from the part's start up to what is read go,
// and, in the first half, no further than the second half's thread has
// walked; so the halves never give back a page the other still reads.
class ReadPages {
 public:
  ReadPages() = default;  // keeps every page
  ReadPages(std::string_view text, std::size_t begin, const std::atomic<std::size_t>* walked)
      : base_(text.data()), done_(begin), next_(begin + kStep), walked_(walked) {}
  void readUpTo(std::size_t at) {
    if (at >= next_) release(at);
  }

 private:
  static constexpr std::size_t kStep = std::size_t{1} << 20;
  void release(std::size_t at) {
    next_ = at + kStep;
    if (walked_) at = std::min(at, walked_->load(std::memory_order_acquire));
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    std::uintptr_t from =
        (reinterpret_cast<std::uintptr_t>(base_ + done_) + page - 1) / page * page;
    std::uintptr_t to = reinterpret_cast<std::uintptr_t>(base_ + at) / page * page;
    if (to <= from) return;
    ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    done_ = to - reinterpret_cast<std::uintptr_t>(base_);
  }
  const char* base_ = nullptr;
  std::size_t done_ = 0;  // given back below, from the part's start
  std::size_t next_ = SIZE_MAX;
  const std::atomic<std::size_t>* walked_ = nullptr;
};

// A run of whole records: from `begin` to the record that starts at or
// past `stopAt` (the text's end for the last part).
struct Part {
  std::size_t begin = 0, stopAt = 0;
  int firstRow = 1, firstLine = 1;
};

// What reading a part found: where it stopped, and the sheet's size so far.
struct PartEnd {
  std::size_t at = 0;
  int row = 1, line = 1, widest = 0;
};

// Reads the records of one part into `cells`; each part has a shape cache
// of its own, so parts can be read side by side.
bool readRecords(std::string_view text, char sep, const Part& part, const std::string& name,
                 CellStore& cells, PartEnd& end, std::string& error,
                 std::vector<std::string>* warnings, ReadPages pages = {}) {
  FormulaShapes formulas;
  std::size_t i = part.begin, n = text.size();
  int row = part.firstRow, line = part.firstLine, widest = 0;
  std::string field;
  std::size_t lastStored = 0;  // cells of the record before
  while (i < n && i < part.stopAt) {
    pages.readUpTo(i);
    int recordLine = line;
    int col = 1;
    std::size_t storedBefore = cells.cellCount();
    if (lastStored > 0 && row <= kMaxRows) cells.reserveRow(row, lastStored);
    bool endOfRecord = false, lastValueEmpty = true;
    while (!endOfRecord) {
      // The field's text: a view of the file where it can be, built in
      // `field` only for doubled quotes or a conversion.
      std::string_view value;
      int fieldLine = line;
      if (i < n && text[i] == '"') {
        ++i;
        field.clear();
        bool built = false;
        for (;;) {
          std::size_t quote = text.find('"', i);
          if (quote == std::string_view::npos) {
            error = name + ": line " + std::to_string(fieldLine) + ": a quoted field is not closed";
            return false;
          }
          std::string_view run = text.substr(i, quote - i);
          line += static_cast<int>(std::count(run.begin(), run.end(), '\n'));
          i = quote + 1;
          bool doubled = i < n && text[i] == '"';
          if (!doubled && !built) {
            value = run;
            break;
          }
          field.append(run);
          built = true;
          if (!doubled) break;
          field += '"';
          ++i;
        }
        if (built) value = field;
        if (i < n && text[i] != sep && text[i] != '\n' && text[i] != '\r') {
          error = name + ": line " + std::to_string(line) + ", cell " + cellName(col, row) +
                  ": text after the closing quote";
          return false;
        }
      } else {
        std::size_t stop = i;
        while (stop < n && text[stop] != sep && text[stop] != '\n' && text[stop] != '\r') ++stop;
        value = text.substr(i, stop - i);
        i = stop;
      }
      if (!isAscii(value)) {
        field = base::utf8ToCp1252(value);
        value = field;
      }
      lastValueEmpty = value.empty();
      if (value.size() > kMaxTextLength) {
        error = name + ": line " + std::to_string(fieldLine) + ", cell " + cellName(col, row) +
                ": the field is too long";
        return false;
      }
      if (!value.empty()) {
        if (col > kMaxColumns) {
          error = name + ": line " + std::to_string(recordLine) + ": more than " +
                  std::to_string(kMaxColumns) + " columns";
          return false;
        }
        if (cells.cellCount() >= kMaxFileCells) {
          error = name + ": more than " + std::to_string(kMaxFileCells) + " cells";
          return false;
        }
        Cell& cell = cells.obtain(col, row);
        if (value[0] == '=') {
          CompileError why;
          // The text after "=" is what a save writes and a load compiles again.
          std::string_view formula = value.substr(1);
          if (!formulas.compile(formula, col, row, cell.formula, &why)) {
            // A form this engine does not know spoils one cell, not the sheet.
            cell.formula = unreadableFormula(formula);
            cell.value = Value::makeError(ErrorCode::Name);
            if (warnings)
              warnings->push_back(name + ": line " + std::to_string(fieldLine) + ", cell " +
                                  cellName(col, row) + ": " + why.describe() +
                                  "; the cell reads #NAME?");
          }
        } else {
          interpretInput(CellType{}, value, cell.value);
        }
      }
      if (i >= n) {
        endOfRecord = true;
      } else if (text[i] == sep) {
        ++i;
        ++col;
        if (col > kMaxColumns + 1) {
          error = name + ": line " + std::to_string(recordLine) + ": more than " +
                  std::to_string(kMaxColumns) + " columns";
          return false;
        }
      } else {
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        ++i;
        ++line;
        endOfRecord = true;
      }
    }
    lastStored = cells.cellCount() - storedBefore;
    // A last line without any field is the file's closing line break, no row.
    if (i < n || col > 1 || !lastValueEmpty) {
      widest = std::max(widest, col);
      ++row;
    }
    if (row > kMaxRows + 1) {
      error = name + ": more than " + std::to_string(kMaxRows) + " rows";
      return false;
    }
  }
  end = {i, row, line, widest};
  return true;
}

// Where the first record at or past `from` starts, with its row and line,
// found by walking the records before it as readRecords does without
// keeping anything; false when the text holds no such record or is
// malformed before it (then the first half's reader finds the fault).
// `walked` tells how far it has gone.
bool findPartStart(std::string_view text, char sep, std::size_t from, Part& out,
                   std::atomic<std::size_t>& walked) {
  std::size_t i = 0, n = text.size(), told = 0;
  int row = 1, line = 1;
  while (i < n) {
    if (i >= told + (std::size_t{1} << 20)) {
      walked.store(i, std::memory_order_release);
      told = i;
    }
    if (i >= from) {
      out.begin = i;
      out.firstRow = row;
      out.firstLine = line;
      return true;
    }
    for (;;) {
      if (text[i] == '"') {
        ++i;
        for (;;) {
          std::size_t quote = text.find('"', i);
          if (quote == std::string_view::npos) return false;
          line +=
              static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(i),
                                          text.begin() + static_cast<std::ptrdiff_t>(quote), '\n'));
          i = quote + 1;
          if (i < n && text[i] == '"') {
            ++i;
            continue;
          }
          break;
        }
        if (i < n && text[i] != sep && text[i] != '\n' && text[i] != '\r') return false;
      } else {
        while (i < n && text[i] != sep && text[i] != '\n' && text[i] != '\r') ++i;
      }
      if (i >= n) return false;
      if (text[i] == sep) {
        ++i;
        continue;
      }
      if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      ++i;
      ++line;
      break;
    }
    ++row;
  }
  return false;
}

// The second half of the text, read on a thread of its own into cells of
// its own. Locating its first record costs a walk over the first half,
// which runs beside the reading of the first half.
struct SecondHalf {
  std::string_view text;
  char sep = ',';
  std::size_t from = 0;
  const std::string* name = nullptr;
  bool handedOver = false;

  std::atomic<std::size_t> walked{0};
  Part part;
  PartEnd end;
  CellStore cells;
  std::vector<std::string> warnings;
  std::string error;
  bool started = false, ok = false;
  std::exception_ptr failure;  // out of memory: rethrown where the caller is

  void operator()() noexcept {
    try {
      started = findPartStart(text, sep, from, part, walked);
      // The first half's reader alone reads what lies before.
      walked.store(started ? part.begin : text.size(), std::memory_order_release);
      if (!started) return;
      part.stopAt = text.size();
      ReadPages pages;
      if (handedOver) pages = ReadPages(text, part.begin, nullptr);
      ok = readRecords(text, sep, part, *name, cells, end, error, &warnings, pages);
    } catch (...) {
      failure = std::current_exception();
    }
  }
};

bool readSequentially(std::string_view text, char sep, const std::string& name, SheetContent& out,
                      std::string& error, std::vector<std::string>* warnings) {
  Part whole{0, text.size(), 1, 1};
  PartEnd end;
  if (!readRecords(text, sep, whole, name, out.cells, end, error, warnings)) return false;
  out.maxCols = end.widest;
  out.maxRows = end.row - 1;
  return true;
}

}  // namespace

bool readDelimitedText(std::string_view raw, const std::string& name, SheetContent& out,
                       std::string& error, std::vector<std::string>* warnings) {
  return readDelimitedText(raw, name, out, error, warnings, kReadInPartsFrom);
}

bool readDelimitedText(std::string_view raw, const std::string& name, SheetContent& out,
                       std::string& error, std::vector<std::string>* warnings,
                       std::size_t inPartsFrom, bool handedOver) {
  // UTF-8 text becomes Windows-1252; bytes that are no UTF-8 are taken as
  // they are, so files in either encoding read right. Field by field: the
  // separators, quotes and line ends are ASCII, which no UTF-8 sequence
  // holds, and a large file is then never in memory twice.
  std::string_view text = raw;
  char sep = detectSeparator(text);
  if (text.size() < inPartsFrom || text.size() < 2)
    return readSequentially(text, sep, name, out, error, warnings);

  // Two halves side by side, split at a record boundary: the second half
  // a little smaller, as its thread first walks the first half to find it.
  SecondHalf second;
  second.text = text;
  second.sep = sep;
  second.from = text.size() / 2 + text.size() / 32;
  second.name = &name;
  second.handedOver = handedOver;
  std::vector<std::string> firstWarnings;
  PartEnd firstEnd;
  bool firstOk = false;
  {
    std::jthread worker;
    try {
      worker = std::jthread(std::ref(second));
    } catch (const std::system_error&) {
      return readSequentially(text, sep, name, out, error, warnings);
    }
    Part first{0, second.from, 1, 1};
    ReadPages pages;
    if (handedOver) pages = ReadPages(text, 0, &second.walked);
    firstOk =
        readRecords(text, sep, first, name, out.cells, firstEnd, error, &firstWarnings, pages);
  }
  if (second.failure) std::rethrow_exception(second.failure);
  // What one pass reports is found without reading again (the text may be
  // gone): the first half's fault comes first; past the limit on cells the
  // halves pass together, one pass stops there; else the second half's.
  if (!firstOk) return false;
  auto done = [&](int widest, int rows) {
    if (warnings) {
      *warnings = std::move(firstWarnings);
      warnings->insert(warnings->end(), std::make_move_iterator(second.warnings.begin()),
                       std::make_move_iterator(second.warnings.end()));
    }
    out.maxCols = widest;
    out.maxRows = rows;
    return true;
  };
  if (!second.started && firstEnd.at >= text.size())
    return done(firstEnd.widest, firstEnd.row - 1);  // one half held every record
  if (!second.started || firstEnd.at != second.part.begin || firstEnd.row != second.part.firstRow ||
      firstEnd.line != second.part.firstLine) {
    error = name + ": cannot be read (its halves do not meet)";  // never, as both walk alike
    return false;
  }
  const std::string tooManyCells = name + ": more than " + std::to_string(kMaxFileCells) + " cells";
  if (out.cells.cellCount() + second.cells.cellCount() > kMaxFileCells ||
      (!second.ok && second.error == tooManyCells)) {
    error = tooManyCells;
    return false;
  }
  if (!second.ok) {
    error = std::move(second.error);
    return false;
  }
  out.cells.appendRows(std::move(second.cells));
  return done(std::max(firstEnd.widest, second.end.widest), second.end.row - 1);
}

}  // namespace grid
