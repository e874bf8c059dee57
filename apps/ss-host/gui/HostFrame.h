#pragma once
#include <wx/frame.h>
#include <wx/textctrl.h>

#include "platform/arx/acutil.h"

// The main window of the host program: it stands in for the CAD
// application's window. A drawing area, the command-line pane with
// everything printed through acutPrintf, a command prompt that runs the
// registered commands, the "Dialogs" menu and a status bar.
class HostFrame : public wxFrame {
 public:
  HostFrame();
  ~HostFrame() override;

  // Appends command-line text (Windows-1252).
  void print(std::string_view text);
  wxTextCtrl* commandPane() const { return pane_; }

 private:
  void buildMenu();
  void runCommand();

  wxTextCtrl* pane_ = nullptr;
  wxTextCtrl* prompt_ = nullptr;
  AcutPrintSink previousSink_;
};
