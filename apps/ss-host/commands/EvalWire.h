#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "apps/ss-host/commands/EvalReport.h"

// How a batch worker hands a macro's results to the parent: the macro's
// place in the batch and its MacroRun, as CBOR in one frame.
namespace eval {

struct WireMacro {
  int index = 0;           // the macro's place among the batch's macros
  bool evaluated = false;  // false: the macro could not be opened, or --sheet passed it over
  MacroRun run;
};

std::vector<std::uint8_t> toWire(const WireMacro& macro);
// False when the bytes are no frame of toWire.
bool fromWire(const std::vector<std::uint8_t>& bytes, WireMacro& macro);

}  // namespace eval
