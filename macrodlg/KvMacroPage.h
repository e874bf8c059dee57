#pragma once
#include <memory>

#include "core/Nx_StringArray.h"
#include "core/macro/MacroData.h"
#include "platform/ui/Dialog.h"

// A page of the macro dialog: a child dialog under one tab, showing the
// values of that tab of the dialog's MacroData (and of the macro behind it).
// The shell creates it, places it in the tab's page area, tells it when it
// is entered and left, and asks it to refresh from the data or store its
// edits into it.
class KvMacroPage : public ui::Dialog {
 public:
  KvMacroPage(int templateId, MacroData& data, int tabIndex)
      : ui::Dialog(templateId), data_(data), tabIndex_(tabIndex) {}

  int tabIndex() const { return tabIndex_; }
  MacroTabData* tab() { return data_.getTab(tabIndex_); }
  const MacroTabData* tab() const { return data_.getTab(tabIndex_); }

  // The client size, in pixels, the page wants to show all it holds.
  virtual ui::Size neededSize() const { return templateSize_; }
  // first: the first page the dialog ever activates.
  virtual void onEnter(bool first) {}
  virtual void onLeave() { store(); }
  // Shows the data anew; takes the page's edits into the data.
  virtual void refresh() = 0;
  virtual void store() = 0;
  // The profile page's special mode, which the macro data may ask for.
  virtual void startSpecialMode() {}

  bool onInitDialog() override {
    templateSize_ = rect().size();
    return false;
  }

 protected:
  MacroData& data_;

 private:
  int tabIndex_;
  ui::Size templateSize_;
};

// The page of a tab of the data by its kind: a grid page (kinds 0, 1, 3; the
// designed dialog that the tab names when its template exists), a profile
// page (kind 2), else none. What the page cannot show goes to problems, one
// line each.
std::unique_ptr<KvMacroPage> makeMacroPage(MacroData& data, int tabIndex, Nx_StringArray& problems);
