#include "dialogs/KvSelectImageDlg.h"

#include <algorithm>

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/FileSearch.h"
#include "core/PathHelpers.h"
#include "core/dialString.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_SELECTIMAGE.h"

using namespace dlg_selectimage;

namespace {
// What the picture controls of both backends can show.
const char* const kPatterns[] = {"*.bmp", "*.png", "*.jpg", "*.jpeg", "*.gif"};
}  // namespace

bool KvSelectImageDlg::listImages(const Nx_String& folder, Nx_StringArray& names) {
  names.removeAll();
  std::vector<Nx_String> found;
  for (const char* pattern : kPatterns) {
    Nx_StringArray paths;
    if (!ObjectExportFindFiles(folder, pattern, paths)) return false;
    for (const Nx_String& p : paths) found.push_back(getFileName(p));
  }
  std::sort(found.begin(), found.end(),
            [](const Nx_String& a, const Nx_String& b) { return a.compare(b, false) < 0; });
  found.erase(std::unique(found.begin(), found.end()), found.end());
  for (const Nx_String& n : found) names.append(n);
  return true;
}

KvSelectImageDlg::KvSelectImageDlg(const KvSelectImageDlgData& data, const Nx_StringArray& names)
    : Dialog(kTemplateId), data_(data), names_(names) {
  on(IDC_IMAGES, ui::LBN_SELCHANGE, [this] { preview(); });
  on(IDC_IMAGES, ui::LBN_DBLCLK, [this] { onOK(); });
}

bool KvSelectImageDlg::onInitDialog() {
  if (!data_.title.isEmpty()) setText(data_.title);
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  setItemText(IDC_FOLDER, data_.folder);
  std::vector<std::string> shown;
  for (const Nx_String& n : names_) shown.push_back(n.str());
  listSet(IDC_IMAGES, shown);
  // The record may name its picture with or without the folder.
  listSelect(IDC_IMAGES, names_.find(getFileName(data_.image), false));
  preview();

  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add(IDC_FOLDER, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add(IDC_IMAGES, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top), R::keepWidth(),
                R::dialog(R::Edge::Bottom));
  resizer().add(IDC_PREVIEW, R::keepWidth(), R::dialog(R::Edge::Top), R::dialog(R::Edge::Right),
                R::dialog(R::Edge::Bottom));
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  return true;
}

void KvSelectImageDlg::preview() {
  int index = listSelection(IDC_IMAGES);
  if (ui::Window* picture = item(IDC_PREVIEW))
    picture->setImageFile(names_.isValid(index)
                              ? (ensureEndSlash(data_.folder) + names_[index]).str()
                              : std::string());
}

void KvSelectImageDlg::onOK() {
  int index = listSelection(IDC_IMAGES);
  if (!names_.isValid(index)) {
    ui::messageBox("Choose a picture.", text(), ui::MB_OK | ui::MB_ICONWARNING, this);
    return;
  }
  data_.image = names_[index];
  Dialog::onOK();
}

bool StartDlgSelectImage(KvSelectImageDlgData& data) {
  return guardExport("StartDlgSelectImage", false, [&] {
    Nx_StringArray names;
    if (!KvSelectImageDlg::listImages(data.folder, names) || names.isEmpty()) {
      acutPrintf("Select image: there are no pictures in \"%s\".\n", data.folder.c_str());
      return false;
    }
    KvResourceScope scope;
    KvSelectImageDlg dlg(data, names);
    if (dlg.doModal() != ui::IDOK) return false;
    data = dlg.data();
    return true;
  });
}
