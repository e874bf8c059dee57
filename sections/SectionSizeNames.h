#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "platform/arx/AcArray.h"

class Nx_ProfValuesTable;

// How the size editor names a new size after the table's existing ones: a
// system name such as "200x100x5" repeats some of its row's values, and the
// pattern says which (value numbers counted from 1: 2, 1, 3 for the values
// 100, 200, 5).

// Matches each "x"-separated part of the name to a distinct value: a part
// that is a number by numeric equality, else as text without case, the
// first free value from the left. False when a part has no value.
bool matchNamePattern(const Nx_String& sysName, const Nx_StringArray& values,
                      AcArray<int>& pattern);

// The first row from start on (at most 9999 tried) whose system name
// matches its values; row receives it. False when none does.
bool findNamePattern(const Nx_ProfValuesTable& table, int start, AcArray<int>& pattern, int& row);

// The values named by the pattern joined with "x"; "" for an empty pattern
// or a pattern naming a value that is not given.
Nx_String patternName(const AcArray<int>& pattern, const Nx_StringArray& values);

// Where a new size of that system name goes so that the table stays in
// order: among the names whose first two "x" parts are equal (100x100x10)
// right after the one that sorts before it, else at its natural-order place
// among all system names.
int sortedInsertPosition(const Nx_ProfValuesTable& table, const Nx_String& sysName);
