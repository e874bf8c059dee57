#pragma once
// Symbols of the dialog kit that its users see.
#define UI_API __attribute__((visibility("default")))
