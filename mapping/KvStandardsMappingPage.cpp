#include "mapping/KvStandardsMappingPage.h"

#include <utility>

#include "common/StandardsPaths.h"
#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/PathHelpers.h"
#include "core/StringHelpers.h"
#include "core/dialString.h"
#include "mapping/KvObjectKind.h"
#include "mapping/KvVarCells.h"
#include "platform/grid/SheetContent.h"
#include "platform/ui/Services.h"
#include "resources/dialogs/DLG_STANDARDS_MAPPING.h"

using namespace dlg_standards_mapping;

namespace {
constexpr int kUpIcon = 261, kDownIcon = 262;
constexpr int kUpTip = 173, kDownTip = 174;
constexpr std::uint32_t kNameBackground = 0xF0F0F0;  // light grey: 240, 240, 240
constexpr std::uint32_t kBlack = 0;
enum Operation { kAdd, kRemove, kUp, kDown };

const char* valueTypeTitle(KvValueType type) {
  switch (type) {
    case kValueInt:
      return "Getal";
    case kValueDouble:
      return "Decim";
    default:
      return "Tekst";
  }
}

// What the combo shows for a valid variable.
Nx_String entryText(const KvObjectMap& map) {
  Nx_String text = map.objectName;
  if (!map.varName.isEmpty()) {
    if (!text.isEmpty()) text += ".";
    text += map.varName;
  }
  if (map.kind != kObjDistance && map.kind != kObjMemberSectionSize)
    text += Nx_String(".") + objectKindKeyword(map.kind);
  if (!text.isEmpty()) text += map.description;
  return text;
}

// The sheet's name: its path under the standards folder without ".kvs".
Nx_String sheetNameOf(const Nx_String& path, const Nx_String& folder) {
  Nx_String name = path.startsWith(folder, true) ? path.mid(folder.length()) : path;
  return endsWith(name, ".kvs", false) ? name.left(name.length() - 4) : name;
}

void swapEntries(Nx_StringArray& list, int a, int b) {
  std::swap(list[a], list[b]);
}
}  // namespace

KvStandardsMappingPage::KvStandardsMappingPage() : Dialog(kTemplateId) {
  for (int code : {ui::SPN_CLICK, ui::SPN_DBLCLICK, ui::SPN_LEAVECELL, ui::SPN_BLOCKSELECTED,
                   ui::SPN_HEADERSELECT})
    on(IDC_LIST_SHEET, code, [this] { selectionChanged(); });
  on(IDC_LIST_SHEET, ui::SPN_DATACHANGE, [this] {
    takeListBack();
    showMapping(current_);
  });
  onClicked(IDC_ADD, [this] { editList(kAdd); });
  onClicked(IDC_REMOVE, [this] { editList(kRemove); });
  onClicked(IDC_UP, [this] { editList(kUp); });
  onClicked(IDC_DOWN, [this] { editList(kDown); });
}

bool KvStandardsMappingPage::onInitDialog() {
  if (!data_) return true;
  list_.attachToItem(this, IDC_LIST_SHEET);
  list_.initAppearance(0);
  sheet_ = KvVariableSheet::make();
  if (sheet_) {
    sheet_->spread().attachToItem(this, IDC_MAPPING_SHEET);
    sheet_->spread().initAppearance(0);
  }
  setupButtons();
  fillList();
  showMapping(current_);
  return true;
}

void KvStandardsMappingPage::setupButtons() {
  setItemIcon(IDC_UP, kUpIcon);
  setItemIcon(IDC_DOWN, kDownIcon);
  setItemToolTip(IDC_UP, dialString(kUpTip));
  setItemToolTip(IDC_DOWN, dialString(kDownTip));
  setItemText(IDC_ADD, dialString(606));
  setItemText(IDC_REMOVE, dialString(607));
  setItemText(IDC_LIST_GROUP, "Add and edit standards-spreadsheets");
  setItemText(IDC_MAPPING_GROUP, "Choose how the Spreadsheet should be mapped to this macro");
}

bool KvStandardsMappingPage::apply() {
  if (!data_) return false;
  takeListBack();
  saveMapping(current_);
  return modified_;
}

// --- the list of sheets ----------------------------------------------------------------------

void KvStandardsMappingPage::fillList() {
  if (!data_) return;
  const Nx_String folder = standardsFolder();
  Nx_StringArray paths, sheets;
  ObjectExportFindFilesRecursive(folder, "*.kvs", paths);
  for (const Nx_String& path : paths) sheets.append(sheetNameOf(path, folder));
  Nx_StringArray choices{kEntireMacro};
  choices.append(data_->groupNames);

  const int rows = data_->count();
  list_.setMaxRows(0);
  list_.setMaxCols(2);
  list_.setMaxRows(rows);
  list_.setColumnHeaders({"Spreadsheet", "Maps to"});
  if (rows > 0) {
    list_.setComboColumn(1, sheets, false);
    list_.setComboColumn(2, choices, false);
  }
  for (int row = 1; row <= rows; ++row) {
    const Nx_String& object =
        data_->objectNames.isValid(row - 1) ? data_->objectNames[row - 1] : Nx_String();
    list_.setCellText(1, row, data_->sheetNames[row - 1]);
    list_.setCellText(2, row,
                      TabMappingData::isModuleGroup(object) ? getSubstrAfter(object, ".")
                                                            : Nx_String(kEntireMacro));
  }
  list_.fitColumnWidth(1);
  list_.fitColumnWidth(2);
}

void KvStandardsMappingPage::takeListBack() {
  if (!data_ || !list_.isAttached()) return;
  Nx_StringArray sheetCol, choiceCol;
  list_.getColumnValues(1, sheetCol);
  list_.getColumnValues(2, choiceCol);
  Nx_StringArray sheets, objects;
  for (int i = 0; i < sheetCol.length() && i < choiceCol.length(); ++i) {
    sheets.append(sheetCol[i]);
    if (!choiceCol[i].equal(kEntireMacro, false)) {
      objects.append(TabMappingData::kModulePrefix + choiceCol[i]);
    } else {
      Nx_String held = data_->getMapping(sheetCol[i], i);
      objects.append(TabMappingData::isModuleGroup(held) ? Nx_String() : held);
    }
  }
  if (!modified_ &&
      (!sheets.equal(data_->sheetNames, false) || !objects.equal(data_->objectNames, false)))
    modified_ = true;
  data_->sheetNames = sheets;
  data_->objectNames = objects;
}

void KvStandardsMappingPage::selectionChanged() {
  if (!data_) return;
  int entry = list_.getSelectedRow() - 1;
  if (entry < 0 || entry >= data_->count() || entry == current_) return;
  saveMapping(current_);
  current_ = entry;
  showMapping(entry);
}

void KvStandardsMappingPage::editList(int operation) {
  if (!data_) return;
  saveMapping(current_);
  int row = list_.getSelectedRow();
  takeListBack();
  int entry = row - 1;
  const int count = data_->count();
  switch (operation) {
    case kAdd:
      // Without a selected row the new entry goes to the end.
      if (entry < 0 || entry > count) entry = count;
      data_->sheetNames.insertAt(entry, Nx_String());
      data_->objectNames.insertAt(entry, Nx_String());
      break;
    case kRemove:
      if (entry < 0 || entry >= count) return;
      data_->sheetNames.removeAt(entry);
      data_->objectNames.removeAt(entry);
      break;
    case kUp:
      if (entry < 1 || entry >= count) return;
      swapEntries(data_->sheetNames, entry, entry - 1);
      swapEntries(data_->objectNames, entry, entry - 1);
      --entry;
      break;
    case kDown:
      if (entry < 0 || entry + 1 >= count) return;
      swapEntries(data_->sheetNames, entry, entry + 1);
      swapEntries(data_->objectNames, entry, entry + 1);
      ++entry;
      break;
  }
  // The grid's rows belong to the list as it was.
  gridEntry_ = -1;
  fillList();
  list_.selectRow(entry + 1);
  list_.setFocus();
  current_ = -1;
  selectionChanged();
  modified_ = true;
}

// --- the mapping grid -----------------------------------------------------------------------

void KvStandardsMappingPage::emptyGrid() {
  rows_.clear();
  gridEntry_ = -1;
  gridSheet_ = Nx_String();
  if (Nx_Spread* grid = mappingSheet()) {
    grid->removeAllSpans();
    grid->setMaxRows(0);
  }
}

bool KvStandardsMappingPage::showMapping(int entry) {
  Nx_Spread* grid = mappingSheet();
  if (!data_ || !data_->validVars || !grid || entry < 0 || entry >= data_->count()) {
    emptyGrid();
    return false;
  }
  const Nx_String& object = data_->objectNames[entry];
  if (TabMappingData::isModuleGroup(object)) {
    emptyGrid();
    return true;
  }
  const Nx_String& sheetName = data_->sheetNames[entry];
  // A sheet that cannot be read shows nothing: the rows of another entry
  // would be saved as this one's mapping.
  if (sheetName.isEmpty() || sheet_->loadFile(sheetName) != Acad::eOk ||
      sheet_->initVarCells() != Acad::eOk) {
    emptyGrid();
    return false;
  }
  working_.mappedObjectsWrite().removeAll();
  if (!object.isEmpty()) working_.getMappingFromFile(sheetName, object);

  grid->removeAllSpans();
  grid->setMaxRows(0);
  grid->setMaxCols(0);
  grid->setMaxCols(2);
  grid->setCellText(Nx_Spread::kHeader, Nx_Spread::kHeader, "Type");
  grid->setCellText(1, Nx_Spread::kHeader, "Std Name");
  grid->setCellText(2, Nx_Spread::kHeader, "Macro object");
  rows_.clear();
  addSection(kCellInput, "Input");
  addSection(kCellOutput, "Output");
  grid->fitColumnWidth(Nx_Spread::kHeader);
  grid->fitColumnWidth(1);
  grid->fitColumnWidth(2);
  if (grid::Sheet* model = grid->sheet()) model->setBool(grid::kOptionRedraw, true);
  gridEntry_ = entry;
  gridSheet_ = sheetName;
  return true;
}

void KvStandardsMappingPage::addSection(KvCellType type, const char* title) {
  Nx_Spread& grid = *mappingSheet();
  const KvVarCells& cells = sheet_->varCells();
  int row = grid.getMaxRows() + 1;
  grid.setMaxRows(row);
  grid.clearRow(row);
  grid.setCellText(Nx_Spread::kHeader, row, title);
  grid.setStaticCell(1, row, 0);
  grid.setStaticCell(2, row, 0);
  for (int i = 0; i < cells.length(); ++i) {
    const KvVarCell& cell = cells[i];
    if (cell.cellType != type) continue;
    row = grid.getMaxRows() + 1;
    grid.setMaxRows(row);
    grid.clearRow(row);
    grid.setCellText(Nx_Spread::kHeader, row, valueTypeTitle(cell.valueType));
    grid.setStaticCell(1, row, 0);
    grid.setCellText(1, row, cell.name);
    if (grid::Sheet* model = grid.sheet())
      model->setColor({1, row, 1, row}, kNameBackground, kBlack);
    RowItem item;
    item.col = 2;
    item.row = row;
    item.cellIndex = i;
    setupCombo(item);
    rows_.push_back(std::move(item));
  }
}

void KvStandardsMappingPage::setupCombo(RowItem& item) {
  Nx_Spread& grid = *mappingSheet();
  const KvVarCell& cell = sheet_->varCells()[item.cellIndex];
  const KvSSMapping& valid = *data_->validVars;
  valid.getValidVars(false, cell.valueType, item.entries);
  Nx_StringArray texts;
  for (int i = 0; i < item.entries.length(); ++i)
    texts.append(entryText(valid.mappedObjects()[item.entries[i]]));
  grid.setComboCells(item.col, item.row, item.col, item.row, texts, false);
  int mapped = -1, compatible = -1;
  if (working_.findSSVar(cell.name, cell.valueType, mapped) != Acad::eOk ||
      valid.findCompatible(working_.mappedObjects()[mapped], compatible) != Acad::eOk) {
    grid.setCellText(item.col, item.row, Nx_String());
    return;
  }
  int position = item.entries.find(compatible);
  grid.setCellText(item.col, item.row, position >= 0 ? texts[position] : Nx_String());
}

void KvStandardsMappingPage::collectMapping() {
  Nx_Array<KvObjectMap>& maps = working_.mappedObjectsWrite();
  maps.removeAll();
  Nx_Spread* grid = mappingSheet();
  if (!grid || !sheet_ || !data_->validVars) return;
  const KvSSMapping& valid = *data_->validVars;
  const KvVarCells& cells = sheet_->varCells();
  for (const RowItem& item : rows_) {
    Nx_String chosen;
    grid->getCellText(item.col, item.row, chosen, Nx_Spread::kValue);
    Nx_StringArray texts = comboEntries(item.row);
    int position = texts.find(chosen, true);
    if (chosen.isEmpty() || position < 0 || position >= item.entries.length()) continue;
    int index = item.entries[position];
    if (index < 0 || index >= valid.mappedObjects().length()) continue;
    if (item.cellIndex < 0 || item.cellIndex >= cells.length()) continue;
    const KvObjectMap& source = valid.mappedObjects()[index];
    KvObjectMap map;
    map.objectName = source.objectName;
    map.varName = source.varName;
    map.kind = source.kind;
    map.ssVarName = cells[item.cellIndex].name;
    maps.append(map);
  }
}

bool KvStandardsMappingPage::generateKey(const Nx_String& sheetName, Nx_String& key) const {
  Nx_StringArray lines, keys;
  ObjectExportReadFile(KvSSMapping::mappingFilePath(sheetName), lines);
  for (const Nx_String& line : lines) keys.append(getSubstrBefore(line, "="));
  for (int attempt = 0; attempt < kMaxKeyAttempts; ++attempt) {
    key = generateRandomString(kKeyLength, true);
    if (key.isEmpty()) return false;
    if (!keys.contains(key, true)) return true;
  }
  return false;
}

void KvStandardsMappingPage::saveMapping(int entry) {
  if (!data_ || entry < 0 || entry >= data_->count()) return;
  const Nx_String& object = data_->objectNames[entry];
  const Nx_String sheetName = data_->sheetNames[entry];
  if (TabMappingData::isModuleGroup(object)) return;
  if (entry != gridEntry_ || !sheetName.equal(gridSheet_, false)) return;
  collectMapping();
  KvSSMapping stored;
  if (stored.getMappingFromFile(sheetName, object) == Acad::eOk && working_.isEqual(stored)) return;
  modified_ = true;
  Nx_String key;
  if (!generateKey(sheetName, key)) return;
  if (working_.setMappingToFile(sheetName, key) != Acad::eOk) {
    // The file is as it was; so is the entry's key.
    ui::messageBox(
        ("The mapping of \"" + sheetName + "\" cannot be saved in " +
         KvSSMapping::mappingFilePath(sheetName) + ".\nThe previous mapping file is kept.")
            .str(),
        "Standards mapping", ui::MB_OK | ui::MB_ICONWARNING, this);
    return;
  }
  data_->objectNames[entry] = key;
}

int KvStandardsMappingPage::rowOfVariable(const Nx_String& name) const {
  if (!sheet_) return -1;
  for (const RowItem& item : rows_)
    if (sheet_->varCells()[item.cellIndex].name.equal(name, false)) return item.row;
  return -1;
}

Nx_StringArray KvStandardsMappingPage::comboEntries(int row) const {
  Nx_StringArray texts;
  if (!sheet_) return texts;
  const grid::Sheet* model = sheet_->spread().sheet();
  if (!model || row < 1 || row > model->maxRows()) return texts;
  for (const std::string& item : model->getCellType(2, row).comboItems()) texts.append(item);
  return texts;
}
