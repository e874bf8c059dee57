#pragma once
#include <string>

// The pixel size of a picture file read from its header: BMP, PNG, GIF and
// JPEG. False when the file cannot be read or is none of these.
bool readImageFileSize(const std::string& path, int& width, int& height);
