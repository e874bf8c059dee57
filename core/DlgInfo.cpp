#include "core/DlgInfo.h"

#include "platform/arx/acutil.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace {
enum { kTemplate = 9100, kText = 1000 };

// The core's own template, registered when the core loads.
const bool gRegistered = ui::Resources::addTemplate("dcm", "core/DlgInfo.cpp", R"({
  "id": 9100, "name": "DLG_INFO", "caption": "Information", "size": [480, 220],
  "style": ["WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "WS_THICKFRAME", "DS_MODALFRAME"],
  "items": [
    {"type": "EDITTEXT", "id": 1000, "rect": [7, 7, 466, 185],
     "style": ["ES_MULTILINE", "ES_READONLY", "ES_AUTOVSCROLL", "WS_VSCROLL", "WS_HSCROLL"]},
    {"type": "DEFPUSHBUTTON", "id": 1, "rect": [423, 199, 50, 14], "text": "Close"}
  ]})");

class InfoDialog : public ui::Dialog {
 public:
  explicit InfoDialog(const DlgInfoData& data) : Dialog(kTemplate), data_(data) {}

  bool onInitDialog() override {
    setText(data_.title);
    if (!data_.buttonText.isEmpty()) setItemText(ui::IDOK, data_.buttonText);
    Nx_String text;
    for (int i = 0; i < data_.lines.length(); ++i) text += (i ? "\n" : "") + data_.lines[i];
    setItemText(kText, text);
    setMinTrackSize(rect().size());
    using R = ui::Resizer;
    resizer().add(kText, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                  R::dialog(R::Edge::Right), R::dialog(R::Edge::Bottom));
    resizer().add(ui::IDOK, R::keepWidth(), R::dialog(R::Edge::Bottom), R::dialog(R::Edge::Right),
                  R::keepHeight());
    return true;
  }

 private:
  const DlgInfoData& data_;
};
}  // namespace

DlgInfoData::DlgInfoData() = default;
DlgInfoData::DlgInfoData(const DlgInfoData& other) = default;
DlgInfoData& DlgInfoData::operator=(const DlgInfoData& other) = default;
DlgInfoData::~DlgInfoData() = default;

void ExportStartDlgInfo(const DlgInfoData& data) {
  (void)gRegistered;
  for (const Nx_String& line : data.lines) acutPrintf("%s\n", line.c_str());
  InfoDialog dialog(data);
  dialog.doModal();
}
