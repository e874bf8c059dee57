#pragma once
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"

// What a user would see wrong in a shown dialog: sibling controls that
// overlap (group boxes and the controls they frame aside) and labels cut off
// by their control. One line per fault.
std::vector<std::string> layoutFaults(const ui::Dialog& dialog);
