// The wxWidgets backend against real widgets (run under a virtual X server):
// the model's state reaches the widgets and the user's actions on the
// widgets reach the model.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/evtloop.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <chrono>

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Services.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/wx/WxBackend.h"
#include "platform/ui/wx/WxPaintContext.h"

using namespace ui;

namespace {
// Lets pending events and timers run for a while.
void pump(int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  while (std::chrono::steady_clock::now() < end) {
    if (loop) {
      while (loop->Pending()) loop->Dispatch();
      loop->ProcessIdle();
    }
    wxMilliSleep(5);
  }
}

class Recording : public Dialog {
 public:
  Recording() : Dialog(9101) {
    on(11, EN_CHANGE, [this] { ++changes; });
    onClicked(12, [this] { ++clicks; });
    on(15, CBN_SELCHANGE, [this] { ++selections; });
  }
  int changes = 0, clicks = 0, selections = 0;
};

template <typename T>
T* widget(const Dialog& d, int id) {
  return dynamic_cast<T*>(uiwx::widgetOf(*d.item(id)));
}
}  // namespace

class WxBackendTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Resources::addTemplate("wx-tests", "test/9101.json", R"({
      "id": 9101, "caption": "Backend \u00c4", "size": [220, 160],
      "style": ["WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "WS_THICKFRAME", "WS_VISIBLE"],
      "items": [
        {"type": "GROUPBOX", "id": 10, "rect": [4, 4, 212, 70], "text": "Group"},
        {"type": "EDITTEXT", "id": 11, "rect": [10, 14, 100, 14]},
        {"type": "AUTOCHECKBOX", "id": 12, "rect": [10, 32, 100, 10], "text": "Check"},
        {"type": "AUTORADIOBUTTON", "id": 13, "rect": [10, 44, 60, 10], "text": "One", "style": "WS_GROUP"},
        {"type": "AUTORADIOBUTTON", "id": 14, "rect": [80, 44, 60, 10], "text": "Two"},
        {"type": "COMBOBOX", "id": 15, "rect": [120, 14, 90, 60], "style": "CBS_DROPDOWNLIST"},
        {"type": "LISTBOX", "id": 16, "rect": [4, 80, 100, 50]},
        {"type": "TABCONTROL", "id": 17, "rect": [110, 80, 106, 50]},
        {"type": "LTEXT", "id": 18, "rect": [4, 140, 100, 8], "text": "Label"},
        {"type": "DEFPUSHBUTTON", "id": 1, "rect": [166, 140, 50, 14], "text": "OK"}
      ]})");
  }
};

TEST_F(WxBackendTest, EveryControlKindGetsItsWidget) {
  Recording d;
  ASSERT_TRUE(d.create());
  EXPECT_NE(widget<wxStaticBox>(d, 10), nullptr);
  EXPECT_NE(widget<wxTextCtrl>(d, 11), nullptr);
  EXPECT_NE(widget<wxCheckBox>(d, 12), nullptr);
  EXPECT_NE(widget<wxRadioButton>(d, 13), nullptr);
  EXPECT_NE(widget<wxChoice>(d, 15), nullptr);
  EXPECT_NE(widget<wxListBox>(d, 16), nullptr);
  EXPECT_NE(widget<wxNotebook>(d, 17), nullptr);
  EXPECT_NE(widget<wxStaticText>(d, 18), nullptr);
  EXPECT_EQ(uiwx::windowOf(uiwx::widgetOf(d)), &d);
  EXPECT_EQ(static_cast<wxTopLevelWindow*>(uiwx::widgetOf(d))->GetTitle(),
            wxString::FromUTF8("Backend \xC3\x84"));
  // Dialog units come from the desktop font.
  EXPECT_GT(d.baseUnits().width, 3);
  EXPECT_GT(d.baseUnits().height, 8);
  d.destroyWindow();
  pump(20);
}

TEST_F(WxBackendTest, ModelChangesReachTheWidgets) {
  Recording d;
  ASSERT_TRUE(d.create());
  d.setItemText(11, "Ma\xDF");  // Windows-1252 sharp s
  EXPECT_EQ(widget<wxTextCtrl>(d, 11)->GetValue(), wxString::FromUTF8("Ma\xC3\x9F"));
  d.setCheck(12, true);
  EXPECT_TRUE(widget<wxCheckBox>(d, 12)->GetValue());
  d.checkRadioButton(13, 14, 14);
  EXPECT_TRUE(widget<wxRadioButton>(d, 14)->GetValue());
  EXPECT_FALSE(widget<wxRadioButton>(d, 13)->GetValue());
  d.listSet(15, {"a", "b", "c"});
  d.listSelect(15, 2);
  EXPECT_EQ(widget<wxChoice>(d, 15)->GetCount(), 3u);
  EXPECT_EQ(widget<wxChoice>(d, 15)->GetSelection(), 2);
  d.enableItem(16, false);
  EXPECT_FALSE(widget<wxListBox>(d, 16)->IsEnabled());
  d.showItem(18, false);
  EXPECT_FALSE(widget<wxStaticText>(d, 18)->IsShown());
  auto* tabs = d.itemAs<TabControl>(17);
  tabs->insertItem(0, "General");
  tabs->insertItem(1, "Bolts");
  tabs->setCurSel(1);
  EXPECT_EQ(widget<wxNotebook>(d, 17)->GetPageCount(), 2u);
  EXPECT_EQ(widget<wxNotebook>(d, 17)->GetSelection(), 1);
  EXPECT_TRUE(tabs->clientRect().contains(tabs->displayRect()));
  d.resize({500, 400});
  wxSize client = uiwx::widgetOf(d)->GetClientSize();
  EXPECT_EQ(client.x, 500);
  EXPECT_EQ(client.y, 400);
  d.destroyWindow();
  pump(20);
}

TEST_F(WxBackendTest, UserActionsReachTheModel) {
  Recording d;
  ASSERT_TRUE(d.create());
  widget<wxTextCtrl>(d, 11)->SetValue(wxString::FromUTF8("typed \xC3\xA9"));
  EXPECT_EQ(d.itemText(11), "typed \xE9");
  EXPECT_EQ(d.changes, 1);

  auto* check = widget<wxCheckBox>(d, 12);
  check->SetValue(true);
  wxCommandEvent toggled(wxEVT_CHECKBOX, check->GetId());
  toggled.SetEventObject(check);
  toggled.SetInt(1);
  check->GetEventHandler()->ProcessEvent(toggled);
  EXPECT_TRUE(d.isChecked(12));
  EXPECT_EQ(d.clicks, 1);

  d.checkRadioButton(13, 14, 13);
  auto* two = widget<wxRadioButton>(d, 14);
  two->SetValue(true);
  wxCommandEvent picked(wxEVT_RADIOBUTTON, two->GetId());
  picked.SetEventObject(two);
  two->GetEventHandler()->ProcessEvent(picked);
  EXPECT_TRUE(d.isChecked(14));
  EXPECT_FALSE(d.isChecked(13));

  d.listSet(15, {"a", "b"});
  auto* choice = widget<wxChoice>(d, 15);
  choice->SetSelection(1);
  wxCommandEvent chosen(wxEVT_CHOICE, choice->GetId());
  chosen.SetEventObject(choice);
  chosen.SetInt(1);
  choice->GetEventHandler()->ProcessEvent(chosen);
  EXPECT_EQ(d.listSelection(15), 1);
  EXPECT_EQ(d.selections, 1);
  d.destroyWindow();
  pump(20);
}

TEST_F(WxBackendTest, PixelsWithoutAlphaLetTheBackgroundThrough) {
  wxBitmap target(4, 1, 24);
  wxMemoryDC dc(target);
  dc.SetBackground(*wxGREEN_BRUSH);
  dc.Clear();
  {
    uiwx::WxPaintContext context(dc);
    const std::vector<std::uint32_t> pixels = {0xFFFF0000u, 0x00000000u};
    EXPECT_TRUE(context.drawPixels(pixels, {2, 1}, {1, 0}));
    EXPECT_FALSE(context.drawPixels(pixels, {3, 1}, {0, 0}));
  }
  dc.SelectObject(wxNullBitmap);
  wxImage image = target.ConvertToImage();
  EXPECT_EQ(image.GetRed(1, 0), 255);    // opaque red drawn
  EXPECT_EQ(image.GetGreen(2, 0), 255);  // transparent: the green stays
  EXPECT_EQ(image.GetRed(2, 0), 0);
}

TEST_F(WxBackendTest, TimersTickInTheEventLoop) {
  int ticks = 0;
  int id = setTimer(nullptr, 20, [&](int timer) {
    if (++ticks == 2) killTimer(timer);
  });
  ASSERT_NE(id, 0);
  pump(300);
  EXPECT_EQ(ticks, 2);
  EXPECT_FALSE(isTimerRunning(id));
}

TEST_F(WxBackendTest, ClosingAModelessDialogFromItsOwnButtonIsSafe) {
  Recording d;
  ASSERT_TRUE(d.create());
  auto* ok = uiwx::widgetOf(*d.item(IDOK));
  wxCommandEvent pressed(wxEVT_BUTTON, ok->GetId());
  pressed.SetEventObject(ok);
  ok->GetEventHandler()->ProcessEvent(pressed);
  EXPECT_FALSE(d.isCreated());
  pump(50);  // the widgets go at idle time
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) return 1;
  wxTheApp->CallOnInit();
  uiwx::install();
  wxEventLoop loop;
  wxEventLoopBase::SetActive(&loop);
  int code = RUN_ALL_TESTS();
  wxEntryCleanup();
  return code;
}
