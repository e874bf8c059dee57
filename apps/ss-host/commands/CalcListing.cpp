#include "apps/ss-host/commands/CalcListing.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <semaphore>
#include <string_view>
#include <system_error>
#include <thread>

#include "platform/base/Cp1252.h"
#include "platform/grid/Limits.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/export/CsvExport.h"

namespace {

constexpr std::size_t kOutputChunk = 1 << 16;

// The lines of the rows first..last, appended to `out`; `flush` takes
// `out` over whenever it has grown past a chunk.
template <class Flush>
void listRows(const grid::CellStore& cells, int first, int last, std::string& out, Flush&& flush) {
  // Column 0 and row 0 hold header captions, which have no cell name.
  cells.forEachIn(grid::Area{1, first, grid::kMaxColumns, last}, [&](const grid::Cell& c, int row) {
    if (!c.hasFormula() && (c.value.isEmpty() || (c.value.isText() && c.value.text.empty())))
      return;
    appendListingLine(out, c.col, row, c.value);
    if (out.size() >= kOutputChunk) flush(out);
  });
}

// A block the second thread has formatted, waiting to be written.
struct Slot {
  std::string text;
  std::binary_semaphore filled{0};
  std::counting_semaphore<> free{1};
};

}  // namespace

// Plain ASCII without separators or quotes, which is nearly every value,
// is appended as it is: a million cells make no temporary strings.
void appendListingLine(std::string& out, int col, int row, const grid::Value& value) {
  char name[16];
  char* end = name + sizeof name;
  char* at = end;
  for (int c = col; c > 0; c = (c - 1) / 26) *--at = static_cast<char>('A' + (c - 1) % 26);
  out.append(at, end);
  auto digits = std::to_chars(name, name + sizeof name, row);
  out.append(name, digits.ptr).append(1, ',');
  std::string number;
  std::string_view text;
  switch (value.kind) {
    case grid::ValueKind::Number:
      number = grid::formatGeneral(value.number);
      text = number;
      break;
    case grid::ValueKind::Text:
      text = value.text;
      break;
    default:
      number = grid::valueText(value);
      text = number;
  }
  bool plain = std::all_of(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x80 && c != ',' && c != '"' && c != '\r' && c != '\n';
  });
  if (plain)
    out.append(text);
  else
    grid::appendCsvField(out, base::cp1252ToUtf8(text));
  out.append(1, '\n');
}

void writeListing(const grid::CellStore& cells, std::FILE* to, std::size_t blockCells) {
  auto write = [to](std::string& text) {
    std::fwrite(text.data(), 1, text.size(), to);
    text.clear();
  };
  std::string out;
  const int lastRow = cells.rowLimit() - 1;
  const std::size_t perRow = cells.cellCount() / static_cast<std::size_t>(std::max(lastRow, 1)) + 1;
  const int blockRows = static_cast<int>(std::max<std::size_t>(1, blockCells / perRow));
  const int blocks = lastRow < 1 ? 0 : (lastRow + blockRows - 1) / blockRows;
  auto whole = [&] {
    listRows(cells, 1, lastRow, out, write);
    write(out);
  };
  if (blocks < 2 || cells.cellCount() < 2 * blockCells) return whole();

  auto firstRowOf = [&](int block) { return 1 + block * blockRows; };
  auto lastRowOf = [&](int block) { return std::min(lastRow, (block + 1) * blockRows); };
  // The odd blocks go through two slots: the second thread fills one while
  // the other waits for its turn to be written.
  std::array<Slot, 2> slots;
  std::atomic<bool> stop = false;
  std::jthread worker;
  try {
    worker = std::jthread([&] {
      for (int block = 1, k = 0; block < blocks; block += 2, ++k) {
        Slot& slot = slots[static_cast<std::size_t>(k % 2)];
        slot.free.acquire();
        if (stop) return;
        listRows(cells, firstRowOf(block), lastRowOf(block), slot.text, [](std::string&) {});
        slot.filled.release();
      }
    });
  } catch (const std::system_error&) {
    return whole();
  }
  try {
    for (int block = 0, k = 0; block < blocks; ++block) {
      if (block % 2 == 0) {
        listRows(cells, firstRowOf(block), lastRowOf(block), out, write);
        continue;
      }
      write(out);
      Slot& slot = slots[static_cast<std::size_t>(k++ % 2)];
      slot.filled.acquire();
      write(slot.text);
      slot.free.release();
    }
  } catch (...) {
    // Out of memory here: the second thread ends at its next slot.
    stop = true;
    for (Slot& slot : slots) slot.free.release();
    throw;
  }
  write(out);
}
