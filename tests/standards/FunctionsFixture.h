#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/Nx_Settings.h"
#include "platform/grid/Sheet.h"
#include "standards/DataFiles.h"
#include "standards/KvSSFunctions.h"
#include "tests/core/TempDir.h"
#include "tests/grid/GridTestUtil.h"

// A temporary product library folder as gSettings.libDir and a sheet with
// the standards functions registered; formulas are evaluated on the sheet.
class FunctionsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    savedSettings_ = gSettings;
    gSettings.setLibDir(lib_.path());
    gSettings.showStandardsMessages = false;
    ssfunctions::clearDataFileCache();
    ASSERT_EQ(registerStandardsFunctions(sheet_), Acad::eOk);
  }
  void TearDown() override {
    ssfunctions::clearDataFileCache();
    gSettings = savedSettings_;
  }

  // A file under "Connection Standards/Data/" of the library.
  void writeData(const std::string& name, const std::string& content) {
    lib_.write("Connection Standards/Data/" + name, content);
  }
  // The value text of a formula, "#VALUE!" when a function fails.
  std::string eval(const std::string& formula) { return gridtest::eval(sheet_, formula); }

  TempDir lib_;
  grid::Sheet sheet_;

 private:
  Nx_Settings savedSettings_;
};
