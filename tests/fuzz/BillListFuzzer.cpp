// Fuzz target: any bytes as the list file of a bill. A read that fails says
// why; every fault names the file; the bill it gives feeds every line it
// read to an output, between one start and one end.
#include <cstdint>
#include <cstdlib>

#include "core/bill/Nx_Bill.h"
#include "core/bill/Nx_ListOutputCallback.h"
#include "tests/fuzz/FuzzFile.h"

namespace {
class CountingOutput : public Nx_ListOutputCallback {
 public:
  Acad::ErrorStatus onStartFeed() override {
    ++starts;
    return Acad::eOk;
  }
  Acad::ErrorStatus onEndFeed() override {
    ++ends;
    return Acad::eOk;
  }
  void onAddRow(const Nx_StringArray&) override { ++lines; }
  void onAddSubTotals(const Nx_StringArray&, const Nx_StringArray&, bool, int) override { ++lines; }
  int starts = 0, ends = 0, lines = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzFile(data, size, "Bill.csv");
  Nx_Bill bill;
  Nx_StringArray faults;
  const bool read = bill.readList(path.c_str(), faults);
  for (const Nx_String& fault : faults)
    if (!fault.contains("Bill.csv", true)) std::abort();
  if (!read) {
    if (faults.length() == 0) std::abort();
    return 0;
  }
  if (bill.captions.length() != bill.kinds.length()) std::abort();
  if (bill.sectionColumn >= bill.captions.length() || bill.lengthColumn >= bill.captions.length())
    std::abort();
  CountingOutput output;
  if (bill.feed(output) != Acad::eOk || output.starts != 1 || output.ends != 1 ||
      output.lines != static_cast<int>(bill.lines.size()) || bill.currentLine != -1)
    std::abort();
  return 0;
}
