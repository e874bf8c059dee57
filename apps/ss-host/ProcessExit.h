#pragma once

// The end of a command in the ss-host process. Once a command has written
// everything, what it built (a sheet of a million cells, a drawing of
// thousands of macros) need not be freed piece by piece: the system takes
// the whole process back at once, in a fraction of the time.
// Flushes standard output; false (with the reason on standard error) when
// what was printed could not be written, say on a full disk.
bool finishStandardOutput();

namespace hostexit {

// Called by the command entry: the process ends when its command does.
void endsWithCommand();

// When the process ends with the command, finishes standard output as the
// program does on its way out and ends the process with the exit code;
// otherwise (a command run inside a test, a build with sanitizers, whose
// leak check needs every free) returns.
void leaveIfDone(int code);

}  // namespace hostexit
