#pragma once
// A header that includes below its layer, as it may.
#include "low/Low.h"
