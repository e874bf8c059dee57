#pragma once
#include <functional>
#include <string>
#include <vector>

// The entries of the host window's "Dialogs" menu: one per exported dialog
// function of the module, grouped as the module groups them. An entry
// without a runner belongs to a dialog not built yet and shows greyed.
struct DialogMenuEntry {
  std::string group;     // submenu
  std::string label;     // menu text
  std::string function;  // the exported function it calls
  std::function<void()> run;
};

const std::vector<DialogMenuEntry>& dialogMenuEntries();
