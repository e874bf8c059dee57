// Template files of a design: the property list of the controls beside the
// background picture, under the designer root folder.
#include <filesystem>

#include "core/ArrayHelpers.h"
#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/Nx_PropertiesList.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/arx/acutil.h"

namespace {
// Lexically normal, so "Sub/../../x.txt" cannot pass for a file under the root.
std::string normal(const Nx_String& path) {
  return std::filesystem::path(toNativePath(path).str()).lexically_normal().generic_string();
}
}  // namespace

Nx_String getDesignerRootFolder() {
  return gSettings.libDir + "Dialog Templates/Dialog Design/";
}

void getModuleImages(Nx_StringArray& names) {
  Nx_StringArray paths;
  ObjectExportFindFilesRecursive(getDesignerRootFolder(), "*.txt", paths);
  for (const Nx_String& p : paths) {
    Nx_String name;
    if (Nx_DlgDesignerData::getNameFromFile(p, name)) names.append(name);
  }
  ObjectExportSort(names, true);
}

bool Nx_DlgDesignerData::getNameFromFile(const Nx_String& path, Nx_String& name) {
  const std::string root = normal(getDesignerRootFolder());
  const std::string file = normal(path);
  if (root.empty() || file.size() <= root.size() || file.compare(0, root.size(), root) != 0)
    return false;
  name = removeExtension(Nx_String(file.substr(root.size())));
  return !name.isEmpty();
}

bool Nx_DlgDesignerData::readFromFile(const Nx_String& path, bool attachPicture) {
  if (!fileExists(path)) return false;
  Nx_String name;
  if (!getNameFromFile(path, name)) return false;
  templateName_ = name;
  readProblems_.removeAll();
  Nx_PropertiesList list;
  Nx_String error;
  if (!list.readFromFile(path, &error)) readProblems_.append(error);
  loadPropList(list, path);
  if (attachPicture) {
    picture_.clear();
    attachBitmap(changeExtension(path, "bmp"));
  }
  for (const Nx_String& p : readProblems_) acutPrintf("*Error* %s\n", p.c_str());
  return true;
}

bool Nx_DlgDesignerData::writeToFile(const Nx_String& path) {
  Nx_String name;
  if (!getNameFromFile(path, name)) return false;
  Nx_PropertiesList list = toPropList();
  Nx_String error;
  if (!list.writeToFile(path, &error)) {
    acutPrintf("*Error* %s\n", error.c_str());
    return false;
  }
  // The picture follows the template to its new name; a template saved
  // without it is no saved design.
  const Nx_String oldPicture = getDesignerRootFolder() + templateName_ + ".bmp";
  const Nx_String newPicture = changeExtension(path, "bmp");
  if (!templateName_.isEmpty() && fileExists(oldPicture) &&
      normal(oldPicture) != normal(newPicture) && !copyFile(oldPicture, newPicture, true, &error)) {
    acutPrintf("*Error* %s\n", error.c_str());
    return false;
  }
  templateName_ = name;
  return true;
}

void Nx_DlgDesignerData::loadPropList(const Nx_PropertiesList& list, const Nx_String& source) {
  auto report = [&](const Nx_String& what) { readProblems_.append(source + ": " + what); };
  int count = 0;
  if (list.length() > 0 && !list.getInt("nrOfControls", count)) report("nrOfControls: missing");
  // Every control needs at least one key: a larger count cannot be met by the file.
  const int possible = list.length();
  if (count < 0 || count > possible) {
    report("nrOfControls: " + Nx_String(count) + " is more than the file holds; " +
           Nx_String(possible) + " read");
    count = count < 0 ? 0 : possible;
  }
  controls_.removeAll();
  for (int i = 0; i < count; ++i) {
    Nx_DesignerControl c;
    std::vector<Nx_String> problems;
    const bool placeable = c.getFromPropList(list, i, &problems);
    for (const Nx_String& p : problems) report(p);
    if (placeable) append(c);
  }
}

Nx_PropertiesList Nx_DlgDesignerData::toPropList() {
  getSizeFromAllControls();
  Nx_PropertiesList list;
  list.setInt("nrOfControls", controls_.length());
  for (int i = 0; i < controls_.length(); ++i) controls_[i].setToPropList(list, i);
  return list;
}

Nx_String Nx_DlgDesignerData::getTemplateText() {
  return toPropList().toText();
}

bool Nx_DlgDesignerData::setTemplateText(const Nx_String& text) {
  Nx_PropertiesList list;
  Nx_String error;
  if (!list.fromText(text, &error, templateName_)) return false;
  readProblems_.removeAll();
  removeAllDrawnCtrls();
  loadPropList(list, templateName_);
  redrawAllControls();
  return true;
}
