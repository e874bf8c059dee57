#pragma once
// All text helpers of the core in one include: texts, lists, paths and
// rounding. Files, searches and times have their own headers
// (FileHelpers.h, FileSearch.h, TimeHelpers.h, RowFile.h).
#include "core/ArrayHelpers.h"
#include "core/PathHelpers.h"
#include "core/Rounding.h"
#include "core/StringHelpers.h"
