#pragma once
#include <memory>

#include "common/ss_export.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/TimeHelpers.h"
#include "core/bill/Nx_ListOutputCallback.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/acadstrc.h"

class AcTransaction;
class KvSSWindowLauncher;
class Nx_Bill;
class Nx_Spread;

// The bill output of the core's list generator: builds the bill as a sheet
// in the spreadsheet window (a caption row, one row per line, highlighted
// subtotal rows, part pictures under their lines) and saves it with its
// settings document and the document variables Date, Title, BillFilename.
class SS_EXPORT KvSSBillOutput : public Nx_ListOutputCallback {
 public:
  // Rows are added in steps of this many; the spare ones go at the end.
  static constexpr int kGrowStep = 100;

  KvSSBillOutput();
  ~KvSSBillOutput() override;
  KvSSBillOutput(const KvSSBillOutput&) = delete;
  KvSSBillOutput& operator=(const KvSSBillOutput&) = delete;

  void setVars(int width, int height, int param, bool flag1, bool flag2, Nx_Bill* bill,
               AcTransaction* transaction);
  // Opens the window and prepares its sheet; eNoSheetWindow without one.
  Acad::ErrorStatus init(Nx_String file, const Nx_StringArray& captions, const AcArray<int>& unused,
                         const AcArray<int>& kinds, const Nx_String& settingsName,
                         const Nx_StringArray& names, const Nx_StringArray& values);

  Acad::ErrorStatus onStartFeed() override;
  Acad::ErrorStatus onEndFeed() override;
  void onAddRow(const Nx_StringArray& line) override;
  void onAddSubTotals(const Nx_StringArray& values, const Nx_StringArray& unused, bool,
                      int) override;

  KvSSWindowLauncher& launcher() { return *window_; }
  // Whether the last save of onEndFeed succeeded, and why not.
  bool saved() const { return saved_; }
  const Nx_String& saveError() const { return saveError_; }
  // The folder the bill's pictures are kept in: beside the bill file.
  static Nx_String pictureFolderOf(const Nx_String& billFile);
  // The title variable of a bill file: its name without folder and
  // extension, after the last 0xBF when it holds one.
  static Nx_String titleOf(const Nx_String& billFile);

 protected:
  // The time the bill is dated with.
  virtual Nx_Time now() const { return getCurrentTime(); }

 private:
  Nx_Spread* getSSPointer() const;
  void addRow(const Nx_StringArray& line, const Nx_String& picture);
  void setRowProperties(int row);
  void nextRow(Nx_Spread& sheet);
  bool hasPictures() const { return bill_ && transaction_; }

  int imageWidth_ = -1;
  int imageHeight_ = 0;
  int imageParam_ = 0;
  bool imageFlag1_ = true;
  bool imageFlag2_ = true;
  Nx_Bill* bill_ = nullptr;
  AcTransaction* transaction_ = nullptr;
  std::unique_ptr<KvSSWindowLauncher> window_;
  int currentRow_ = 0;
  AcArray<int> columnKinds_;
  Nx_String fileName_;
  Nx_StringArray varNames_;
  Nx_StringArray varValues_;
  bool autoCalc_ = false;  // the sheet's automatic recalculation, off during the feed
  bool saved_ = false;
  Nx_String saveError_;
};
