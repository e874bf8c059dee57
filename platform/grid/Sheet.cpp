#include "platform/grid/Sheet.h"

#include "platform/grid/CellInput.h"
#include "platform/grid/file/SheetFile.h"

namespace grid {

Sheet::Sheet() : recalc_(content_, custom_), metrics_(&PlainFontMetrics::instance()) {}
Sheet::~Sheet() = default;

void Sheet::notifyCell(int col, int row) {
  if (listener_ && content_.options.test(kOptionRedraw)) listener_->cellChanged(col, row);
}

void Sheet::notifyLayout() {
  if (listener_ && content_.options.test(kOptionRedraw)) listener_->layoutChanged();
}

// --- size --------------------------------------------------------------------

bool Sheet::setMaxCols(int count) {
  if (busy() || count < 0 || count > kMaxColumns) return false;
  if (count < content_.maxCols) {
    content_.cells.truncate(count, content_.maxRows);
    content_.spans.remap(
        [&](const Area& a) { return a.col1 > count ? std::nullopt : std::optional<Area>(a); });
    if (content_.colWidths.size() > static_cast<std::size_t>(count) + 1)
      content_.colWidths.resize(static_cast<std::size_t>(count) + 1);
    recalc_.formulasChanged();
  }
  content_.maxCols = count;
  if (content_.activeCell && content_.activeCell->col > count) content_.activeCell.reset();
  notifyLayout();
  return true;
}

bool Sheet::setMaxRows(int count) {
  if (busy() || count < 0 || count > kMaxRows) return false;
  if (count < content_.maxRows) {
    content_.cells.truncate(content_.maxCols, count);
    content_.spans.remap(
        [&](const Area& a) { return a.row1 > count ? std::nullopt : std::optional<Area>(a); });
    if (content_.rowHeights.size() > static_cast<std::size_t>(count) + 1)
      content_.rowHeights.resize(static_cast<std::size_t>(count) + 1);
    recalc_.formulasChanged();
  }
  content_.maxRows = count;
  if (content_.activeCell && content_.activeCell->row > count) content_.activeCell.reset();
  notifyLayout();
  return true;
}

// --- contents -----------------------------------------------------------------

bool Sheet::writeText(int col, int row, std::string_view text) {
  if (!isValidCell(col, row)) return false;
  if (busy() && recalc_.runningCell() == CellPos{col, row}) return false;  // its formula is running
  Value v;
  if (!interpretInput(content_.formatAt(col, row).type, text, v)) return false;
  Cell* c = content_.cells.find(col, row);
  if (!c) {
    if (v.isEmpty()) return true;
    c = &content_.cells.obtain(col, row);
  }
  bool hadFormula = c->hasFormula();
  c->formula = CompiledFormula();
  c->value = std::move(v);
  content_.cells.compact(col, row);
  afterWrite(col, row, hadFormula);
  return true;
}

bool Sheet::setData(int col, int row, std::string_view text) {
  return writeText(col, row, text);
}
bool Sheet::setValue(int col, int row, std::string_view text) {
  return writeText(col, row, text);
}

std::string Sheet::getData(int col, int row) const {
  const Cell* c = content_.cells.find(col, row);
  if (!c) return {};
  if (c->hasFormula()) return valueText(c->value);
  return c->value.isNumber() || c->value.isText() ? c->value.text : valueText(c->value);
}

std::string Sheet::getValue(int col, int row) const {
  return valueText(value(col, row));
}

const Value& Sheet::value(int col, int row) const {
  return content_.cells.value(col, row);
}

bool Sheet::setFormula(int col, int row, std::string_view text, bool buildDependencies) {
  lastError_ = {};
  if (!isValidCell(col, row)) {
    lastError_.message =
        "cell " + std::to_string(col) + "," + std::to_string(row) + " is outside the sheet";
    return false;
  }
  if (busy() && recalc_.runningCell() == CellPos{col, row}) {
    lastError_.message = "the cell's formula is running";
    return false;
  }
  std::size_t first = text.find_first_not_of(" \t");
  bool empty = first == std::string_view::npos ||
               text.find_first_not_of(" \t\r\n", text[first] == '=' ? first + 1 : first) ==
                   std::string_view::npos;
  if (empty) {
    Cell* c = content_.cells.find(col, row);
    if (c && c->hasFormula()) {
      c->formula = CompiledFormula();
      c->value = Value{};
      content_.cells.compact(col, row);
      afterWrite(col, row, true);
    }
    return true;
  }
  if (col < 1 || row < 1) {
    lastError_.message = "the header cells hold no formulas";
    return false;
  }
  CompiledFormula compiled;
  if (!parser_.compile(text, col, row, compiled, &lastError_)) return false;
  Cell& c = content_.cells.obtain(col, row);
  c.formula = std::move(compiled);
  c.value = Value{};
  recalc_.formulasChanged();
  if (buildDependencies && !content_.options.test(kOptionAutoCalc)) recalc_.single(col, row);
  afterWrite(col, row, true);
  return true;
}

std::string Sheet::getFormula(int col, int row) const {
  const Cell* c = content_.cells.find(col, row);
  return c && c->hasFormula() ? std::string(c->formula.text()) : std::string();
}

bool Sheet::hasFormula(int col, int row) const {
  const Cell* c = content_.cells.find(col, row);
  return c && c->hasFormula();
}

bool Sheet::setCellTag(int col, int row, std::string_view tag) {
  if (!isValidCell(col, row) || tag.size() > kMaxTextLength) return false;
  Cell* c = content_.cells.find(col, row);
  if (tag.empty()) {
    if (c) c->tag.reset(), content_.cells.compact(col, row);
    return true;
  }
  if (!c) c = &content_.cells.obtain(col, row);
  c->tag = std::make_unique<std::string>(tag);
  return true;
}

std::string Sheet::getCellTag(int col, int row) const {
  const Cell* c = content_.cells.find(col, row);
  return c && c->tag ? *c->tag : std::string();
}

bool Sheet::clearRange(const Area& block) {
  if (!validBlock(block)) return false;
  Area a = resolveBlock(block);
  if (busy() && a.contains(recalc_.runningCell().col, recalc_.runningCell().row)) return false;
  bool formulas = false;
  std::vector<CellPos> emptied;
  content_.cells.forEachIn(a, [&](const Cell& c, int row) { emptied.push_back({c.col, row}); });
  for (const CellPos& p : emptied) {
    Cell* c = content_.cells.find(p.col, p.row);
    formulas = formulas || c->hasFormula();
    c->formula = CompiledFormula();
    c->value = Value{};
    content_.cells.compact(p.col, p.row);
  }
  if (formulas) recalc_.formulasChanged();
  if (content_.options.test(kOptionAutoCalc)) recalc_.all();
  notifyLayout();
  return true;
}

void Sheet::afterWrite(int col, int row, bool formulaChanged) {
  if (formulaChanged) recalc_.formulasChanged();
  if (content_.options.test(kOptionAutoCalc) && !busy()) {
    recalc_.single(col, row);
    recalc_.dependentsOf(col, row);
    notifyLayout();
  } else {
    notifyCell(col, row);
  }
}

// --- recalculation ----------------------------------------------------------------

bool Sheet::reCalc() {
  if (busy()) return false;
  recalc_.all();
  notifyLayout();
  return true;
}

bool Sheet::reCalcCell(int col, int row) {
  if (busy() || !isValidCell(col, row)) return false;
  recalc_.cellWithPrecedents(col, row);
  notifyCell(col, row);
  return true;
}

std::size_t Sheet::formulaCount() const {
  std::size_t n = 0;
  content_.cells.forEach([&](const Cell& c, int) { n += c.hasFormula(); });
  return n;
}

bool Sheet::runningCell(int& col, int& row) const {
  if (!busy()) return false;
  col = recalc_.runningCell().col;
  row = recalc_.runningCell().row;
  return true;
}

// --- options ----------------------------------------------------------------------

bool Sheet::setBool(int option, bool value) {
  if (option < 0 || option >= kMaxOptions) return false;
  bool was = content_.options.test(static_cast<std::size_t>(option));
  content_.options.set(static_cast<std::size_t>(option), value);
  if (option == kOptionRedraw && value && !was) notifyLayout();
  return true;
}

bool Sheet::getBool(int option) const {
  return option >= 0 && option < kMaxOptions &&
         content_.options.test(static_cast<std::size_t>(option));
}

// --- custom functions ---------------------------------------------------------------

bool Sheet::addCustomFunctionExt(std::string_view name, int minArgs, int maxArgs,
                                 CustomFunctionCallback callback, unsigned flags) {
  return custom_.add(name, minArgs, maxArgs, std::move(callback), flags);
}

// --- files ----------------------------------------------------------------------------

void Sheet::installLoaded(SheetContent&& loaded) {
  // Automatic recalculation and repainting are the owner's switches, not the file's.
  loaded.options.set(kOptionAutoCalc, content_.options.test(kOptionAutoCalc));
  loaded.options.set(kOptionRedraw, content_.options.test(kOptionRedraw));
  content_ = std::move(loaded);
  custom_.clear();
  recalc_.formulasChanged();
  notifyLayout();
}

bool Sheet::loadFromFile(const std::string& path, std::string& error) {
  if (busy()) {
    error = path + ": the sheet is computing";
    return false;
  }
  SheetContent loaded;
  std::vector<std::string> warnings;
  if (!loadSheetFile(path, loaded, error, &warnings)) return false;
  loadWarnings_ = std::move(warnings);
  installLoaded(std::move(loaded));
  return true;
}

bool Sheet::loadFromText(std::string_view text, const std::string& name, std::string& error) {
  if (busy()) {
    error = name + ": the sheet is computing";
    return false;
  }
  LoadedSheet loaded;
  if (!parseText(text, name, loaded, error)) return false;
  loadWarnings_ = std::move(loaded.warnings);
  installLoaded(std::move(loaded.content));
  return true;
}

bool Sheet::parseText(std::string_view text, const std::string& name, LoadedSheet& out,
                      std::string& error) {
  return readSheetText(text, name, out.content, error, &out.warnings);
}

bool Sheet::loadCopy(const LoadedSheet& loaded, const std::string& name, std::string& error) {
  if (busy()) {
    error = name + ": the sheet is computing";
    return false;
  }
  loadWarnings_ = loaded.warnings;
  installLoaded(SheetContent(loaded.content));
  return true;
}

bool Sheet::saveToFile(const std::string& path, std::string& error, bool dataOnly) const {
  return saveSheetFile(path, content_, dataOnly, error);
}

}  // namespace grid
