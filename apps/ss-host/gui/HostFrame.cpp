#include "apps/ss-host/gui/HostFrame.h"

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>

#include <map>

#include "apps/ss-host/gui/DialogMenu.h"
#include "core/Nx_Settings.h"
#include "platform/arx/aced.h"
#include "platform/base/Cp1252.h"

namespace {
constexpr int kFirstDialogId = wxID_HIGHEST + 100;
wxString fromCp1252(std::string_view text) {
  return wxString::FromUTF8(base::cp1252ToUtf8(text));
}
}  // namespace

HostFrame::HostFrame()
    : wxFrame(nullptr, wxID_ANY, "Connection standards - host", wxDefaultPosition,
              wxSize(900, 620)) {
  auto* root = new wxPanel(this);
  auto* drawing = new wxPanel(root, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  drawing->SetBackgroundColour(wxColour(33, 40, 48));
  auto* caption = new wxStaticText(drawing, wxID_ANY, "Model space");
  caption->SetForegroundColour(wxColour(160, 170, 180));
  auto* drawingSizer = new wxBoxSizer(wxVERTICAL);
  drawingSizer->Add(caption, 0, wxALL, 8);
  drawing->SetSizer(drawingSizer);

  pane_ = new wxTextCtrl(root, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(-1, 150),
                         wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2);
  pane_->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_TELETYPE)));
  auto* promptRow = new wxBoxSizer(wxHORIZONTAL);
  promptRow->Add(new wxStaticText(root, wxID_ANY, "Command:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
                 6);
  prompt_ = new wxTextCtrl(root, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxTE_PROCESS_ENTER);
  promptRow->Add(prompt_, 1, wxEXPAND);
  prompt_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { runCommand(); });

  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(drawing, 1, wxEXPAND | wxALL, 4);
  sizer->Add(pane_, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);
  sizer->Add(promptRow, 0, wxEXPAND | wxALL, 4);
  root->SetSizer(sizer);

  buildMenu();
  CreateStatusBar(2);
  SetStatusText("Ready", 0);
  SetStatusText("Library: " + (gSettings.libDir.isEmpty() ? wxString("(none)")
                                                          : fromCp1252(gSettings.libDir.str())),
                1);

  previousSink_ = acutSetPrintSink([this](std::string_view text) { print(text); });
  print("Module loaded. The Dialogs menu opens the module's dialogs.\n");
}

HostFrame::~HostFrame() {
  acutSetPrintSink(previousSink_);
}

void HostFrame::print(std::string_view text) {
  pane_->AppendText(fromCp1252(text));
  pane_->ShowPosition(pane_->GetLastPosition());
}

void HostFrame::buildMenu() {
  auto* bar = new wxMenuBar;
  auto* file = new wxMenu;
  file->Append(wxID_EXIT, "E&xit\tCtrl+Q");
  bar->Append(file, "&File");

  auto* dialogs = new wxMenu;
  std::map<std::string, wxMenu*> groups;
  const auto& entries = dialogMenuEntries();
  for (size_t i = 0; i < entries.size(); ++i) {
    const DialogMenuEntry& e = entries[i];
    wxMenu*& group = groups[e.group];
    if (!group) {
      group = new wxMenu;
      dialogs->AppendSubMenu(group, e.group);
    }
    int id = kFirstDialogId + static_cast<int>(i);
    group->Append(id, e.label, e.function);
    group->Enable(id, static_cast<bool>(e.run));
    Bind(
        wxEVT_MENU,
        [this, &e](wxCommandEvent&) {
          SetStatusText(e.function, 0);
          e.run();
          SetStatusText("Ready", 0);
        },
        id);
  }
  bar->Append(dialogs, "&Dialogs");

  auto* help = new wxMenu;
  help->Append(wxID_ABOUT, "&About");
  bar->Append(help, "&Help");
  SetMenuBar(bar);

  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
  Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) {
        wxMessageBox(
            "Host program of the connection-standards module.\n"
            "It loads the module and calls its exported functions.",
            "About", wxOK | wxICON_INFORMATION, this);
      },
      wxID_ABOUT);
}

void HostFrame::runCommand() {
  std::string name = base::utf8ToCp1252(std::string(prompt_->GetValue().utf8_str()));
  prompt_->Clear();
  if (name.empty()) return;
  acutPrintf("Command: %s\n", name.c_str());
  auto* stack = dynamic_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
  if (!stack || !stack->invoke(name.c_str())) acutPrintf("Unknown command \"%s\".\n", name.c_str());
}
