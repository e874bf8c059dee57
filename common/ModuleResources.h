#pragma once
#include <span>

// Bitmap resources of the module by id: the rows of its XPM text, empty when
// the module has no bitmap of that id.
std::span<const char* const> findBitmapResource(int id);
