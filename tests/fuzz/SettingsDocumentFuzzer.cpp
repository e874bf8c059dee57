// Fuzz target: any bytes as spreadsheet settings, in both places they are
// kept: a settings document (NAME.kvd, read strictly) and the tag of a
// sheet's first cell (read leniently). A document is used whole or refused
// with a reason naming it; what either form reads is written to a sheet and
// read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/Nx_Settings.h"
#include "platform/ui/Dialog.h"
#include "spreadsheet/KvSSDocSettings.h"
#include "spreadsheet/KvSSRecords.h"
#include "spreadsheet/Nx_Spread.h"
#include "tests/fuzz/FuzzFile.h"

namespace {
constexpr int kPlaceholder = 1000;

// One sheet for the whole run, attached to a dialog of the headless kit.
struct SheetHost {
  SheetHost() {
    dialog.create();
    auto placeholder = std::make_unique<ui::Window>();
    placeholder->setId(kPlaceholder);
    placeholder->setRect({10, 10, 410, 210});
    dialog.addChild(std::move(placeholder));
    if (!spread.attachToItem(&dialog, kPlaceholder)) std::abort();
  }
  ui::Dialog dialog;
  Nx_Spread spread;
};

Nx_String tagOf(Nx_Spread& spread) {
  Nx_String tag;
  spread.getCellText(0, 0, tag, Nx_Spread::kTag);
  return tag;
}

// Settings written to the sheet and read back write the same records again.
void checkRoundTrip(const KvSSDocSettings& settings, Nx_Spread& spread) {
  if (!settings.writeToSheet(spread)) std::abort();
  const Nx_String written = tagOf(spread);
  KvSSDocSettings again;
  again.readFromSheet(spread);
  if (!again.writeToSheet(spread) || tagOf(spread) != written) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string library = [] {
    return std::filesystem::path(fuzzFile(nullptr, 0, "Fuzz.kvd")).parent_path().string() + "/";
  }();
  static SheetHost host;
  gSettings.setLibDir(library.c_str());
  const Nx_String text(fuzzText(data, size));

  // The record format: written records parse, leniently and strictly alike,
  // to the same records.
  KvSSRecords lenient, strict, again;
  lenient.parse(text);
  again.parse(lenient.text());
  if (again.text() != lenient.text()) std::abort();
  Nx_String fault;
  if (strict.parseStrict(text, fault)) {
    if (!again.parseStrict(strict.text(), fault) || again.text() != strict.text()) std::abort();
  } else if (fault.isEmpty()) {
    std::abort();
  }

  // The document form.
  fuzzFile(data, size, "Fuzz.kvd");
  KvSSDocSettings document;
  if (document.loadDocument("Fuzz")) {
    checkRoundTrip(document, host.spread);
  } else if (!document.lastError().contains("Fuzz.kvd", true)) {
    std::abort();
  }

  // The cell-tag form.
  if (!host.spread.sheet()->setCellTag(0, 0, text.str())) return 0;
  KvSSDocSettings tagged;
  tagged.readFromSheet(host.spread);
  checkRoundTrip(tagged, host.spread);
  return 0;
}
