#include "spreadsheet/KvSSBillOutput.h"

#include <algorithm>

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/TimeHelpers.h"
#include "core/bill/BillImage.h"
#include "core/bill/Nx_Bill.h"
#include "spreadsheet/KvSSDocSettings.h"
#include "spreadsheet/KvSSWindow.h"
#include "spreadsheet/KvSSWindowLauncher.h"
#include "spreadsheet/Nx_Spread.h"
#include "spreadsheet/Nx_SpreadRedrawLock.h"

namespace {

constexpr unsigned kGridType = 7;
constexpr std::uint32_t kGridColor = 0x323232;
constexpr int kMarkerBitmap = 251;
constexpr int kPictureColumn = 2;
constexpr std::uint32_t kSysGrayText = 0x8000000B;
constexpr unsigned kAllSides = 0x1F;
// A colour reference: red 164, green 209, blue 255.
constexpr std::uint32_t kSubtotalBackground = 0xFFD1A4;
constexpr const char* kDateFormat = "%d %B, %Y (%H:%M)";
constexpr char kTitleMark = '\xBF';

}  // namespace

KvSSBillOutput::KvSSBillOutput() : window_(std::make_unique<KvSSWindowLauncher>()) {}

KvSSBillOutput::~KvSSBillOutput() = default;

void KvSSBillOutput::setVars(int width, int height, int param, bool flag1, bool flag2,
                             Nx_Bill* bill, AcTransaction* transaction) {
  imageWidth_ = width;
  imageHeight_ = height;
  imageParam_ = param;
  imageFlag1_ = flag1;
  imageFlag2_ = flag2;
  bill_ = bill;
  transaction_ = transaction;
}

Nx_Spread* KvSSBillOutput::getSSPointer() const {
  return window_ ? window_->getSheet() : nullptr;
}

Acad::ErrorStatus KvSSBillOutput::init(Nx_String file, const Nx_StringArray& captions,
                                       const AcArray<int>&, const AcArray<int>& kinds,
                                       const Nx_String& settingsName, const Nx_StringArray& names,
                                       const Nx_StringArray& values) {
  if (!window_ || !window_->open()) return Acad::eNoSheetWindow;
  Nx_Spread* sheet = getSSPointer();
  if (!sheet) return Acad::eNoSheetWindow;
  fileName_ = file;
  if (KvSSWindow* w = window_->window()) w->setFileName(file);
  if (bill_ && bill_->pictureFolder.isEmpty()) bill_->pictureFolder = pictureFolderOf(file);
  KvSSDocSettings settings;
  settings.applyDocument(*sheet, settingsName, true);
  grid::Sheet& s = *sheet->sheet();
  // Every added row would otherwise recalculate the whole sheet.
  autoCalc_ = s.getBool(grid::kOptionAutoCalc);
  s.setBool(grid::kOptionAutoCalc, false);
  s.settings().gridType = kGridType;
  s.settings().gridColor = kGridColor;
  varNames_ = names;
  varValues_ = values;
  sheet->setMaxCols(captions.length(), true);
  sheet->setColumnHeaders(captions);
  // The bill's rows come with its lines, 100 at a time.
  sheet->setMaxRows(0);
  columnKinds_ = kinds;
  currentRow_ = 0;
  return Acad::eOk;
}

Acad::ErrorStatus KvSSBillOutput::onStartFeed() {
  if (hasPictures()) initBMPDialog(imageHeight_ + 20);
  return Acad::eOk;
}

void KvSSBillOutput::onAddRow(const Nx_StringArray& line) {
  Nx_String picture;
  if (hasPictures())
    createImage(line, picture, imageWidth_, imageHeight_, imageParam_, imageFlag1_, imageFlag2_,
                bill_, transaction_);
  // The picture file stays: the sheet shows it from there and saves its name.
  addRow(line, picture);
}

void KvSSBillOutput::onAddSubTotals(const Nx_StringArray& values, const Nx_StringArray&, bool,
                                    int) {
  addRow(values, "");
  Nx_Spread* sheet = getSSPointer();
  if (!sheet) return;
  grid::Sheet& s = *sheet->sheet();
  for (int c = 1; c <= s.maxCols() && c <= values.length(); ++c) {
    if (values[c - 1].isEmpty()) continue;
    s.setBorder({c, currentRow_, c, currentRow_}, kAllSides, 1, kSysGrayText);
    // The text keeps the sheet's colour: grey text on the light blue was unreadable.
    s.setColor({c, currentRow_, c, currentRow_}, kSubtotalBackground, grid::kDefaultColor);
  }
}

void KvSSBillOutput::nextRow(Nx_Spread& sheet) {
  ++currentRow_;
  int rows = sheet.getMaxRows();
  if (currentRow_ <= rows) return;
  // 100 rows at a time: 101 rows for the first line (an empty sheet counts
  // as one row), 201 for line 102. The rows come empty: as copies of the
  // last row they passed a subtotal's highlight on to the next hundred.
  sheet.setMaxRowsEmpty(std::max(rows, 1) + kGrowStep);
}

void KvSSBillOutput::addRow(const Nx_StringArray& line, const Nx_String& picture) {
  Nx_Spread* sheet = getSSPointer();
  if (!sheet) return;
  if (line.length() > sheet->getMaxCols()) sheet->setMaxCols(line.length(), true);
  nextRow(*sheet);
  setRowProperties(currentRow_);
  sheet->setRowValues(currentRow_, line, true);
  if (picture.isEmpty() || !fileExists(picture)) return;
  nextRow(*sheet);
  int used = 0;
  if (sheet->setPictureCell(picture, kPictureColumn, currentRow_, used)) {
    sheet->setResourcePictureCell(1, currentRow_, kMarkerBitmap, false);
    currentRow_ += used;
  }
}

void KvSSBillOutput::setRowProperties(int row) {
  Nx_Spread& sheet = *getSSPointer();
  grid::Sheet& s = *sheet.sheet();
  int cols = std::min(s.maxCols(), columnKinds_.length());
  // The row is fresh, so the border can go first and whole runs of one kind
  // take their type at once: the sheet then looks each new format up once
  // a run rather than once a cell.
  if (cols >= 1) s.setBorder({1, row, cols, row}, 0, 0, kSysGrayText);
  for (int first = 1; first <= cols;) {
    int kind = columnKinds_[first - 1], last = first;
    while (last < cols && columnKinds_[last] == kind) ++last;
    switch (kind) {
      case 1:
        sheet.setNumberCells(first, row, last, row, 0, true);
        break;
      case 2:
        sheet.setNumberCells(first, row, last, row, 1, true);
        break;
      case 3:
        sheet.setEditCells(first, row, last, row, Nx_Spread::kEditStyle, Nx_Spread::kEditMaxLength);
        break;
      default:
        break;
    }
    first = last + 1;
  }
  for (int c = 1; c <= cols; ++c) s.removeCellSpan(c, row);
  double height = 0;
  if (s.getMaxTextRowHeight(row, height)) s.setRowHeight(row, height);
}

Nx_String KvSSBillOutput::pictureFolderOf(const Nx_String& billFile) {
  return removeExtension(billFile) + " pictures/";
}

Nx_String KvSSBillOutput::titleOf(const Nx_String& billFile) {
  Nx_String title = removeExtension(getFileName(billFile));
  int mark = title.reverseFind(kTitleMark);
  return mark >= 0 ? title.mid(mark + 1) : title;
}

Acad::ErrorStatus KvSSBillOutput::onEndFeed() {
  if (hasPictures()) closeBMPDialog();
  Nx_Spread* sheet = getSSPointer();
  if (!sheet) return Acad::eInvalidInput;
  if (currentRow_ < sheet->getMaxRows()) sheet->setMaxRows(currentRow_);
  if (autoCalc_) {
    sheet->sheet()->setBool(grid::kOptionAutoCalc, true);
    sheet->sheet()->reCalc();
  }
  sheet->setStaticColumnHeaders();
  varNames_.insertAt(0, "BillFilename");
  varValues_.insertAt(0, fileName_);
  varNames_.insertAt(0, "Title");
  varValues_.insertAt(0, titleOf(fileName_));
  varNames_.insertAt(0, "Date");
  varValues_.insertAt(0, formatTime(now(), kDateFormat));
  KvSSDocSettings settings;
  // Rows grown since init took the wrapper's own font: the document's again.
  settings.readFromSheet(*sheet);
  settings.applyFont(*sheet);
  settings.setVariables(*sheet, varNames_, varValues_);
  saved_ = settings.saveSheet(*sheet, fileName_);
  saveError_ = saved_ ? Nx_String() : settings.lastError();
  return Acad::eOk;
}
