#pragma once
#include <string>

#include "core/Nx_Settings.h"
#include "platform/base/NamedValueStore.h"
#include "tests/core/TempDir.h"

// A library folder of its own (the settings folder of the documents) and a
// registry file of its own for each test.
class SettingsTestLibrary : public TempDir {
 public:
  SettingsTestLibrary()
      : previous_(gSettings.libDir), previousRegistry_(base::NamedValueStore::instance().file()) {
    gSettings.setLibDir(path().c_str());
    base::NamedValueStore::instance().setFile(*this / "registry.ini");
  }
  ~SettingsTestLibrary() {
    gSettings.libDir = previous_;
    base::NamedValueStore::instance().setFile(previousRegistry_);
  }
  // A settings document NAME.kvd from records given as "key|type|value;..."
  // where "|" and ";" stand for the separator byte.
  void document(const std::string& name, const std::string& records) const {
    std::string text = records;
    for (char& c : text)
      if (c == '|' || c == ';') c = '\xA4';
    write(name + ".kvd", text);
  }

 private:
  Nx_String previous_;
  std::string previousRegistry_;
};
