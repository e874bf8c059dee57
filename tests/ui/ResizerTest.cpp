#include "platform/ui/Resizer.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/base/NamedValueStore.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogSizeMemory.h"
#include "platform/ui/testing/GTestScript.h"
#include "tests/core/TempDir.h"
#include "tests/ui/TestTemplates.h"

using namespace ui;
using E = Resizer::Edge;

namespace {
Window& child(Window& parent, int id, Rect r) {
  auto w = std::make_unique<Window>();
  w->setId(id);
  w->setRect(r);
  return *parent.addChild(std::move(w));
}
}  // namespace

TEST(Resizer, EdgesKeepTheirDistances) {
  Window host;
  host.setRect({0, 0, 200, 100});
  Window& grid = child(host, 1, {10, 10, 190, 70});
  Window& ok = child(host, 2, {130, 75, 190, 90});
  Window& left = child(host, 3, {10, 75, 90, 90});
  Window& right = child(host, 4, {110, 75, 190, 90});
  Resizer r(host);
  ASSERT_TRUE(
      r.add(1, r.dialog(E::Left), r.dialog(E::Top), r.dialog(E::Right), r.dialog(E::Bottom)));
  ASSERT_TRUE(r.add(2, r.keepWidth(), r.dialog(E::Bottom), r.dialog(E::Right), r.keepHeight()));
  ASSERT_TRUE(r.add(3, r.dialog(E::Left), r.control(1, E::Bottom), r.middle(), r.keepHeight()));
  ASSERT_TRUE(
      r.add(4, r.control(3, E::Right), r.dialog(E::Bottom), r.dialog(E::Right), r.keepHeight()));
  host.resize({300, 150});
  r.apply();
  EXPECT_EQ(grid.rect(), (Rect{10, 10, 290, 120}));
  EXPECT_EQ(ok.rect(), (Rect{230, 125, 290, 140}));
  EXPECT_EQ(left.rect(), (Rect{10, 125, 140, 140}));  // 10 left of the middle
  EXPECT_EQ(right.rect(), (Rect{160, 125, 290, 140}));
}

TEST(Resizer, RefusesRulesThatCannotHold) {
  Window host;
  host.setRect({0, 0, 100, 100});
  child(host, 1, {0, 0, 10, 10});
  Resizer r(host);
  EXPECT_FALSE(r.add(9, r.dialog(E::Left), r.dialog(E::Top), r.keepWidth(), r.keepHeight()));
  EXPECT_FALSE(r.add(1, r.keepWidth(), r.dialog(E::Top), r.keepWidth(), r.keepHeight()));
  EXPECT_FALSE(r.add(1, r.dialog(E::Top), r.dialog(E::Top), r.keepWidth(), r.keepHeight()));
  EXPECT_FALSE(r.add(1, r.control(5, E::Left), r.dialog(E::Top), r.keepWidth(), r.keepHeight()));
  EXPECT_EQ(r.count(), 0);
}

class SizeMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerTestTemplates();
    file_ = temp_ / "ui-size-memory.ini";
    previous_ = base::NamedValueStore::instance().file();
    base::NamedValueStore::instance().setFile(file_);
  }
  void TearDown() override { base::NamedValueStore::instance().setFile(previous_); }
  TempDir temp_;
  std::string file_, previous_;
};

TEST_F(SizeMemoryTest, RestoresAboveTheMinimumAndOnScreen) {
  test::GTestScript script;
  EXPECT_TRUE(DialogSizeMemory::set("DLG_TEST", {100, 50, 500, 400}));
  Rect r;
  ASSERT_TRUE(DialogSizeMemory::get("DLG_TEST", r));
  EXPECT_EQ(r, (Rect{100, 50, 500, 400}));
  struct Sized : Dialog {
    Sized() : Dialog(9001) {}
    bool onInitDialog() override {
      setMinTrackSize(rect().size());
      resizer().add(1, Resizer::keepWidth(), Resizer::keepHeight(), Resizer::dialog(E::Right),
                    Resizer::dialog(E::Bottom));
      DialogSizeMemory::restore(*this, "DLG_TEST");
      return true;
    }
    void onOK() override {
      DialogSizeMemory::store(*this, templateName());
      Dialog::onOK();
    }
  } dlg;
  script.modal()
      .check([](Dialog& d) {
        // 400 x 350 is below the template's 300 x 195? No: the minimum is the template size.
        EXPECT_EQ(d.rect(), (Rect{100, 50, 500, 400}));
        Rect ok = d.item(1)->rect();
        EXPECT_EQ(ok.right, 400 - (300 - d.unitsToPixelsX(136)));
      })
      .resize({10, 10})
      .check([](Dialog& d) {
        EXPECT_EQ(d.rect().size(), (Size{300, 195}));
      })
      .ok();
  dlg.doModal();
  ASSERT_TRUE(DialogSizeMemory::get("DLG_TEST", r));
  EXPECT_EQ(r.size(), (Size{300, 195}));

  // A remembered place off the screen comes back onto it.
  DialogSizeMemory::set("DLG_TEST", {5000, 5000, 5400, 5300});
  script.modal()
      .check([](Dialog& d) {
        EXPECT_EQ(d.rect(), (Rect{1520, 780, 1920, 1080}));
      })
      .cancel();
  dlg.doModal();
  EXPECT_FALSE(DialogSizeMemory::get("DLG_NONE", r));
}
