#include "platform/ui/ui_export.h"

UI_API const char* ssuiVersion() { return "1.0"; }
