#pragma once
#include <map>

#include "designer/Nx_DlgDesignerData.h"
#include "macrodlg/KvMacroPage.h"
#include "resources/dialogs/DLG_MACRO_DESIGNED.h"

// The page of a tab that names a designed dialog (template
// DLG_MACRO_DESIGNED): the designed controls over their picture, their
// values bound through the designer model's value access. Input fields show
// the macro's variables, the bolt fields the tabs' patterns and bolts; a
// field bound to nothing the macro has is read-only.
class MacroDesignedPage : public KvMacroPage {
 public:
  static constexpr int kTemplateId = dlg_macro_designed::kTemplateId;
  static constexpr int kFirstControlId = 33000;
  static constexpr int kLastControlId = 33999;

  // path: the design's template file, which must exist; a missing picture
  // leaves the design without one.
  MacroDesignedPage(MacroData& data, int tabIndex, Nx_String path, bool withPicture)
      : KvMacroPage(kTemplateId, data, tabIndex),
        path_(std::move(path)),
        withPicture_(withPicture) {}

  bool onInitDialog() override;
  ui::Size neededSize() const override;
  void refresh() override;
  void store() override;
  void onPaint(ui::PaintContext& dc) override { design_.OnEraseBkgnd(dc); }

  Nx_DlgDesignerData& design() { return design_; }
  // The resource id of the first drawn control bound to that contents
  // (variable or bolt pattern) and kind, or 0.
  int controlOf(const Nx_String& contents, int type) const;

 private:
  bool readValue(const Nx_DesignerControl& control, Nx_String& value) const;
  bool writeValue(const Nx_DesignerControl& control, const Nx_String& value);

  Nx_String path_;
  bool withPicture_;
  Nx_DlgDesignerData design_;
  // What each bound control showed at the last refresh, by resource id.
  std::map<int, Nx_String> shown_;
};
