#pragma once
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <memory>
#include <string>

#include "apps/ss-host/gui/RecentFiles.h"
#include "platform/arx/acutil.h"
#include "platform/arx/dbid.h"

class MacroData;
class MacroListPane;
class Nx_Drawing;
class wxMenu;

// The main window of the host program: it stands in for the CAD
// application's window. The model-space pane lists the macros of the open
// drawing, the command-line pane shows everything printed through
// acutPrintf, the prompt runs the registered commands ("help" lists them),
// the "Dialogs" menu opens the module's dialogs and the status bar names
// the drawing and the library.
class HostFrame : public wxFrame {
 public:
  HostFrame();
  ~HostFrame() override;

  // Appends command-line text (Windows-1252).
  void print(std::string_view text);
  wxTextCtrl* commandPane() const { return pane_; }
  MacroListPane* macroList() const { return macros_; }

  // The drawing: opened whole or not at all (the reason goes to the command
  // line and a message box); saved atomically. Both answer success.
  bool openDrawing(const std::string& path);
  bool saveDrawing();
  bool saveDrawingAs();
  // The macro dialog, then the settings dialog, of a listed macro.
  void editMacro(int row);
  // The same dialog modeless, beside the window: its pages write into the
  // drawing while the window goes on; the changes are noticed when the
  // window is active again, and before any question about saving.
  void editMacroModeless(int row);
  void editMacroStandards(int row);
  // "Load from standards" on a listed macro: its sheets run in order and
  // their results go into the macro.
  void loadMacroStandards(int row);
  // Runs a command as typed at the prompt.
  void runCommand(const std::string& name);

 private:
  void buildMenu();
  void fillRecentMenu();
  void registerCommands();
  void printHelp();
  bool askSaveChanges();
  // Marks the drawing changed (and refreshes the list) when a modeless macro
  // dialog wrote into it since the last look.
  void noteModelessEdits();
  void setModified(bool modified);
  void updateTitle();
  void refreshRow(int row);
  // The macro of a listed row; the null id (with a line saying so) when none.
  AcDbObjectId macroOfRow(int row) const;
  // The macro's dialog data, with its id; made from the macro's modules when
  // it holds no tabs and `fillTabs` is set. False when it cannot be opened.
  bool readMacroData(AcDbObjectId id, MacroData& data, bool fillTabs) const;
  // "Select other macros" of the macro dialog: another macro of the drawing
  // chosen from a list replaces the data; false when none was chosen.
  bool pickMacro(MacroData& data);

  wxTextCtrl* pane_ = nullptr;
  wxTextCtrl* prompt_ = nullptr;
  MacroListPane* macros_ = nullptr;
  wxMenu* recentMenu_ = nullptr;
  AcutPrintSink previousSink_;
  std::unique_ptr<Nx_Drawing> drawing_;
  std::string path_;
  bool modified_ = false;
  // The drawing as text when a modeless macro dialog was opened or last
  // looked at; empty when none was opened on this drawing.
  std::string modelessSnapshot_;
  RecentFiles recent_;
};
