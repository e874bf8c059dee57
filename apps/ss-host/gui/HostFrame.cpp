#include "apps/ss-host/gui/HostFrame.h"

#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>

#include <map>

#include "apps/ss-host/gui/DialogMenu.h"
#include "apps/ss-host/gui/MacroListPane.h"
#include "apps/ss-host/gui/SampleRuns.h"
#include "core/Nx_Settings.h"
#include "core/macro/MacroFilters.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/arx/aced.h"
#include "platform/base/Cp1252.h"
#include "platform/ui/wx/WxText.h"

namespace {
constexpr int kFirstDialogId = wxID_HIGHEST + 100;
constexpr int kFirstRecentId = wxID_HIGHEST + 50;
enum { kEditMacroId = wxID_HIGHEST + 1, kStandardsId, kLoadStandardsId };
const char* const kCommandGroup = "SSHOST";
const char* const kModuleGroup = "ORBIXA_SS";

AcEdCommandStack* commandStack() {
  return dynamic_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
}

// The commands of the prompt, with what "help" says of them.
struct PromptCommand {
  const char* name;
  const char* summary;
};
constexpr PromptCommand kCommands[] = {
    {"HELP", "lists these commands"},
    {"OPEN", "opens a drawing"},
    {"SAVE", "saves the drawing"},
    {"SAVEAS", "saves the drawing under another name"},
    {"MACROS", "lists the drawing's macros on the command line"},
    {"EDITMACRO", "opens the macro dialog of the selected macro"},
    {"EDITMACROMODELESS", "opens the macro dialog of the selected macro beside the window"},
    {"STANDARDS", "opens the standards of the selected macro (macro settings)"},
    {"LOADSTANDARDS", "runs the selected macro's standards into it"},
    {"GENVARS", "opens the general variables dialog"},
    {"LEVELS", "opens the levels dialog"},
};
}  // namespace

HostFrame::HostFrame()
    : wxFrame(nullptr, wxID_ANY, "Connection standards - host", wxDefaultPosition,
              wxSize(980, 660)) {
  auto* root = new wxPanel(this);
  auto* drawing = new wxPanel(root, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  drawing->SetBackgroundColour(wxColour(33, 40, 48));
  auto* caption = new wxStaticText(drawing, wxID_ANY, "Model space");
  caption->SetForegroundColour(wxColour(160, 170, 180));
  macros_ = new MacroListPane(drawing);
  macros_->onActivate = [this](int row) { editMacro(row); };
  auto* drawingSizer = new wxBoxSizer(wxVERTICAL);
  drawingSizer->Add(caption, 0, wxALL, 6);
  drawingSizer->Add(macros_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
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
  prompt_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) {
    std::string name = uiwx::fromWx(prompt_->GetValue());
    prompt_->Clear();
    runCommand(name);
  });

  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(drawing, 1, wxEXPAND | wxALL, 4);
  sizer->Add(pane_, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);
  sizer->Add(promptRow, 0, wxEXPAND | wxALL, 4);
  root->SetSizer(sizer);

  buildMenu();
  CreateStatusBar(3);
  const int widths[] = {-1, -2, -2};
  SetStatusWidths(3, widths);
  SetStatusText("Ready", 0);
  SetStatusText("Library: " + (gSettings.libDir.isEmpty() ? wxString("(none)")
                                                          : uiwx::toWx(gSettings.libDir.str())),
                2);
  updateTitle();

  previousSink_ = acutSetPrintSink([this](std::string_view text) { print(text); });
  registerCommands();
  setMacroPicker([this](MacroData& data) { return pickMacro(data); });
  print("Module loaded. File > Open drawing opens a drawing; \"help\" lists the commands.\n");
}

HostFrame::~HostFrame() {
  setMacroPicker(nullptr);
  if (AcEdCommandStack* stack = commandStack()) stack->removeGroup(kCommandGroup);
  if (Nx_Drawing::working() == drawing_.get()) Nx_Drawing::setWorking(nullptr);
  acutSetPrintSink(previousSink_);
}

void HostFrame::print(std::string_view text) {
  pane_->AppendText(uiwx::toWx(text));
  pane_->ShowPosition(pane_->GetLastPosition());
}

void HostFrame::buildMenu() {
  auto* bar = new wxMenuBar;
  auto* file = new wxMenu;
  file->Append(wxID_OPEN, "&Open drawing...\tCtrl+O");
  file->Append(wxID_SAVE, "&Save\tCtrl+S");
  file->Append(wxID_SAVEAS, "Save &as...\tCtrl+Shift+S");
  recentMenu_ = new wxMenu;
  file->AppendSubMenu(recentMenu_, "&Recent drawings");
  file->AppendSeparator();
  file->Append(wxID_EXIT, "E&xit\tCtrl+Q");
  bar->Append(file, "&File");
  fillRecentMenu();

  auto* macro = new wxMenu;
  macro->Append(kEditMacroId, "&Edit macro...", "The macro dialog of the selected macro");
  macro->Append(kStandardsId, "&Standards...", "The standards and mappings of the selected macro");
  macro->Append(kLoadStandardsId, "&Load from standards",
                "Runs the selected macro's standards into the macro");
  bar->Append(macro, "&Macro");

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
      wxEVT_MENU, [this](wxCommandEvent&) { runCommand("OPEN"); }, wxID_OPEN);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { saveDrawing(); }, wxID_SAVE);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { saveDrawingAs(); }, wxID_SAVEAS);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { editMacro(macros_->selectedRow()); }, kEditMacroId);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { editMacroStandards(macros_->selectedRow()); },
      kStandardsId);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
  // Back from a modeless macro dialog: what its pages wrote shows here.
  Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& e) {
    if (e.GetActive()) noteModelessEdits();
    e.Skip();
  });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
    if (e.CanVeto() && !askSaveChanges()) {
      e.Veto();
      return;
    }
    e.Skip();
  });
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

void HostFrame::fillRecentMenu() {
  while (recentMenu_->GetMenuItemCount() > 0)
    recentMenu_->Destroy(recentMenu_->FindItemByPosition(0));
  const auto& files = recent_.files();
  for (size_t i = 0; i < files.size(); ++i) {
    int id = kFirstRecentId + static_cast<int>(i);
    recentMenu_->Append(id,
                        wxString::Format("&%d %s", static_cast<int>(i + 1), uiwx::toWx(files[i])));
    std::string path = files[i];
    Bind(
        wxEVT_MENU,
        [this, path](wxCommandEvent&) {
          if (askSaveChanges()) openDrawing(path);
        },
        id);
  }
  if (files.empty()) recentMenu_->Append(wxID_NONE, "(none)")->Enable(false);
}

void HostFrame::registerCommands() {
  AcEdCommandStack* stack = commandStack();
  if (!stack) return;
  for (const PromptCommand& c : kCommands) {
    std::string name = c.name;
    stack->addCommand(kCommandGroup, c.name, c.name, 0, [this, name] {
      if (name == "HELP") {
        printHelp();
      } else if (name == "OPEN") {
        if (!askSaveChanges()) return;
        wxFileDialog dialog(this, "Open drawing", uiwx::toWx((gSettings.libDir + "Macros").str()),
                            "", "Drawings (*.json)|*.json|All files|*",
                            wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() == wxID_OK) openDrawing(uiwx::fromWx(dialog.GetPath()));
      } else if (name == "SAVE") {
        saveDrawing();
      } else if (name == "SAVEAS") {
        saveDrawingAs();
      } else if (name == "MACROS") {
        for (const MacroListRow& r : macros_->rows())
          acutPrintf(
              "  %s (%s): %s\n", base::utf8ToCp1252(r.name).c_str(),
              base::utf8ToCp1252(r.kind).c_str(),
              base::utf8ToCp1252(r.standards.empty() ? "no standards" : r.standards).c_str());
        acutPrintf("%d macros.\n", static_cast<int>(macros_->rows().size()));
      } else if (name == "EDITMACRO") {
        editMacro(macros_->selectedRow());
      } else if (name == "EDITMACROMODELESS") {
        editMacroModeless(macros_->selectedRow());
      } else if (name == "STANDARDS") {
        editMacroStandards(macros_->selectedRow());
      } else if (name == "LOADSTANDARDS") {
        loadMacroStandards(macros_->selectedRow());
      } else if (name == "GENVARS") {
        runGenVarsSample();
      } else if (name == "LEVELS") {
        runLevelsSample();
      }
    });
  }
}

void HostFrame::printHelp() {
  acutPrintf("Commands (letters without case):\n");
  for (const PromptCommand& c : kCommands) acutPrintf("  %-10s %s\n", c.name, c.summary);
  if (AcEdCommandStack* stack = commandStack())
    for (const std::string& name : stack->commandNames(kModuleGroup))
      acutPrintf("  %-10s (module)\n", name.c_str());
}

void HostFrame::runCommand(const std::string& name) {
  if (name.empty()) return;
  acutPrintf("Command: %s\n", name.c_str());
  AcEdCommandStack* stack = commandStack();
  if (!stack || !stack->invoke(name.c_str()))
    acutPrintf("Unknown command \"%s\". \"help\" lists the commands.\n", name.c_str());
}
