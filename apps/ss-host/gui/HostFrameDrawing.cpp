// The drawing of the host window: open, save, and the dialogs on its macros.
#include <wx/choicdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "apps/ss-host/gui/HostFrame.h"
#include "apps/ss-host/gui/MacroListPane.h"
#include "common/SSExports.h"
#include "core/MacroSettingsDlg.h"
#include "core/macro/MacroData.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "platform/ui/wx/WxText.h"

bool HostFrame::openDrawing(const std::string& path) {
  auto drawing = std::make_unique<Nx_Drawing>();
  Nx_String error;
  if (!drawing->load(path.c_str(), error)) {
    acutPrintf("*Error* %s\n", error.c_str());
    wxMessageBox(uiwx::toWx(error.str()), "Open drawing", wxOK | wxICON_ERROR, this);
    recent_.remove(path);
    fillRecentMenu();
    return false;
  }
  // Modeless macro dialogs belong to the drawing that goes: they close on it.
  DestroyAllMacroDlgs();
  modelessSnapshot_.clear();
  drawing_ = std::move(drawing);
  Nx_Drawing::setWorking(drawing_.get());
  path_ = path;
  macros_->setRows(listMacros(*drawing_));
  recent_.add(path);
  fillRecentMenu();
  setModified(false);
  acutPrintf("Opened %s: %d macros.\n", path.c_str(), drawing_->macroCount());
  return true;
}

bool HostFrame::saveDrawing() {
  if (!drawing_) return false;
  if (path_.empty()) return saveDrawingAs();
  Nx_String error;
  if (!drawing_->save(path_.c_str(), error)) {
    acutPrintf("*Error* %s\n", error.c_str());
    wxMessageBox(uiwx::toWx(error.str()), "Save drawing", wxOK | wxICON_ERROR, this);
    return false;
  }
  setModified(false);
  acutPrintf("Saved %s.\n", path_.c_str());
  return true;
}

bool HostFrame::saveDrawingAs() {
  if (!drawing_) return false;
  wxFileName current(uiwx::toWx(path_));
  wxFileDialog dialog(this, "Save drawing as", current.GetPath(), current.GetFullName(),
                      "Drawings (*.json)|*.json", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dialog.ShowModal() != wxID_OK) return false;
  std::string previous = path_;
  path_ = uiwx::fromWx(dialog.GetPath());
  if (!saveDrawing()) {
    path_ = previous;
    return false;
  }
  recent_.add(path_);
  fillRecentMenu();
  return true;
}

bool HostFrame::askSaveChanges() {
  noteModelessEdits();
  if (!drawing_ || !modified_) return true;
  int answer = wxMessageBox("The drawing has changed. Save it?", "Connection standards - host",
                            wxYES_NO | wxCANCEL | wxICON_QUESTION, this);
  if (answer == wxCANCEL) return false;
  return answer == wxNO || saveDrawing();
}

void HostFrame::setModified(bool modified) {
  modified_ = modified;
  updateTitle();
}

void HostFrame::updateTitle() {
  wxString name =
      path_.empty() ? wxString("no drawing") : wxFileName(uiwx::toWx(path_)).GetFullName();
  SetTitle("Connection standards - host - " + name + (modified_ ? " *" : ""));
  if (!drawing_) {
    SetStatusText("No drawing", 1);
    return;
  }
  SetStatusText(wxString::Format("Drawing: %s (%d macros)%s", name, drawing_->macroCount(),
                                 modified_ ? ", changed" : ""),
                1);
}

void HostFrame::refreshRow(int row) {
  if (!drawing_ || row < 0 || row >= static_cast<int>(macros_->rows().size())) return;
  MacroListRow updated;
  if (listMacro(*drawing_, macros_->rows()[static_cast<size_t>(row)].id, updated))
    macros_->updateRow(updated);
}

AcDbObjectId HostFrame::macroOfRow(int row) const {
  if (!drawing_ || row < 0 || row >= static_cast<int>(macros_->rows().size())) {
    acutPrintf("No macro selected.\n");
    return AcDbObjectId();
  }
  return macros_->rows()[static_cast<size_t>(row)].id;
}

bool HostFrame::readMacroData(AcDbObjectId id, MacroData& data, bool fillTabs) const {
  AcTransaction tr(drawing_->database());
  Nx_DbMacro* macro = nullptr;
  if (tr.getObject(macro, id, AcDb::kForRead) != Acad::eOk) return false;
  macro->getMacroData(data);
  if (fillTabs && data.tabCount() == 0) data.initFromMacro(*macro->getMacro(), &tr);
  data.macroId = id;
  return true;
}

void HostFrame::editMacro(int row) {
  AcDbObjectId id = macroOfRow(row);
  MacroData data;
  if (id.isNull() || !readMacroData(id, data, true)) return;
  const MacroData before = data;
  // The pages write the macro's values into the drawing as they go.
  const std::string drawingBefore = drawing_->toJson();
  SetStatusText("StartDlgMacro", 0);
  StartDlgMacro(data);
  SetStatusText("Ready", 0);
  const bool dataChanged = !(data == before);
  if (!dataChanged && drawing_->toJson() == drawingBefore) return;
  if (dataChanged) {
    AcTransaction tr(drawing_->database());
    Nx_DbMacro* macro = nullptr;
    if (tr.getObject(macro, data.macroId, AcDb::kForWrite) == Acad::eOk) macro->setMacroData(data);
  }
  setModified(true);
  refreshRow(row);
  // Another macro chosen in the dialog has its own row.
  if (data.macroId != id)
    for (size_t r = 0; r < macros_->rows().size(); ++r)
      if (macros_->rows()[r].id == data.macroId) refreshRow(static_cast<int>(r));
}

void HostFrame::editMacroModeless(int row) {
  AcDbObjectId id = macroOfRow(row);
  MacroData data;
  if (id.isNull() || !readMacroData(id, data, true)) return;
  if (modelessSnapshot_.empty()) modelessSnapshot_ = drawing_->toJson();
  int index = -1;
  if (!StartDlgMacroModeless(true, data, index))
    acutPrintf("*Error* The macro dialog could not be opened.\n");
}

void HostFrame::noteModelessEdits() {
  if (!drawing_ || modelessSnapshot_.empty()) return;
  std::string now = drawing_->toJson();
  if (now == modelessSnapshot_) return;
  modelessSnapshot_ = std::move(now);
  setModified(true);
  for (size_t r = 0; r < macros_->rows().size(); ++r) refreshRow(static_cast<int>(r));
}

bool HostFrame::pickMacro(MacroData& data) {
  if (!drawing_) return false;
  const std::vector<MacroListRow>& rows = macros_->rows();
  wxArrayString names;
  int current = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    names.Add(wxString::FromUTF8(rows[r].name));
    if (rows[r].id == data.macroId) current = static_cast<int>(r);
  }
  wxSingleChoiceDialog choice(this, "Edit which macro?", "Select other macros", names);
  choice.SetSelection(current);
  if (choice.ShowModal() != wxID_OK) return false;
  const AcDbObjectId chosen = rows[static_cast<size_t>(choice.GetSelection())].id;
  if (chosen == data.macroId) return false;
  MacroData other;
  if (!readMacroData(chosen, other, true)) return false;
  data = other;
  return true;
}

void HostFrame::editMacroStandards(int row) {
  AcDbObjectId id = macroOfRow(row);
  if (id.isNull()) return;
  SetStatusText("Macro settings", 0);
  bool changed = StartDlgMacroSettings(id);
  SetStatusText("Ready", 0);
  if (!changed) return;
  setModified(true);
  refreshRow(row);
}

void HostFrame::loadMacroStandards(int row) {
  AcDbObjectId id = macroOfRow(row);
  MacroData data;
  if (id.isNull() || !readMacroData(id, data, false)) return;
  SetStatusText("Load from standards", 0);
  bool ran = data.loadFromStandards();
  SetStatusText("Ready", 0);
  // A sheet that failed may have written values before it did.
  setModified(true);
  acutPrintf(ran ? "The standards ran into the macro.\n"
                 : "*Error* The standards of the macro did not all run; see the lines above.\n");
}
