#include "standards/KvStandardsSheet.h"

#include <algorithm>
#include <memory>

#include "common/ProfilingTimers.h"
#include "common/StandardsPaths.h"
#include "core/ArrayHelpers.h"
#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/StringHelpers.h"
#include "platform/arx/acutil.h"
#include "platform/base/FileMemo.h"
#include "platform/ui/Services.h"
#include "spreadsheet/SheetOptions.h"
#include "standards/KvChildRunner.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/KvSSFunctions.h"
#include "standards/StandardsDiagnostics.h"
#include "standards/StandardsRunFrame.h"

namespace {

constexpr const char* kLabelTexts[] = {"Input", "Output", "Local", "Calc"};

// The native functions a Calc cell may call, by index.
const Nx_StringArray& nativeFunctions() {
  static const Nx_StringArray functions = {"CallChild"};
  return functions;
}
constexpr int kCallChild = 0;

Acad::ErrorStatus status(bool ok) {
  return ok ? Acad::eOk : kFail;
}

// Appends the indexes that are not in `to` yet, in order.
void addOnce(std::vector<int>& to, const std::vector<int>& indexes) {
  for (int index : indexes)
    if (std::find(to.begin(), to.end(), index) == to.end()) to.push_back(index);
}

// A Calc cell's text taken apart: the variable left of its "=" and the
// expression right of it (the whole text without one), and whether the
// expression calls a native function (which one, by index). A text says
// the same in every run: in a batch it is taken apart once.
struct Equation {
  bool split = false;
  Nx_String name, expression;
  bool native = false;
  int function = -1;
};

std::shared_ptr<const Equation> readEquation(const Nx_String& text) {
  std::string key;
  if (base::filememo::active()) {
    key = "calc-cell\n" + text.str();
    if (auto kept = base::filememo::findAs<Equation>(key)) return kept;
  }
  auto equation = std::make_shared<Equation>();
  equation->split = splitStringAtSymbol(text, "=", equation->name, equation->expression, true);
  if (!equation->split) equation->expression = text;
  equation->native =
      hasASubstr(equation->expression, nativeFunctions(), &equation->function, false);
  if (!key.empty()) base::filememo::keep(key, equation);
  return equation;
}

// fileExists, asked once per path in a batch.
bool keptFileExists(const Nx_String& path) {
  if (!base::filememo::active()) return fileExists(path);
  const std::string key = "exists\n" + path.str();
  if (auto kept = base::filememo::findAs<bool>(key)) return *kept;
  auto exists = std::make_shared<const bool>(fileExists(path));
  base::filememo::keep(key, exists);
  return *exists;
}

// standardsSheetPath, looked up once per name in a batch.
Nx_String keptSheetPath(const Nx_String& name) {
  if (!base::filememo::active()) return standardsSheetPath(name);
  const std::string key = "sheet-path\n" + standardsFolder().str() + '\n' + name.str();
  if (auto kept = base::filememo::findAs<Nx_String>(key)) return *kept;
  auto path = std::make_shared<const Nx_String>(standardsSheetPath(name));
  base::filememo::keep(key, path);
  return *path;
}

// The sheet file into the model: its text read once per outermost run, and
// in a batch parsed once and copied in for every run after the first.
bool loadSheet(grid::Sheet& model, const Nx_String& path, StandardsRunFrame* frame,
               std::string& error) {
  const std::string key = "sheet\n" + path.str();
  if (auto kept = base::filememo::findAs<grid::LoadedSheet>(key))
    return model.loadCopy(*kept, path.str(), error);
  if (!frame) return model.loadFromFile(path.str(), error);
  const std::string* text = nullptr;
  if (!frame->sheetText(path, text, error)) return false;
  if (!base::filememo::active()) return model.loadFromText(*text, path.str(), error);
  auto loaded = std::make_shared<grid::LoadedSheet>();
  if (!grid::Sheet::parseText(*text, path.str(), *loaded, error)) return false;
  base::filememo::keep(key, loaded);
  return model.loadCopy(*loaded, path.str(), error);
}

}  // namespace

bool KvStandardsSheet::failStep(const char* reason, KvRunDiagnostic::Kind kind,
                                const Nx_String& variable) const {
  Nx_String text = "Standards sheet " + fileName_ + ": " + reason;
  acutPrintf("*Error* %s\n", text.c_str());
  if (StandardsRunFrame* frame = StandardsRunFrame::current())
    frame->add(kind, variable, Nx_String(), text);
  return false;
}

// --- loading and the layout --------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::loadFile(const Nx_String& name) {
  grid::Sheet* model = sheet();
  if (!model) return kFail;
  Nx_String path = toNativePath(keptSheetPath(name));
  // The engine's set-up before every load, in this order; 12 has no meaning here.
  model->setBool(kOptionEditMode, true);
  model->setBool(12, true);
  model->setBool(grid::kOptionRedraw, false);
  model->setBool(grid::kOptionAutoCalc, false);
  StandardsRunFrame* frame = StandardsRunFrame::current();
  if (frame) frame->setSheet(path);
  std::string error;
  if (!loadSheet(*model, path, frame, error)) {
    Nx_String why = "Standards sheet " + path + " cannot be loaded: " + error.c_str();
    acutPrintf("*Error* %s\n", why.c_str());
    if (frame) frame->add(KvRunDiagnostic::kSheet, Nx_String(), path, why);
    return kFail;
  }
  fileName_ = path;
  // A formula the grid could not compile loads as #NAME?: the run must say so,
  // once per run, or its results look sound.
  for (const std::string& warning : model->loadWarnings()) {
    if (frame && !frame->firstTime(path.str() + '\n' + warning)) continue;
    Nx_String why = "Standards sheet " + path + ": " + warning.c_str();
    acutPrintf("*Error* %s\n", why.c_str());
    if (frame) frame->add(KvRunDiagnostic::kSheet, Nx_String(), path, why);
  }
  return Acad::eOk;
}

KvStandardsSheet::Labels KvStandardsSheet::locateLabels() const {
  Labels labels;
  const grid::Sheet* model = sheet();
  if (!model) return labels;
  int found = 0;
  grid::Area all{1, 1, model->maxCols(), model->maxRows()};
  model->content().cells.forEachIn(all, [&](const grid::Cell& cell, int row) {
    if (found == kLabelCount) return;
    Nx_String text = model->getValue(cell.col, row);
    for (int l = 0; l < kLabelCount; ++l) {
      if (labels.row[l] == 0 && text.equal(kLabelTexts[l], false)) {
        labels.row[l] = row;
        ++found;
      }
    }
  });
  return labels;
}

int KvStandardsSheet::sectionEnd(const Labels& labels, Label label) const {
  int end = getMaxRows();
  if (label == kCalc) return end;
  for (int other = 0; other < kLabelCount; ++other) {
    int row = labels.row[other];
    if (other != label && row > labels.row[label] && row < end) end = row;
  }
  return end;
}

void KvStandardsSheet::scanSection(const Labels& labels, Label label, KvCellType type) {
  grid::Sheet* model = sheet();
  grid::Area area{1, labels.row[label] + 1, model->maxCols(), sectionEnd(labels, label)};
  std::vector<std::pair<int, int>> cells;
  model->content().cells.forEachIn(
      area, [&](const grid::Cell& cell, int row) { cells.emplace_back(cell.col, row); });
  for (const auto& [col, row] : cells) {
    KvVarCell cell;
    Nx_String text;
    if (!getCellText(col, row, text, kValue)) continue;
    if (cell.initialize(*this, col, row, type) == Acad::eOk) varCells_.append(cell);
  }
}

Acad::ErrorStatus KvStandardsSheet::initVarCells() {
  varCells_.resetVarCells();
  ++varsGeneration_;
  if (!sheet()) return kFail;
  // Called on the sheet as loaded, so in a batch its variables are found once.
  struct Found {
    Acad::ErrorStatus status = kFail;
    std::vector<KvVarCell> cells;
  };
  std::string key;
  if (base::filememo::active()) {
    key = "variables\n" + fileName_.str();
    if (auto kept = base::filememo::findAs<Found>(key)) {
      for (const KvVarCell& cell : kept->cells) varCells_.append(cell);
      return kept->status;
    }
  }
  auto scan = [&]() -> Acad::ErrorStatus {
    Labels labels = locateLabels();
    if (!labels.row[kInput]) return kFail;
    scanSection(labels, kInput, kCellInput);
    if (!labels.row[kOutput]) return kFail;
    scanSection(labels, kOutput, kCellOutput);
    if (labels.row[kLocal]) scanSection(labels, kLocal, kCellLocal);
    return Acad::eOk;
  };
  const Acad::ErrorStatus es = scan();
  if (!key.empty()) {
    auto found = std::make_shared<Found>();
    found->status = es;
    for (int i = 0; i < varCells_.length(); ++i) found->cells.push_back(varCells_[i]);
    base::filememo::keep(key, std::move(found));
  }
  return es;
}

// --- preparing a run -----------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::initSSForInput(KvDlgStandardsData& data) {
  if (!data.macro || !data.transaction)
    return status(
        failStep("a parent run needs a macro and an open transaction", KvRunDiagnostic::kRun));
  gInitSSForInput.start();
  genVarNames_ = data.genVarNames;
  genVarValues_ = data.genVarValues;
  if (initVarCells() != Acad::eOk) {
    // A child goes on without variables; a parent run needs both sections.
    bool noInput = !locateLabels().row[kInput];
    return status(failStep(noInput ? "no \"Input\" label" : "no \"Output\" label"));
  }
  gInitSSForInput.end();

  gSSSGetFromMacro.start();
  StandardsRunFrame* frame = StandardsRunFrame::current();
  std::size_t firstDiagnostic = frame ? frame->diagnostics().size() : 0;
  if (varCells_.getFromMacro(data) != Acad::eOk)
    return status(
        failStep("the variables cannot be read from the macro", KvRunDiagnostic::kVariable));
  findUnboundVars(data, firstDiagnostic);
  gSSSGetFromMacro.end();

  gSetMacroValuelsToSS.start();
  int failed = -1;
  if (varCells_.setValuesToSS(*this, &failed) != Acad::eOk) {
    const KvVarCell& cell = varCells_[failed];
    Nx_String why = "the value \"" + cell.value + "\" of " + cell.name + " does not fit its cell " +
                    getAlfabet(cell.column) + Nx_String(cell.row);
    return status(failStep(why.c_str(), KvRunDiagnostic::kVariable, cell.name));
  }
  gSetMacroValuelsToSS.end();

  gSSSreplaceGenVars.start();
  replaceGenVars();
  gSSSreplaceGenVars.end();
  return Acad::eOk;
}

Acad::ErrorStatus KvStandardsSheet::getFromVars(KvDlgStandardsData& data) {
  gGetFromVars.start();
  genVarNames_ = data.genVarNames;
  genVarValues_ = data.genVarValues;
  // A child without the sections simply has no variables.
  initVarCells();
  // The arguments bind to the variables that stay.
  dropDuplicateVars();
  const KvVarCells& args = data.varCells;
  int locals = 0;
  for (int i = 0; i < varCells_.length(); ++i) {
    KvVarCell& cell = varCells_[i];
    if (cell.isLocal()) {
      ++locals;
      if (cell.setNewValue(*this, Nx_String()) != Acad::eOk)
        return status(
            failStep("a Local cell cannot be emptied", KvRunDiagnostic::kVariable, cell.name));
      continue;
    }
    int arg = i - locals;
    if (arg >= args.length()) {
      Nx_String why = "CallChild gives " + Nx_String(args.length()) +
                      " variables, the sheet binds at least " + Nx_String(arg + 1) + " (" +
                      cell.name + ")";
      return status(failStep(why.c_str(), KvRunDiagnostic::kVariable, cell.name));
    }
    if (cell.isOutput() && args[arg].isInput()) {
      Nx_String why =
          "the Output " + cell.name + " is bound to the caller's Input " + args[arg].name;
      return status(failStep(why.c_str(), KvRunDiagnostic::kVariable, cell.name));
    }
    if (cell.setNewValue(*this, args[arg].value) != Acad::eOk) {
      Nx_String why = "the value \"" + args[arg].value + "\" of " + args[arg].name +
                      " does not fit the cell of " + cell.name;
      return status(failStep(why.c_str(), KvRunDiagnostic::kVariable, cell.name));
    }
  }
  replaceGenVars();
  gGetFromVars.end();
  return Acad::eOk;
}

Acad::ErrorStatus KvStandardsSheet::replaceGenVars() {
  grid::Sheet* model = sheet();
  if (!model) return kFail;
  WholeWordReplacer replacer;
  replacer.setPairs(genVarNames_, genVarValues_, true);
  if (replacer.pairCount() == 0) return Acad::eOk;
  // Only the variable cells changed since the load, so in a batch the other
  // cells that hold a name are known from the first run of the sheet.
  using Cells = std::vector<std::pair<int, int>>;
  std::string key;
  if (base::filememo::active()) {
    key = "names-in-cells\n" + fileName_.str();
    for (const Nx_String& name : genVarNames_) key += '\n' + name.str();
  }
  Cells variables;
  for (int i = 0; i < varCells_.length(); ++i)
    variables.emplace_back(varCells_[i].column, varCells_[i].row);
  std::sort(variables.begin(), variables.end());
  std::shared_ptr<const Cells> known = base::filememo::findAs<Cells>(key);
  // Each write changes only the cell just read, so the cells can be listed first.
  Cells cells;
  if (known) {
    cells = *known;
    cells.insert(cells.end(), variables.begin(), variables.end());
  } else {
    grid::Area all{1, 1, model->maxCols(), model->maxRows()};
    model->content().cells.forEachIn(
        all, [&](const grid::Cell& cell, int row) { cells.emplace_back(cell.col, row); });
  }
  auto found = std::make_shared<Cells>();
  for (const auto& [col, row] : cells) {
    Nx_String text = model->getValue(col, row);
    if (!replacer.replace(text)) continue;
    setCellText(col, row, text);
    if (!std::binary_search(variables.begin(), variables.end(), std::make_pair(col, row)))
      found->emplace_back(col, row);
  }
  if (!known && !key.empty()) base::filememo::keep(key, std::move(found));
  return Acad::eOk;
}

// --- computing -----------------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::calcMain() {
  grid::Sheet* model = sheet();
  if (!model) return kFail;
  gRegisterFuntions.start();
  if (registerStandardsFunctions(*model) != Acad::eOk)
    return status(failStep("the sheet functions cannot be registered", KvRunDiagnostic::kRun));
  gRegisterFuntions.end();

  gFindDuplicates.start();
  dropDuplicateVars();
  gFindDuplicates.end();

  gCalcCells.start();
  Labels labels = locateLabels();
  if (!labels.row[kCalc]) return status(failStep("no \"Calc\" label"));
  calcCells(labels.row[kCalc] + 1);
  gCalcCells.end();
  return Acad::eOk;
}

void KvStandardsSheet::dropDuplicateVars() {
  Nx_StringArray names;
  for (int i = 0; i < varCells_.length(); ++i) names.append(varCells_[i].name);
  AcArray<int> duplicates;
  if (!getDuplicates(names, duplicates, false)) return;
  Nx_String list;
  for (int i = 0; i < duplicates.length(); ++i) list += (i ? "\n" : "") + names[duplicates[i]];
  Nx_String text = "There were duplicate variable names found in the standards file " + fileName_ +
                   ".\nThe duplicates will be ignored. Please correct this file.\n"
                   "Duplicate variable names:\n\n" +
                   list;
  if (StandardsRunFrame* frame = StandardsRunFrame::current()) {
    for (int i = 0; i < duplicates.length(); ++i) {
      const KvVarCell& cell = varCells_[duplicates[i]];
      frame->add({KvRunDiagnostic::kDuplicate, fileName_, cell.row, cell.name, cell.name, text});
    }
  }
  ui::messageBox(text.str(), "Variable names must be unique", ui::MB_OK | ui::MB_ICONEXCLAMATION,
                 this);
  for (int i = duplicates.length() - 1; i >= 0; --i) varCells_.removeAt(duplicates[i]);
  ++varsGeneration_;
}

void KvStandardsSheet::calcCells(int firstRow) {
  grid::Sheet* model = sheet();
  // The only cells an equation can fill besides its own are variable cells,
  // so a row's cells to visit are those it holds now and its variable cells.
  std::map<int, std::vector<int>> varColumns;
  for (int i = 0; i < varCells_.length(); ++i)
    if (varCells_[i].row >= firstRow) varColumns[varCells_[i].row].push_back(varCells_[i].column);
  std::vector<int> columns;
  for (int row = firstRow; row <= model->maxRows(); ++row) {
    columns.clear();
    model->content().cells.forEachIn(
        grid::Area{1, row, model->maxCols(), row},
        [&](const grid::Cell& cell, int) { columns.push_back(cell.col); });
    if (auto it = varColumns.find(row); it != varColumns.end()) {
      columns.insert(columns.end(), it->second.begin(), it->second.end());
      std::sort(columns.begin(), columns.end());
      columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    }
    for (int col : columns) calcCell(col, row);
  }
  if (StandardsRunFrame* frame = StandardsRunFrame::current()) frame->setCell(0, Nx_String());
}

Acad::ErrorStatus KvStandardsSheet::calcCell(int col, int row) {
  Nx_String text;
  if (!getCellText(col, row, text, kValue) || text.isEmpty()) return Acad::eOk;
  StandardsRunFrame* frame = StandardsRunFrame::current();
  if (frame) frame->setCell(row, text);
  // The trace's vector is this run's alone: a child run traces into the row's children.
  KvTraceRow* traced = nullptr;
  if (frame && frame->trace()) {
    traced = &frame->trace()->emplace_back();
    traced->sheet = fileName_;
    traced->row = row;
    traced->col = col;
    traced->text = text;
  }

  gCalcCellSplitSymbol.start();
  const std::shared_ptr<const Equation> equation = readEquation(text);
  const Nx_String& name = equation->name;
  text = equation->expression;
  gCalcCellSplitSymbol.end();

  gCalcCellFindVarCell.start();
  int target = equation->split ? findVar(name) : -1;
  gCalcCellFindVarCell.end();

  // Found with the split, above.
  gCalcCellFindFunctions.start();
  const int function = equation->function;
  const bool native = equation->native;
  gCalcCellFindFunctions.end();

  auto failed = [&]() {
    reportEquationFailure(fileName_, row, name, text);
    return kFail;
  };
  if (native) {
    gCalcCellCalcNativeFunctions.start();
    Acad::ErrorStatus es = callChild(text, nativeFunctions()[function], traced);
    gCalcCellCalcNativeFunctions.end();
    if (traced) traced->ok = es == Acad::eOk;
    return es == Acad::eOk ? Acad::eOk : failed();
  }
  if (target < 0) return failed();

  gCalcCellCalcFunctionsPrepare.start();
  KvValueType type = varCells_[target].valueType;
  bool typed = type == kValueString ? setEditCell(col, row) : setNumberCell(col, row, 7, false);
  Nx_String formula = text;
  std::vector<int> read;
  replaceVariables(formula, traced ? &read : nullptr);
  gCalcCellCalcFunctionsPrepare.end();
  if (traced) {
    traced->equation = formula;
    for (int index : read) traced->read.push_back({varCells_[index].name, varCells_[index].value});
  }
  if (!typed) return failed();

  Nx_FunctionTimer timer(gCalcCellCalcFunctions);
  grid::Sheet* model = sheet();
  if (!model->setFormula(col, row, formula.str(), true)) return failed();
  const grid::Value& result = model->value(col, row);
  if (traced) traced->value = model->getValue(col, row);
  // An error value is no result: the variable keeps its value.
  if (result.isError()) return failed();
  Nx_String value = result.isBool() && type != kValueString
                        ? Nx_String(result.boolean() ? "1" : "0")
                        : Nx_String(model->getValue(col, row));
  if (!assign(target, value)) return failed();
  if (traced) {
    traced->ok = true;
    traced->written.push_back({varCells_[target].name, varCells_[target].value});
  }
  return Acad::eOk;
}

// --- variables -----------------------------------------------------------------------

bool KvStandardsSheet::assign(int index, const Nx_String& value) {
  KvVarCell& cell = varCells_[index];
  Nx_String previous = cell.value;
  if (cell.setNewValue(*this, value) == Acad::eOk) return true;
  // The refused value must not travel on (to a caller, to the macro).
  cell.setNewValue(*this, previous);
  return false;
}

void KvStandardsSheet::findUnboundVars(const KvDlgStandardsData& data,
                                       std::size_t firstDiagnostic) {
  toldVars_.clear();
  StandardsRunFrame* frame = StandardsRunFrame::current();
  if (!frame) return;
  KvRunDiagnostics& diagnostics = frame->diagnostics();
  // The variable diagnostics the mapping just raised know no row.
  for (std::size_t i = firstDiagnostic; i < diagnostics.size(); ++i) {
    if (diagnostics[i].kind != KvRunDiagnostic::kVariable) continue;
    toldVars_.insert(diagnostics[i].variable.str());
    int index = findVar(diagnostics[i].variable);
    if (diagnostics[i].row == 0 && index >= 0) diagnostics[i].row = varCells_[index].row;
  }
  // A module group is reached by the name convention: any name may bind.
  const KvSSMapping& mapping = varCells_.mapping();
  if (mapping.mode() != KvSSMapping::kMacro) return;
  caseblind::Set mapped;
  for (const KvObjectMap& map : mapping.mappedObjects()) mapped.insert(map.ssVarName.str());
  for (int i = 0; i < varCells_.length(); ++i) {
    const KvVarCell& cell = varCells_[i];
    // Mapped, or a duplicate told already.
    if (cell.isLocal() || !mapped.insert(cell.name.str()).second) continue;
    toldVars_.insert(cell.name.str());
    // What the mapping reported of it is, more precisely, no binding at all.
    auto reported = std::find_if(diagnostics.begin() + static_cast<std::ptrdiff_t>(firstDiagnostic),
                                 diagnostics.end(), [&](const KvRunDiagnostic& d) {
                                   return d.kind == KvRunDiagnostic::kVariable &&
                                          d.variable.equal(cell.name, false);
                                 });
    if (reported != diagnostics.end()) {
      reported->kind = KvRunDiagnostic::kUnbound;
      continue;
    }
    frame->add({KvRunDiagnostic::kUnbound, fileName_, cell.row, cell.name,
                cell.isInput() ? "Input" : "Output",
                unboundVariableText(fileName_, cell.isInput(), cell.name, data.objectName)});
  }
}

void KvStandardsSheet::refreshVarIndex() {
  if (indexGeneration_ == varsGeneration_) return;
  varIndex_.clear();
  for (int i = 0; i < varCells_.length(); ++i) varIndex_.try_emplace(varCells_[i].name.str(), i);
  indexGeneration_ = varsGeneration_;
}

int KvStandardsSheet::findVar(const Nx_String& name) {
  refreshVarIndex();
  auto it = varIndex_.find(std::string_view(name.str()));
  return it == varIndex_.end() ? -1 : it->second;
}

Acad::ErrorStatus KvStandardsSheet::getVarCoordName(const Nx_String& name, Nx_String& reference) {
  Nx_FunctionTimer timer(gCalcCellGetVarCoordName);
  int index = findVar(name);
  if (index < 0) return kFail;
  const KvVarCell& cell = varCells_[index];
  if (cell.column < 1 || cell.row < 1) return kFail;
  reference = getAlfabet(cell.column) + Nx_String(cell.row);
  return Acad::eOk;
}

Acad::ErrorStatus KvStandardsSheet::replaceVariables(Nx_String& text, std::vector<int>* read) {
  // In a batch a sheet's variables are those of its file, so an equation's
  // text gives the same formula in every run.
  struct Replaced {
    Nx_String formula;
    std::vector<int> read;
  };
  std::string key;
  if (base::filememo::active()) {
    key = "equation\n" + fileName_.str() + '\n' + text.str();
    if (auto kept = base::filememo::findAs<Replaced>(key)) {
      text = kept->formula;
      if (read) addOnce(*read, kept->read);
      return Acad::eOk;
    }
  }
  if (replacerGeneration_ != varsGeneration_) {
    gCalcCellGetVarNames.start();
    Nx_StringArray names;
    for (int i = 0; i < varCells_.length(); ++i) names.append(varCells_[i].name);
    gCalcCellGetVarNames.end();
    gCalcCellGetVarCoords.start();
    Nx_StringArray found, references;
    replacedVars_.clear();
    for (const Nx_String& name : names) {
      Nx_String reference;
      if (getVarCoordName(name, reference) != Acad::eOk) continue;
      found.append(name);
      references.append(reference);
      replacedVars_.push_back(findVar(name));
    }
    variableReplacer_.setPairs(found, references, false);
    replacerGeneration_ = varsGeneration_;
    gCalcCellGetVarCoords.end();
  }
  gCalcCellReplaceVariables.start();
  std::vector<int> hits;
  std::vector<int> firstUse;
  variableReplacer_.replace(text, &hits);
  for (int pair : hits) addOnce(firstUse, {replacedVars_[static_cast<size_t>(pair)]});
  if (read) addOnce(*read, firstUse);
  if (!key.empty())
    base::filememo::keep(key,
                         std::make_shared<const Replaced>(Replaced{text, std::move(firstUse)}));
  gCalcCellReplaceVariables.end();
  return Acad::eOk;
}

// --- parent and child runs -------------------------------------------------------------

Acad::ErrorStatus KvStandardsSheet::calcParent(KvDlgStandardsData& data) {
  gCalcMain.start();
  if (calcMain() != Acad::eOk) return kFail;
  if (varCells_.getValuesFromSS(*this) != Acad::eOk)
    return status(failStep("an Output cell cannot be read", KvRunDiagnostic::kVariable));
  gCalcMain.end();
  gSetToMacro.start();
  writeOutputs(data);
  gSetToMacro.end();
  return Acad::eOk;
}

void KvStandardsSheet::writeOutputs(KvDlgStandardsData& data) {
  KvSSMapping& mapping = varCells_.mapping();
  // A module-group write answers failure although the modules took the
  // value, so only a mapping-file entry's answer tells a refusal.
  bool answers = mapping.mode() == KvSSMapping::kMacro;
  for (int i = 0; i < varCells_.length(); ++i) {
    KvVarCell& cell = varCells_[i];
    if (!cell.isOutput()) continue;
    if (cell.setValueToMacro(mapping, data) == Acad::eOk || !answers) continue;
    if (toldVars_.contains(std::string_view(cell.name.str()))) continue;  // told already
    StandardsRunFrame* frame = StandardsRunFrame::current();
    if (frame) frame->setCell(cell.row, Nx_String());
    reportVariableFailure(data.fileName, false, cell.name);
    if (frame) frame->setCell(0, Nx_String());
  }
}

Acad::ErrorStatus KvStandardsSheet::calcChild(KvVarCells& args) {
  gCalcChild.start();
  if (calcMain() != Acad::eOk) return kFail;
  gCalcChild.end();
  gSetToVars.start();
  int locals = 0;
  for (int i = 0; i < varCells_.length(); ++i) {
    const KvVarCell& cell = varCells_[i];
    if (cell.isLocal()) {
      ++locals;
      continue;
    }
    if (!cell.isOutput()) continue;
    int arg = i - locals;
    if (arg >= args.length())
      return status(failStep("fewer CallChild variables than Outputs", KvRunDiagnostic::kVariable));
    args[arg].value = cell.value;
  }
  gSetToVars.end();
  return Acad::eOk;
}

Nx_String KvStandardsSheet::resolveChildPath(const Nx_String& name) const {
  const Nx_String folder = standardsFolder();
  const std::string key = "child\n" + fileName_.str() + '\n' + folder.str() + '\n' + name.str();
  if (auto kept = base::filememo::findAs<Nx_String>(key)) return *kept;
  const Nx_String places[] = {
      name,
      getPath(fileName_) + ensureNoStartBSlash(name),
      folder + name,
      folder + "Childs/" + name,
      folder + "Data/" + name,
      folder + "Parents/" + name,
  };
  Nx_String found = name;
  for (const Nx_String& place : places) {
    if (!place.isEmpty() && fileExists(place)) {
      found = place;
      break;
    }
  }
  base::filememo::keep(key, std::make_shared<const Nx_String>(found));
  return found;
}

Acad::ErrorStatus KvStandardsSheet::callChild(const Nx_String& text, const Nx_String& functionName,
                                              KvTraceRow* trace) {
  int at = text.find(functionName, false);
  int open = at < 0 ? -1 : text.find('(', at + functionName.length());
  int close = open < 0 ? -1 : text.find(')', open + 1);
  if (close < 0) return kFail;
  Nx_StringArray args;
  if (splitStringAtSymbol(text.mid(open + 1, close - open - 1), ',', args, true) < 2) return kFail;

  Nx_String child = args[0];
  if (child[0] == '"') child.remove(0, 1);
  if (child[child.length() - 1] == '"') child.remove(child.length() - 1, 1);
  Nx_String path = resolveChildPath(child);
  if (!keptFileExists(path)) return kFail;

  KvDlgStandardsData request;
  request.mode = KvDlgStandardsData::kChild;
  for (int i = 1; i < args.length(); ++i) {
    int index = findVar(args[i]);
    if (index < 0) return kFail;
    KvVarCell arg = varCells_[index];
    arg.column = 0;
    arg.row = 0;
    request.varCells.append(arg);
  }
  int function = nativeFunctions().find(functionName, false);
  if (function < 0) return kFail;
  if (function != kCallChild) return Acad::eOk;
  Nx_String childPath = toNativePath(path);
  StandardsRunFrame* frame = StandardsRunFrame::current();
  // A sheet on the call stack would call itself again and again; only the
  // depth bound would end it, after a number of runs that grows as the
  // power of the calls per sheet.
  if (frame ? frame->isOnCallStack(childPath) : childPath.equal(fileName_, false)) {
    Nx_String why = "CallChild of " + path + " calls a sheet that is already running (a cycle).";
    return status(failStep(why.c_str(), KvRunDiagnostic::kCycle));
  }
  int depth = frame ? frame->depth() : 0;
  if (depth >= kMaxChildDepth) {
    Nx_String why =
        "CallChild of " + path + " nests deeper than " + Nx_String(kMaxChildDepth) + " sheets.";
    return status(failStep(why.c_str(), KvRunDiagnostic::kDepth));
  }
  if (frame && !frame->countChildRun()) {
    // Told once: every later call of the run fails the same way.
    if (!frame->firstTime("child-limit")) return kFail;
    Nx_String why = "CallChild of " + path + " would start more than " +
                    Nx_String(StandardsRunFrame::kMaxChildRuns) + " child runs in one run.";
    return status(failStep(why.c_str(), KvRunDiagnostic::kChildLimit));
  }

  request.fileName = path;
  request.genVarNames = genVarNames_;
  request.genVarValues = genVarValues_;
  if (trace) {
    // The child starts from every argument's value, its Outputs' too.
    trace->equation = text;
    for (int i = 0; i < request.varCells.length(); ++i)
      trace->read.push_back({request.varCells[i].name, request.varCells[i].value});
    request.trace = &trace->children;
  }
  bool ran = runChildSheet(request);
  if (frame) frame->append(request.diagnostics);
  if (!ran) return kFail;
  // Every Output argument takes its value, or none does: a failed call
  // leaves the caller's variables as they were.
  std::vector<std::pair<int, const KvVarCell*>> results;
  for (int i = 0; i < request.varCells.length(); ++i) {
    const KvVarCell& arg = request.varCells[i];
    if (!arg.isOutput()) continue;
    int index = findVar(arg.name);
    if (index < 0 || varCells_[index].isInput()) return kFail;
    results.emplace_back(index, &arg);
  }
  std::vector<std::pair<int, Nx_String>> previous;
  for (const auto& [index, arg] : results) {
    previous.emplace_back(index, varCells_[index].value);
    if (varCells_[index].setValueFromOther(*this, *arg) == Acad::eOk) {
      if (trace) trace->written.push_back({varCells_[index].name, varCells_[index].value});
      continue;
    }
    for (auto it = previous.rbegin(); it != previous.rend(); ++it)
      varCells_[it->first].setNewValue(*this, it->second);
    return kFail;
  }
  return Acad::eOk;
}
