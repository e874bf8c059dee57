#pragma once
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/macro/MacroData.h"
#include "macrodlg/KvMacroPage.h"
#include "platform/ui/Dialog.h"
#include "resources/dialogs/DLG_MACRO.h"

namespace ui {
class TabControl;
}

// The window in which the user edits a macro (template DLG_MACRO): one tab
// per tab of its MacroData with the page of the tab's kind, the filter
// lists, the tool buttons and Close.
//
// Modeless dialogs live in the table of the modeless dialog manager under
// their index; a modal one has index -1. A dialog asks the manager to defer
// its closing while it is busy in its own code (a close requested from
// inside a handler must not delete the dialog under that handler).
class KvMacroDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = dlg_macro::kTemplateId;
  // The private message that asks a window whether it is a macro dialog.
  static constexpr int kMsgIsMacroDlg = 0x7101;
  // The smallest client size before the user first resizes the dialog, and
  // what the dialog adds to its pages' needs afterwards (tabs, lists, buttons).
  static constexpr ui::Size kFirstMinSize{280, 300};
  static constexpr ui::Size kPageMargins{47, 160};
  // Ends the modeless dialog of that index: the table's own close, handed in
  // by the table, which sits above the dialog.
  using Closer = bool (*)(int index);

  explicit KvMacroDlg(const MacroData& data, int index = -1, Closer closer = nullptr);
  ~KvMacroDlg() override;

  int index() const { return index_; }
  void setIndex(int index) { index_ = index; }
  const MacroData& macroData() const { return data_; }
  MacroData& macroData() { return data_; }
  void setMacroData(const MacroData& data) { data_ = data; }

  // True while the dialog's close must wait (busy, or asked for).
  bool deferClose() const { return deferClose_ || busy_ > 0; }
  void setDeferClose(bool defer) { deferClose_ = defer; }
  bool isClosing() const { return closing_; }

  // Close button, Escape and the window's close box: end the dialog; a
  // modeless one through the manager, a modal one with OK.
  void close();

  // The answer to a private message (1 for kMsgIsMacroDlg, else 0).
  int answerMessage(int message) const { return message == kMsgIsMacroDlg ? 1 : 0; }

  // Pages, one per tab item, and the data tab each shows.
  int pageCount() const { return static_cast<int>(pages_.size()); }
  KvMacroPage* page(int item) const;
  int currentPage() const { return currentPage_; }
  bool isSized() const { return sized_; }
  // Where the dialog's size is remembered.
  Nx_String settingsKey() const;
  // The smallest client size the user can give the dialog now.
  ui::Size minimumSize() const;
  // What the pages ask for with the room around them, at least the
  // dialog's own size.
  ui::Size pagesNeed() const;
  // What the dialog could not show, each said once, in order.
  const std::vector<std::string>& reported() const { return reported_; }

  // Builds the pages anew from the data (no page stores its edits first).
  void rebuildPages();
  // Every page takes its edits into the data, or shows the data anew.
  void storePages();
  void refreshPages();

  bool onInitDialog() override;
  void onOK() override { close(); }
  void onCancel() override { close(); }
  void onClose() override { close(); }
  void onSize(ui::Size client) override;
  void onDestroy() override;
  bool handleCommand(int id, int code) override;

 private:
  // Marks the dialog busy for the life of the scope.
  class Busy {
   public:
    explicit Busy(KvMacroDlg& dlg) : dlg_(dlg) { ++dlg_.busy_; }
    ~Busy() { --dlg_.busy_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    KvMacroDlg& dlg_;
  };

  ui::TabControl* tabs() const;
  void setupTexts();
  void setupLayout();
  void setupCommands();
  void destroyPages();
  void placePages();
  void showPage(int item);
  void fitWindow();
  void fillFilterLists();
  void filterChanged(bool first);
  void report(const Nx_StringArray& problems);
  // The data tab of the page shown, or null.
  const MacroTabData* currentTab() const;
  void changeView(int direction);
  void startClashCheck();

  void selectOtherMacros();
  void loadFromStandards();
  void applyAgain();
  void openMacroSettings();
  void readPropertyFile();
  void writePropertyFile();

  MacroData data_;
  int index_;
  Closer closer_;
  int busy_ = 0;
  bool deferClose_ = false;
  bool closing_ = false;
  std::vector<std::unique_ptr<KvMacroPage>> pages_;
  std::vector<int> pageKinds_;
  ui::Size minSize_{50, 50};
  bool layoutReady_ = false;
  bool sized_ = false;
  bool activated_ = false;
  int currentPage_ = -1;
  std::vector<std::string> reported_;
  std::set<std::string> reportedSet_;
};

// "DLG_MACRO_" + "EDITVARS_" + what the data is about: the first macro name
// of a named selection (kind 1), else "GROUP_" and the current module group,
// else the kind and "_MACROS".
Nx_String macroDlgSettingsKey(const MacroData& data);
