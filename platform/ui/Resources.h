#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/ui_export.h"

namespace ui {

// The resources of the loaded modules: dialog templates by id (and name),
// and the names of icon resources by id. A module registers its resources
// when it is loaded (the module's templates are embedded at build time).
// Lookups search the current module first, then every other module in the
// order they registered, so a resource scope decides which of two equal ids
// wins.
class UI_API Resources {
 public:
  // Parses and registers one template; on failure prints the reason on the
  // command line ("*Error* ..."), keeps it for errors() and answers false.
  static bool addTemplate(std::string_view module, std::string_view source, std::string_view json);
  static void addTemplate(std::string_view module, DialogTemplate dialogTemplate);
  // Icon names: {"212": "add", ...}; a name stands for a picture the
  // backend knows (docs/dialog-templates.md lists them).
  static bool addIcons(std::string_view module, std::string_view source, std::string_view json);
  // Reads every *.json file of a folder as a template; the count read.
  static int addTemplateFolder(std::string_view module, const std::string& folder);
  static void removeModule(std::string_view module);

  static const DialogTemplate* findTemplate(int id);
  static const DialogTemplate* findTemplate(std::string_view name);
  static std::vector<int> templateIds();
  static std::string iconName(int id);

  // The module searched first; answers the previous one.
  static std::string setCurrentModule(std::string_view module);
  static std::string currentModule();

  static const std::vector<std::string>& errors();
};

}  // namespace ui
