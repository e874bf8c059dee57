#include "sections/KvDlgEditLibSimple.h"

#include "common/KvExportGuard.h"
#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/DialogSizes.h"
#include "core/MacroLangs.h"
#include "core/StringHelpers.h"
#include "core/dialString.h"
#include "core/sections/SectionShape.h"
#include "dialogs/KvProfImage.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_EDITLIBSIMPLE.h"
#include "sections/SectionSizeNames.h"

using namespace dlg_editlibsimple;

namespace {
constexpr const char* kSizeName = "DLG_EDITLIBSIMPLE";
constexpr int kFirstLanguage = Nx_ProfValuesTable::kFirstLanguageIdx;
// Editing these value fields renames the size while the name is automatic.
constexpr int kNamingFields = 8;
constexpr int kRectTubeShape = 10;

constexpr int labelId(int k) {
  return IDC_VALUE1_CAPTION + 2 * (k - 1);
}
constexpr int fieldId(int k) {
  return IDC_VALUE1 + 2 * (k - 1);
}

bool isParametric(const Nx_String& templateName) {
  return !endsWith(templateName, ".dwg", false);
}
}  // namespace

KvDlgEditLibSimple::KvDlgEditLibSimple(const Nx_ProfValuesTable& table, const Nx_String& startName)
    : Dialog(kTemplateId), table_(table), startName_(startName) {
  onClicked(IDC_AUTO_NAME, [this] {
    enableItem(IDC_NAME, false);
    rebuildName();
  });
  onClicked(IDC_OWN_NAME, [this] { enableItem(IDC_NAME, true); });
  for (int k = 1; k <= kNamingFields; ++k)
    on(fieldId(k), ui::EN_CHANGE, [this] {
      if (autoName()) rebuildName();
    });
}

bool KvDlgEditLibSimple::onInitDialog() {
  setText(dialString(796));
  setItemText(IDC_NAME_GROUP, dialString(797));
  setItemText(IDC_AUTO_NAME, dialString(1377));
  setItemText(IDC_OWN_NAME, dialString(1378));
  setItemText(IDC_NAME_CAPTION, dialString(797) + ":");
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));

  KvProfImageRequest picture;
  picture.shape = table_.templateName;
  picture.big = true;
  if (table_.templateName.isEmpty()) {
    showItem(IDC_PICTURE, false);
  } else if (ui::Window* w = item(IDC_PICTURE)) {
    w->setImageFile(getProfImagePath(picture).str());
  }

  setMinTrackSize(rect().size());
  using R = ui::Resizer;
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  for (ui::Window* child : children()) {
    int id = child->id();
    if (id == IDC_PICTURE || id == ui::IDOK || id == ui::IDCANCEL || id <= 0) continue;
    resizer().add(id, R::keepWidth(), R::dialog(R::Edge::Top), R::dialog(R::Edge::Right),
                  R::keepHeight());
  }
  resizer().add(IDC_PICTURE, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::control(IDC_NAME_GROUP, R::Edge::Left), R::dialog(R::Edge::Bottom));
  ChangeDlgSize(*this, kSizeName);

  int found = 0;
  startRow_ = table_.findSysName(startName_, found) ? found : 0;
  int modelRow = startRow_;
  findNamePattern(table_, startRow_, pattern_, modelRow);
  const int languages = table_.getNrLanguages();
  if (table_.rows.isValid(modelRow)) {
    const Nx_StringArray& row = table_.rows[modelRow];
    for (int i = kFirstLanguage; i < kFirstLanguage + languages; ++i) {
      Nx_String display = i < row.length() ? row[i] : Nx_String();
      int digit = findFirstNumbers(display);
      prefixes_.append(digit >= 0 ? display.left(digit) : display);
    }
  }
  languageIndex_ = std::max(0, table_.getColumnIdx(MacroLangs::GetCurLanguage()) - kFirstLanguage);
  setLabels();
  fillFields();
  // Names that repeat no values (HEA100) leave nothing to build a name from.
  bool automatic = !pattern_.isEmpty();
  checkRadioButton(IDC_AUTO_NAME, IDC_OWN_NAME, automatic ? IDC_AUTO_NAME : IDC_OWN_NAME);
  enableItem(IDC_AUTO_NAME, automatic);
  enableItem(IDC_NAME, !automatic);
  return true;
}

void KvDlgEditLibSimple::setLabels() {
  // A parametric shape names its own dimensions; the table's headers name
  // the values beyond them (and all of them for a drawing's table).
  Nx_StringArray names;
  if (isParametric(table_.templateName)) {
    for (const std::string& n : shapeDimensionNames(table_.templateName.toInt()))
      names.append(Nx_String(n));
  }
  const int first = table_.getFirstValueIdx();
  for (int i = first + names.length(); i < table_.columnNames.length(); ++i)
    names.append(MacroLangs::GetString("Prof", table_.columnNames[i]));
  for (int k = 1; k <= kValueFields; ++k) {
    Nx_String name = k <= names.length() ? names[k - 1] : Nx_String();
    setItemText(labelId(k), getAlfabet(k) + ". " + name + ":");
  }
}

void KvDlgEditLibSimple::fillFields() {
  const int first = table_.getFirstValueIdx();
  const Nx_StringArray* row = table_.rows.get(startRow_);
  int language = kFirstLanguage + languageIndex_;
  setItemText(IDC_NAME, row && language < row->length() ? (*row)[language] : Nx_String());
  for (int k = 1; k <= kValueFields; ++k) {
    bool has = row && first + k - 1 < row->length();
    setItemText(fieldId(k), has ? (*row)[first + k - 1] : Nx_String());
    showItem(fieldId(k), has);
    showItem(labelId(k), has);
  }
}

Nx_StringArray KvDlgEditLibSimple::fieldValues() const {
  Nx_StringArray values;
  for (int k = 1; k <= kValueFields; ++k) values.append(itemText(fieldId(k)));
  return values;
}

bool KvDlgEditLibSimple::autoName() const {
  return isChecked(IDC_AUTO_NAME);
}

void KvDlgEditLibSimple::rebuildName() {
  Nx_String prefix = prefixes_.isValid(languageIndex_) ? prefixes_[languageIndex_] : Nx_String();
  setItemText(IDC_NAME, prefix + patternName(pattern_, fieldValues()));
}

bool KvDlgEditLibSimple::buildRow(Nx_StringArray& row, Nx_String& sysName) {
  const int languages = table_.getNrLanguages();
  if (!table_.rows.isValid(startRow_) ||
      table_.rows[startRow_].length() < kFirstLanguage + languages)
    return false;
  row = table_.rows[startRow_];
  row[1] = "1";
  bool automatic = autoName();
  Nx_String name = automatic ? patternName(pattern_, fieldValues()) : Nx_String(itemText(IDC_NAME));
  sysName = name;
  row[0] = name;
  for (int i = 0; i < languages; ++i) {
    Nx_String prefix = automatic && prefixes_.isValid(i) ? prefixes_[i] : Nx_String();
    row[kFirstLanguage + i] = prefix + name;
  }
  const int first = kFirstLanguage + languages;
  for (int k = 1; k <= kValueFields && first + k - 1 < row.length(); ++k)
    row[first + k - 1] = itemText(fieldId(k));
  return true;
}

bool KvDlgEditLibSimple::nameInUse(const Nx_String& name) const {
  // A display name counts too: the section look-ups take either.
  const int last = table_.getFirstValueIdx();
  for (const Nx_StringArray& row : table_.rows)
    for (int i = 0; i < row.length() && i < last; ++i)
      if (i != 1 && row[i].equal(name, false)) return true;
  return false;
}

bool KvDlgEditLibSimple::checkShape10(const Nx_StringArray& row) {
  if (!isParametric(table_.templateName) || table_.templateName.toInt() != kRectTubeShape)
    return true;
  const int first = table_.getFirstValueIdx();
  double third = first + 2 < row.length() ? row[first + 2].toDouble() : 0;
  double fourth = first + 3 < row.length() ? row[first + 3].toDouble() : 0;
  if (fourth == 0 || fourth > third) return true;
  ui::messageBox(
      (dialString(1457) + "\n" + dialString(1458) + "\n\n" + dialString(888) + ".").str(),
      dialString(1098).str(), ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
  return false;
}

void KvDlgEditLibSimple::onOK() {
  Nx_StringArray row;
  Nx_String sysName;
  if (!buildRow(row, sysName)) {
    ui::messageBox("This table has no size to start from, so no size can be added.",
                   dialString(796).str(), ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
    WriteDlgSize(*this, kSizeName);
    Dialog::onCancel();
    return;
  }
  if (sysName.isEmpty() || nameInUse(sysName)) {
    Nx_String why = sysName.isEmpty() ? Nx_String("The new size needs a name.")
                                      : "The table has a size \"" + sysName + "\" already.";
    ui::messageBox(why.str(), dialString(796).str(), ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
    return;
  }
  // Checked before the row goes in, so that a corrected second OK adds one size, not two.
  if (!checkShape10(row)) return;
  int position = std::clamp(sortedInsertPosition(table_, sysName), 0, table_.rows.length());
  table_.rows.insertAt(position, row);
  insertedRow_ = position;
  resultIndex_ = table_.getfilteredIdx(position);
  WriteDlgSize(*this, kSizeName);
  Dialog::onOK();
}

void KvDlgEditLibSimple::onCancel() {
  WriteDlgSize(*this, kSizeName);
  Dialog::onCancel();
}

bool StartDlgEditLibSimple(const Nx_String& startName, Nx_ProfValuesTable& table, int& index) {
  return guardExport("StartDlgEditLibSimple", false, [&] {
    KvResourceScope scope;
    KvDlgEditLibSimple dlg(table, startName);
    if (dlg.doModal() != ui::IDOK) return false;
    table = dlg.table();
    index = dlg.resultIndex();
    return true;
  });
}
