#pragma once

class KvDlgStandardsData;

// How a sheet's CallChild runs its child sheet: to the end, as the module's
// entry runs any request (StartDlgStandardsSS, on a calculation dialog of the
// pool), true when every step succeeded. The entry and its pool sit above the
// engine, so the module installs the runner when it loads; without one a
// CallChild fails.
using KvChildRunner = bool (*)(KvDlgStandardsData& request);

// Installs the runner (null removes it); the previous one is returned.
KvChildRunner setChildRunner(KvChildRunner runner);
// Runs the child request through the installed runner; false without one.
bool runChildSheet(KvDlgStandardsData& request);
