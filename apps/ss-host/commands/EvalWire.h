#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "apps/ss-host/commands/EvalReport.h"
#include "core/macro/DrawingParts.h"

// How a batch worker hands a macro's results to the parent: the macro's
// place in the batch and its MacroRun, in one frame of a plain binary
// form: lengths and texts, no names, nothing the parent has to look up.
// With a save, the frame carries the macro's text of the file too.
namespace eval {

struct WireMacro {
  int index = 0;           // the macro's place among the batch's macros
  bool loaded = true;      // false: the macro did not load alone; nothing else is sent
  std::string name;        // as loaded (Windows-1252), for the check across macros
  bool evaluated = false;  // false: the macro could not be opened, or --sheet passed it over
  MacroRun run;
  // The macro's part of the saved file, written and proven: as its runs
  // left it when every sheet succeeded, else as it was loaded; only for a save.
  bool hasPart = false;
  drawing::DrawingPart part;
};

// The frame of a macro appended to bytes: its length (4 bytes, host order:
// both ends are this process's image), then the macro as toWire gives it.
void appendFrame(const WireMacro& macro, std::string& bytes);
std::vector<std::uint8_t> toWire(const WireMacro& macro);
// False when the bytes are no frame of toWire (cut short, too long, a flag
// that is neither 0 nor 1, a count past the end).
bool fromWire(const std::uint8_t* data, size_t size, WireMacro& macro);

}  // namespace eval
