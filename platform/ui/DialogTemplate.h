#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Styles.h"
#include "platform/ui/ui_export.h"

namespace ui {

// One control of a dialog template. Rectangles are in dialog units.
struct DialogItemTemplate {
  int id = IDC_STATIC;
  std::string className;
  Style style = 0;
  Style exStyle = 0;
  Rect rect;
  std::string text;  // Windows-1252
  int icon = 0;
  std::string toolTip;  // Windows-1252
};

// The layout of a dialog, as kept in resources/dialogs/*.json (see
// docs/dialog-templates.md). The controller class that drives a dialog holds
// no layout of its own.
struct UI_API DialogTemplate {
  int id = 0;
  std::string name;     // "DLG_GRID": also the name of the remembered size
  std::string caption;  // Windows-1252
  Size size;            // client size in dialog units
  Style style = 0;
  Style exStyle = 0;
  Font font;
  int icon = 0;
  std::vector<DialogItemTemplate> items;
  std::string source;  // the file it came from, for messages

  const DialogItemTemplate* findItem(int itemId) const;
};

// Reads the JSON form of a template. On failure answers false with a reason
// that names the source and the line or the item.
UI_API bool parseDialogTemplate(std::string_view json, std::string_view source, DialogTemplate& out,
                                std::string& error);
// The value of a style name ("WS_TABSTOP", "BS_AUTOCHECKBOX", ...).
UI_API bool styleByName(std::string_view name, Style& value);

}  // namespace ui
