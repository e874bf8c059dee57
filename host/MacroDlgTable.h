#pragma once
#include <memory>
#include <vector>

class KvMacroDlg;

// The open modeless macro dialogs. A slot's index is the dialog's handle for
// the core module; a slot is null while reserved or after its dialog closed,
// and null slots at the end are trimmed away.
extern std::vector<std::unique_ptr<KvMacroDlg>> gMacroDlgs;

// A close that had to wait: the timer that retries it and the slot.
struct KvDelayedClose {
  int timerId = 0;
  int index = -1;
};
// Pending retries, in the order they were made.
extern std::vector<KvDelayedClose> gDelayedCloses;

// How long a deferred close waits before it is tried again.
inline constexpr int kDelayedCloseMs = 50;

// The timer callback of a deferred close.
void delayedCloseProc(int timerId);
