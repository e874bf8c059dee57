#include "designer/KvDlgDesigner.h"

#include <algorithm>

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/DialogSizes.h"
#include "core/FileDialogs.h"
#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/dialString.h"
#include "designer/CSelectionTracker.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_DLGDESIGNER.h"

using namespace dlg_dlgdesigner;
using ui::Resizer;

namespace {
// Typing into one property field is one step of undo.
constexpr int kMergeContents = 1;
constexpr int kMergeExtended = 2;
}  // namespace

KvDlgDesigner::KvDlgDesigner(Nx_String startPath)
    : Dialog(kTemplateId), startPath_(std::move(startPath)) {}

bool KvDlgDesigner::onInitDialog() {
  design_.initialize(this, kFirstResId, kLastResId, IDC_TYPE_LIST, IDC_CONTENTS_FRAME, IDC_CONTENTS,
                     IDC_EXT_FRAME, IDC_EXT, true);
  setIcon(148);
  setItemText(IDC_TYPE_FRAME, dialString(836));
  setItemText(ui::IDOK, dialString(285));
  setItemText(ui::IDCANCEL, dialString(2));
  setupCommands();
  setupLayout();
  ChangeDlgSize(*this, kTemplateName);
  history_.reset(design_.getTemplateText());
  pictureChanged_ = false;
  if (!startPath_.isEmpty() && fileExists(startPath_)) loadTemplate(startPath_);
  setTitle();
  return true;
}

void KvDlgDesigner::setupCommands() {
  onClicked(IDC_OPEN, [this] { openTemplate(); });
  onClicked(IDC_SAVE_AS, [this] { saveAs(); });
  onClicked(IDC_PICTURE, [this] { choosePicture(); });
  onClicked(IDC_ADD, [this] {
    design_.addNewControl(ctInputField);
    const Nx_DesignerControl* added = design_.getControl(design_.getNrControls() - 1);
    if (added) design_.selectCtrls({added->resourceId});
    design_.updatePropsOfCurSel();
    changed();
  });
  onClicked(IDC_DELETE, [this] {
    design_.removeCurControls();
    design_.updatePropsOfCurSel();
    changed();
  });
  onClicked(IDC_WIDTH, [this] {
    design_.changeCtrlSize(true);
    changed();
  });
  onClicked(IDC_HEIGHT, [this] {
    design_.changeCtrlSize(false);
    changed();
  });
  onClicked(IDC_COPY, [this] {
    design_.copyCurCtrls();
    design_.updatePropsOfCurSel();
    changed();
  });
  onClicked(IDC_ALIGN_BOTTOMS, [this] {
    design_.outlineCurCtrls();
    changed();
  });
  onClicked(IDC_SIDE_BY_SIDE, [this] {
    design_.stickRightCurCtrls();
    changed();
  });
  on(IDC_TYPE_LIST, ui::CBN_SELCHANGE, [this] {
    design_.propsOfCurSelUpdated();
    design_.updatePropsOfCurSel();
    changed();
  });
  on(IDC_CONTENTS, ui::EN_CHANGE, [this] {
    design_.propsOfCurSelUpdated();
    changed(kMergeContents);
  });
  on(IDC_EXT, ui::EN_CHANGE, [this] {
    design_.propsOfCurSelUpdated();
    changed(kMergeExtended);
  });
}

void KvDlgDesigner::setupLayout() {
  const std::vector<int> column = {IDC_OPEN,          IDC_SAVE_AS,     IDC_PICTURE, IDC_ADD,
                                   IDC_DELETE,        IDC_COPY,        IDC_WIDTH,   IDC_HEIGHT,
                                   IDC_ALIGN_BOTTOMS, IDC_SIDE_BY_SIDE};
  const auto right = Resizer::dialog(Resizer::Edge::Right);
  const auto bottom = Resizer::dialog(Resizer::Edge::Bottom);
  const auto left = Resizer::dialog(Resizer::Edge::Left);
  const auto top = Resizer::dialog(Resizer::Edge::Top);
  resizer().add(column, right, top, right, Resizer::keepHeight());
  resizer().add({ui::IDOK, ui::IDCANCEL}, right, bottom, right, bottom);
  resizer().add(
      {IDC_TYPE_FRAME, IDC_TYPE_LIST, IDC_CONTENTS_FRAME, IDC_CONTENTS, IDC_EXT_FRAME, IDC_EXT},
      left, bottom, Resizer::keepWidth(), Resizer::keepHeight());
  setMinTrackSize(clientRect().size());
}

void KvDlgDesigner::onSize(ui::Size client) {
  Dialog::onSize(client);
  invalidate();
}

void KvDlgDesigner::setTitle() {
  Nx_String title = dialString(843);
  if (!design_.getTemplateName().isEmpty()) title += " - <" + design_.getTemplateName() + ">";
  setText(title);
}

void KvDlgDesigner::changed(int mergeKey) {
  history_.record(design_.getTemplateText(), mergeKey);
}

void KvDlgDesigner::restore(const Nx_String& state) {
  std::vector<int> selected = design_.getSelectedIds();
  design_.setTemplateText(state);
  std::vector<int> kept;
  for (int id : selected)
    if (design_.isADynControl(id)) kept.push_back(id);
  design_.selectCtrls(kept);
  design_.updatePropsOfCurSel();
}

bool KvDlgDesigner::undo() {
  const Nx_String* state = history_.undo();
  if (state) restore(*state);
  return state != nullptr;
}

bool KvDlgDesigner::redo() {
  const Nx_String* state = history_.redo();
  if (state) restore(*state);
  return state != nullptr;
}

Nx_String KvDlgDesigner::startFolder() const {
  return getPath(getDesignerRootFolder() + design_.getTemplateName());
}

bool KvDlgDesigner::saveTo(const Nx_String& path) {
  if (!design_.writeToFile(path)) {
    Nx_String name;
    Nx_String why = Nx_DlgDesignerData::getNameFromFile(path, name)
                        ? "The template could not be written:\n"
                        : "Templates are kept in the designer folder:\n";
    ui::messageBox((why + path).str(), dialString(843).str(), ui::MB_OK | ui::MB_ICONERROR, this);
    return false;
  }
  history_.reset(design_.getTemplateText());
  pictureChanged_ = false;
  setTitle();
  return true;
}

bool KvDlgDesigner::saveAs() {
  Nx_String path = design_.getTemplateName().isEmpty()
                       ? Nx_String()
                       : getFileName(design_.getTemplateName()) + ".txt";
  if (!DlgOpenSave(false, "txt", dialString(840) + " (*.txt)", dialString(842), startFolder(), path,
                   this))
    return false;
  return saveTo(path);
}

bool KvDlgDesigner::save() {
  if (design_.getTemplateName().isEmpty()) return saveAs();
  return saveTo(getDesignerRootFolder() + design_.getTemplateName() + ".txt");
}

bool KvDlgDesigner::askToSave() {
  if (!isModified()) return true;
  const Nx_String text = dialString(838) + "\n<" + design_.getTemplateName() + ">";
  switch (ui::messageBox(text.str(), dialString(837).str(),
                         ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION, this)) {
    case ui::IDYES:
      return save();
    case ui::IDNO:
      return true;
    default:
      return false;
  }
}

void KvDlgDesigner::showProblems() {
  const Nx_StringArray& problems = design_.getReadProblems();
  if (problems.isEmpty()) return;
  Nx_String text = "Parts of the design could not be read and were left out:";
  for (const Nx_String& p : problems) text += "\n" + p;
  ui::messageBox(text.str(), dialString(843).str(), ui::MB_OK | ui::MB_ICONWARNING, this);
}

void KvDlgDesigner::loadTemplate(const Nx_String& path) {
  design_.removeAllDrawnCtrls();
  if (!design_.readFromFile(path, true)) {
    ui::messageBox(("Templates are opened from the designer folder:\n" + path).str(),
                   dialString(843).str(), ui::MB_OK | ui::MB_ICONERROR, this);
    design_.redrawAllControls();
    return;
  }
  design_.redrawAllControls();
  design_.updatePropsOfCurSel();
  fitToPicture();
  invalidate();
  history_.reset(design_.getTemplateText());
  pictureChanged_ = false;
  setTitle();
  showProblems();
}

void KvDlgDesigner::openTemplate() {
  if (!askToSave()) return;
  Nx_String path;
  if (!DlgOpenSave(true, "txt", dialString(840) + " (*.txt)", dialString(841), startFolder(), path,
                   this))
    return;
  loadTemplate(path);
}

void KvDlgDesigner::choosePicture() {
  Nx_String path;
  if (!DlgOpenSave(true, "bmp", dialString(839) + " (*.bmp)", dialString(841),
                   getDesignerRootFolder(), path, this))
    return;
  // A file that is no picture must not replace the design's own.
  Nx_DesignerPicture check;
  std::string why;
  if (!check.load(path.str(), &why)) {
    ui::messageBox((path + ": " + why).str(), dialString(843).str(), ui::MB_OK | ui::MB_ICONERROR,
                   this);
    return;
  }
  if (design_.getTemplateName().isEmpty() && !saveAs()) return;
  const Nx_String target = getDesignerRootFolder() + design_.getTemplateName() + ".bmp";
  Nx_String error;
  if (path != target && !copyFile(path, target, true, &error)) {
    ui::messageBox(error.str(), dialString(843).str(), ui::MB_OK | ui::MB_ICONERROR, this);
    return;
  }
  design_.getSizeFromAllControls();
  design_.attachBitmap(target);
  design_.redrawAllControls();
  fitToPicture();
  invalidate();
  pictureChanged_ = true;
}

void KvDlgDesigner::fitToPicture() {
  const Nx_DesignerPicture& picture = design_.picture();
  const ui::Window* column = item(IDC_OPEN);
  const ui::Window* fields = item(IDC_TYPE_FRAME);
  if (!picture.isLoaded() || !column || !fields) return;
  constexpr int kMargin = 8;
  const ui::Size client = clientRect().size();
  const ui::Size need{
      std::max(client.width, picture.width() + kMargin + client.width - column->rect().left),
      std::max(client.height, picture.height() + kMargin + client.height - fields->rect().top)};
  if (need == client) return;
  setMinTrackSize(need);
  resize(need);
  onSize(need);
}

void KvDlgDesigner::onOK() {
  if (askToSave()) endDialog(ui::IDOK);
}

void KvDlgDesigner::onClose() {
  if (askToSave()) endDialog(ui::IDCANCEL);
}

void KvDlgDesigner::onDestroy() {
  WriteDlgSize(*this, kTemplateName);
  design_.removeAllDrawnCtrls();
}

bool KvDlgDesigner::preTranslateKey(const ui::KeyEvent& key) {
  if (!key.down) return false;
  if (key.key == ui::VK_ESCAPE) return true;
  if (key.control && key.key == 'Z') return undo(), true;
  if (key.control && key.key == 'Y') return redo(), true;
  // Arrows belong to the property fields while one of them has the focus.
  const ui::Window* focus = ui::Window::focused();
  if (dynamic_cast<const ui::Edit*>(focus) || (focus && focus->id() == IDC_TYPE_LIST)) return false;
  if (key.key == ui::VK_DELETE) {
    if (design_.getSelectedIds().empty()) return false;
    handleCommand(IDC_DELETE, ui::BN_CLICKED);
    return true;
  }
  int dx = 0, dy = 0;
  const int step = key.shift ? 10 : 1;
  switch (key.key) {
    case ui::VK_LEFT:
      dx = -step;
      break;
    case ui::VK_RIGHT:
      dx = step;
      break;
    case ui::VK_UP:
      dy = -step;
      break;
    case ui::VK_DOWN:
      dy = step;
      break;
    default:
      return false;
  }
  if (!design_.tracker() || !design_.tracker()->nudge(dx, dy)) return false;
  changed();
  return true;
}

bool KvDlgDesigner::onMouse(const ui::MouseEvent& m) {
  switch (m.action) {
    case ui::MouseAction::Down:
      if (m.button != ui::MouseButton::Left) return false;
      // The keys go to the design again, not to the property field last typed in.
      if (ui::Window::focused() != this) setFocus();
      design_.OnLButtonDown(m.point, m.shift, m.control);
      if (design_.tracker() && design_.tracker()->gesture() != CSelectionTracker::Gesture::None)
        captureMouse();
      design_.updatePropsOfCurSel();
      return true;
    case ui::MouseAction::Move:
      if (design_.tracker() && design_.tracker()->gesture() != CSelectionTracker::Gesture::None)
        design_.OnMouseMove(m.point);
      else
        design_.OnSetCursor(m.point);
      return true;
    case ui::MouseAction::Up:
      if (m.button != ui::MouseButton::Left) return false;
      releaseMouse();
      design_.OnLButtonUp(m.point);
      design_.updatePropsOfCurSel();
      changed();
      return true;
    default:
      return false;
  }
}

void KvDlgDesigner::onPaint(ui::PaintContext& dc) {
  design_.OnEraseBkgnd(dc);
  design_.OnPaint(dc);
}

bool StartDlgDesigner(const Nx_String& templateName) {
  return guardExport("StartDlgDesigner", false, [&] {
    KvResourceScope scope;
    // A template path, or a name under the designer folder.
    Nx_String path = templateName;
    if (!path.isEmpty() && !fileExists(path) &&
        fileExists(getDesignerRootFolder() + templateName + ".txt"))
      path = getDesignerRootFolder() + templateName + ".txt";
    KvDlgDesigner dlg(path);
    return dlg.doModal() == ui::IDOK;
  });
}

void GetImageDlgCtrlNames(const Nx_String& templateName, Nx_StringArray& names) {
  guardExport("GetImageDlgCtrlNames", [&] {
    Nx_String path = templateName;
    if (!fileExists(path)) path = getDesignerRootFolder() + templateName + ".txt";
    Nx_DlgDesignerData design;
    if (design.readFromFile(path, false)) design.getAllCtrlNames(names);
  });
}
