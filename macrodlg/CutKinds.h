#pragma once
#include "core/Nx_StringArray.h"

// The core's cut shapes by their stable names, numbered as Nx_ConstraintCutType.
Nx_StringArray cutKindChoices();
