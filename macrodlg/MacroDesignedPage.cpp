#include "macrodlg/MacroDesignedPage.h"

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/macro/MacroFilters.h"
#include "macrodlg/MacroPageAccess.h"
#include "platform/ui/ListControl.h"

using namespace dlg_macro_designed;

namespace {
constexpr int kHoleOffset = ctBoltDiameter + 1;
constexpr int kNoteGap = 4;

// The tab that lists the pattern, the page's own tab first.
MacroTabData* tabOfPattern(MacroData& data, int ownTab, const Nx_String& pattern) {
  MacroTabData* own = data.getTab(ownTab);
  if (own && own->findPatternData(pattern)) return own;
  for (MacroTabData& t : data.tabs)
    if (t.findPatternData(pattern)) return &t;
  return nullptr;
}

bool isBound(int type) {
  return type == ctInputField || type == ctEditableList || type == ctBoltCount1 ||
         type == ctBoltCount2 || type == ctBoltDiameter || type == kHoleOffset;
}
}  // namespace

bool MacroDesignedPage::onInitDialog() {
  KvMacroPage::onInitDialog();
  design_.initialize(this, kFirstControlId, kLastControlId, 0, 0, 0, 0, 0, false);
  design_.readFromFile(path_, false);
  if (!withPicture_ || !design_.attachBitmap(changeExtension(path_, "bmp")))
    setItemText(IDC_NOTE, "Without its picture: " + changeExtension(path_, "bmp").str());
  design_.redrawAllControls();
  int width = 0, height = 0;
  design_.getImageSize(width, height);
  if (ui::Window* note = item(IDC_NOTE)) {
    const ui::Rect r = note->rect();
    const int top = height > 0 ? height + kNoteGap : r.top;
    note->setRect({r.left, top, std::max(r.right, width), top + r.height()});
    note->show(!note->text().empty());
  }
  refresh();
  return false;
}

ui::Size MacroDesignedPage::neededSize() const {
  int width = 0, height = 0;
  design_.getImageSize(width, height);
  ui::Size size = KvMacroPage::neededSize();
  if (width <= 0 || height <= 0) return size;
  const ui::Window* note = item(IDC_NOTE);
  const int noteHeight = note && note->isVisible() ? note->rect().height() + kNoteGap : 0;
  return {width, height + noteHeight};
}

int MacroDesignedPage::controlOf(const Nx_String& contents, int type) const {
  for (int i = 0; i < design_.getNrControls(); ++i) {
    const Nx_DesignerControl* c = design_.getControl(i);
    if (c->type == type && c->contents.equal(contents, false) &&
        design_.isADynControl(c->resourceId))
      return c->resourceId;
  }
  return 0;
}

bool MacroDesignedPage::readValue(const Nx_DesignerControl& c, Nx_String& value) const {
  const MacroTabData* own = tab();
  if (c.type == ctInputField || c.type == ctEditableList)
    return own && macropage::readVariable(data_, own->name, c.contents, value);
  MacroTabData* holder = tabOfPattern(data_, tabIndex(), c.contents);
  if (!holder) return false;
  if (c.type == ctBoltCount1 || c.type == ctBoltCount2)
    return getSetNrBolts(holder, c.contents, value, true, c.type == ctBoltCount1) == Acad::eOk;
  const MacroBoltData* bolts = holder->getBoltData();
  if (!bolts) return false;
  value = c.type == ctBoltDiameter ? bolts->diameter : bolts->holeOffset;
  return true;
}

bool MacroDesignedPage::writeValue(const Nx_DesignerControl& c, const Nx_String& value) {
  const MacroTabData* own = tab();
  if (c.type == ctInputField || c.type == ctEditableList)
    return own && macropage::writeVariable(data_, own->name, c.contents, value);
  MacroTabData* holder = tabOfPattern(data_, tabIndex(), c.contents);
  if (!holder) return false;
  Nx_String text = value;
  if (c.type == ctBoltCount1 || c.type == ctBoltCount2)
    return getSetNrBolts(holder, c.contents, text, false, c.type == ctBoltCount1) == Acad::eOk;
  MacroBoltData* bolts = holder->getBoltData();
  if (!bolts) return false;
  (c.type == ctBoltDiameter ? bolts->diameter : bolts->holeOffset) = value;
  return true;
}

void MacroDesignedPage::refresh() {
  shown_.clear();
  for (int i = 0; i < design_.getNrControls(); ++i) {
    const Nx_DesignerControl& c = *design_.getControl(i);
    if (!isBound(c.type) || !design_.isADynControl(c.resourceId)) continue;
    Nx_String value;
    const bool bound = readValue(c, value);
    ui::Window* w = nullptr;
    design_.getCtrlPtr(i, w);
    auto* list = dynamic_cast<ui::ComboBox*>(w);
    if (c.type == ctBoltDiameter && list && list->count() == 0) {
      Nx_StringArray diameters;
      getBoltDiameters(diameters);
      std::vector<std::string> texts;
      for (const Nx_String& d : diameters) texts.push_back(d.str());
      list->setItems(texts);
    }
    if (list && list->isDropDownList()) {
      int at = list->findStringExact(-1, value.str());
      if (at < 0 && !value.isEmpty()) at = list->addString(value.str());
      list->setCurSel(at);
    } else {
      design_.setCtrlValue(c.resourceId, value);
    }
    if (c.type == ctInputField || c.type == ctEditableList)
      design_.setCtrlReadOnly(c.resourceId, !bound);
    else if (w)
      w->enable(bound);
    if (bound) shown_[c.resourceId] = value;
  }
}

void MacroDesignedPage::store() {
  bool wrote = false;
  for (const auto& [id, before] : shown_) {
    const Nx_DesignerControl* c = design_.getControlFromRes(id);
    Nx_String value;
    ui::Window* w = nullptr;
    int index = -1;
    if (!c || !design_.findCtrlFromResource(id, index) || !design_.getCtrlPtr(index, w)) continue;
    auto* list = dynamic_cast<ui::ComboBox*>(w);
    if (list && list->isDropDownList())
      value = list->curSel() >= 0 ? Nx_String(list->itemText(list->curSel())) : Nx_String();
    else if (!design_.getCtrlValue(id, value))
      continue;
    value.trim();
    if (value == before) continue;
    writeValue(*c, value);
    wrote = true;
  }
  // A value the macro refused shows what it kept.
  if (wrote) refresh();
}
