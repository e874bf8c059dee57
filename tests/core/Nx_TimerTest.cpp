#include "core/Nx_Timer.h"

#include <gtest/gtest.h>

#include "core/dialString.h"
#include "platform/arx/acutil.h"

TEST(NxTimer, CountsEndedRunsOnly) {
  Nx_Timer t("load");
  t.end();  // not running: ignored
  EXPECT_EQ(t.count(), 0);
  t.start();
  t.start();  // an unended run is restarted, not counted
  EXPECT_TRUE(t.isRunning());
  t.end();
  EXPECT_EQ(t.count(), 1);
  EXPECT_FALSE(t.isRunning());
  EXPECT_GE(t.seconds(), 0.0);
  {
    Nx_FunctionTimer scope(t);
    EXPECT_TRUE(t.isRunning());
  }
  EXPECT_EQ(t.count(), 2);
  AcutPrintCapture cap;
  t.print();
  EXPECT_EQ(cap.text().rfind("load: ", 0), 0u);
  EXPECT_NE(cap.text().find(" in 2 runs"), std::string::npos);
  t.reset();
  EXPECT_EQ(t.count(), 0);
  EXPECT_EQ(t.seconds(), 0.0);
}

TEST(DialString, UnknownNumberIsVisiblePlaceholder) {
  EXPECT_EQ(dialString(987654).str(), "<text 987654>");
}
