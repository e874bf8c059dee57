#pragma once
#include <functional>
#include <string>

#include "platform/ui/Dialog.h"
#include "platform/ui/wx/uiwx_export.h"

class wxWindow;
class wxDialog;

// The wxWidgets backend. Install it once a wxApp runs:
//   uiwx::install();            // ui::backend() is now real windows
//   uiwx::adoptMainWindow(frame);  // the host's main window for the module
namespace uiwx {

UIWX_API void install();
// The host's frame becomes ui::mainWindow(): owner of module dialogs.
UIWX_API ui::Window& adoptMainWindow(wxWindow* frame);
// The widget that shows a kit window, or null.
UIWX_API wxWindow* widgetOf(const ui::Window& window);
// The kit window a widget shows, or null.
UIWX_API ui::Window* windowOf(const wxWindow* widget);

// Widgets for custom window classes ("fpSpread70" -> a grid over its sheet):
// the factory makes the widget as a child of parent for the model window.
class UIWX_API WidgetFactories {
 public:
  using Factory = std::function<wxWindow*(wxWindow* parent, ui::Window& model)>;
  static void add(const std::string& className, Factory factory);
  static const Factory* find(const std::string& className);
};

// Called each time a modal dialog has been shown (for GUI tests that take a
// screenshot and close it); an empty function removes it.
UIWX_API void setModalHook(std::function<void(ui::Dialog&, wxDialog&)> hook);

// A PNG of what the screen shows in the widget's rectangle (GUI tests).
UIWX_API bool saveScreenshot(wxWindow* widget, const std::string& path);

}  // namespace uiwx
