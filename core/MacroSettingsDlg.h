#pragma once
#include <functional>
#include <memory>

#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "platform/arx/dbid.h"

class TabMappingData;
namespace ui {
class Window;
}

// A page of the macro settings dialog, supplied by the module that owns it.
class DCM_API MacroSettingsPage {
 public:
  virtual ~MacroSettingsPage();
  virtual Nx_String title() const = 0;
  // Creates the page window as a child of the dialog's tab control.
  virtual bool create(ui::Window& tabControl) = 0;
  virtual ui::Window* window() = 0;
  // OK: takes the page's edits into its record; true when anything changed.
  virtual bool apply() = 0;
};

// The standards module installs the standards page while it is loaded.
using MacroSettingsPageFactory = std::function<std::unique_ptr<MacroSettingsPage>(TabMappingData&)>;
DCM_API void setMacroSettingsStandardsPage(MacroSettingsPageFactory factory);

// The macro settings dialog (DLG_MACROSETTINGS): one tab per page on the
// macro of the working drawing. On OK with changes the macro's standards
// are stored; true then. False on Cancel, without changes, or when no page
// can be shown (one command-line line says why).
DCM_API bool StartDlgMacroSettings(AcDbObjectId macro);
