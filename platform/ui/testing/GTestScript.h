#pragma once
// A test script whose failures are GoogleTest failures; for test programs only.
#include <gtest/gtest.h>

#include "platform/ui/Dialog.h"
#include "platform/ui/Script.h"

namespace ui::test {

class GTestScript : public Script {
 public:
  GTestScript() {
    setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
  }
};

}  // namespace ui::test
