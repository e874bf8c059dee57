#pragma once
#include "platform/ui/Resources.h"

// A small dialog used by the kit's tests (id 9001).
inline void registerTestTemplates() {
  static const bool done = [] {
    ui::Resources::addTemplate("kit-tests", "test/9001.json", R"({
      "id": 9001, "name": "DLG_TEST", "caption": "Test dialog", "size": [200, 120],
      "style": ["WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "WS_THICKFRAME"],
      "items": [
        {"type": "LTEXT", "id": 100, "rect": [7, 7, 60, 8], "text": "Name:"},
        {"type": "EDITTEXT", "id": 101, "rect": [70, 5, 120, 14], "style": "ES_AUTOHSCROLL"},
        {"type": "AUTOCHECKBOX", "id": 102, "rect": [7, 24, 100, 10], "text": "Option"},
        {"type": "AUTORADIOBUTTON", "id": 103, "rect": [7, 38, 80, 10], "text": "First", "style": ["WS_GROUP", "WS_TABSTOP"]},
        {"type": "AUTORADIOBUTTON", "id": 104, "rect": [7, 50, 80, 10], "text": "Second"},
        {"type": "COMBOBOX", "id": 105, "rect": [100, 38, 90, 60], "style": ["CBS_DROPDOWNLIST", "WS_VSCROLL"]},
        {"type": "AUTO3STATE", "id": 106, "rect": [7, 64, 80, 10], "text": "Three", "style": "WS_GROUP"},
        {"type": "PUSHBUTTON", "id": 107, "rect": [100, 60, 50, 14], "text": "Apply", "style": "WS_DISABLED"},
        {"type": "DEFPUSHBUTTON", "id": 1, "rect": [86, 100, 50, 14], "text": "OK"},
        {"type": "PUSHBUTTON", "id": 2, "rect": [143, 100, 50, 14], "text": "Cancel"}
      ]})");
    return true;
  }();
  (void)done;
}
