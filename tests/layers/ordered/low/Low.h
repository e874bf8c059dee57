#pragma once
// A bottom-layer header that includes no module folder.
#include <string>
