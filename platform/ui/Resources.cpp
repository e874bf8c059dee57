#include "platform/ui/Resources.h"

#include <dirent.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "platform/arx/acutil.h"
#include "platform/base/AtomicFile.h"

namespace ui {
namespace {
struct Module {
  std::string name;
  std::map<int, DialogTemplate> templates;
  std::map<int, std::string> icons;
};
struct Registry {
  std::vector<Module> modules;  // in registration order
  std::string current;
  std::vector<std::string> errors;

  Module& module(std::string_view name) {
    for (auto& m : modules)
      if (m.name == name) return m;
    modules.push_back(Module{std::string(name), {}, {}});
    return modules.back();
  }
  // The current module first, then the others in order.
  template <typename F>
  auto search(F f) -> decltype(f(modules.front())) {
    for (auto& m : modules)
      if (m.name == current)
        if (auto r = f(m)) return r;
    for (auto& m : modules)
      if (m.name != current)
        if (auto r = f(m)) return r;
    return {};
  }
};
Registry& registry() {
  static Registry r;
  return r;
}
void report(std::string message) {
  acutPrintf("*Error* %s\n", message.c_str());
  registry().errors.push_back(std::move(message));
}
}  // namespace

bool Resources::addTemplate(std::string_view module, std::string_view source,
                            std::string_view json) {
  DialogTemplate t;
  std::string error;
  if (!parseDialogTemplate(json, source, t, error)) {
    report(error);
    return false;
  }
  Module& m = registry().module(module);
  if (m.templates.count(t.id))
    report(std::string(source) + ": the template id " + std::to_string(t.id) + " of " +
           m.templates[t.id].source + " is replaced");
  m.templates[t.id] = std::move(t);
  return true;
}

void Resources::addTemplate(std::string_view module, DialogTemplate dialogTemplate) {
  int id = dialogTemplate.id;
  registry().module(module).templates[id] = std::move(dialogTemplate);
}

bool Resources::addIcons(std::string_view module, std::string_view source, std::string_view json) {
  nlohmann::json doc = nlohmann::json::parse(json, nullptr, false);
  if (doc.is_discarded() || !doc.is_object()) {
    report(std::string(source) + ": not a JSON object of icon ids and names");
    return false;
  }
  Module& m = registry().module(module);
  bool ok = true;
  for (const auto& [key, value] : doc.items()) {
    char* end = nullptr;
    long id = std::strtol(key.c_str(), &end, 10);
    if (key.empty() || *end || !value.is_string()) {
      report(std::string(source) + ": icon \"" + key + "\": needs a numeric id and a name");
      ok = false;
      continue;
    }
    m.icons[static_cast<int>(id)] = value.get<std::string>();
  }
  return ok;
}

int Resources::addTemplateFolder(std::string_view module, const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  std::vector<std::string> files;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".json") == 0) files.push_back(name);
  }
  ::closedir(dir);
  std::sort(files.begin(), files.end());
  int count = 0;
  for (const auto& name : files) {
    std::string path = folder + "/" + name, text, error;
    if (!base::readWholeFile(path, text, &error)) {
      report(error);
      continue;
    }
    if (addTemplate(module, path, text)) ++count;
  }
  return count;
}

void Resources::removeModule(std::string_view module) {
  auto& mods = registry().modules;
  mods.erase(
      std::remove_if(mods.begin(), mods.end(), [&](const Module& m) { return m.name == module; }),
      mods.end());
}

const DialogTemplate* Resources::findTemplate(int id) {
  return registry().search([id](Module& m) -> const DialogTemplate* {
    auto it = m.templates.find(id);
    return it == m.templates.end() ? nullptr : &it->second;
  });
}

const DialogTemplate* Resources::findTemplate(std::string_view name) {
  return registry().search([name](Module& m) -> const DialogTemplate* {
    for (const auto& [id, t] : m.templates)
      if (t.name == name) return &t;
    return nullptr;
  });
}

std::vector<int> Resources::templateIds() {
  std::vector<int> ids;
  for (const auto& m : registry().modules)
    for (const auto& [id, t] : m.templates) ids.push_back(id);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return ids;
}

std::string Resources::iconName(int id) {
  const std::string* found = registry().search([id](Module& m) -> const std::string* {
    auto it = m.icons.find(id);
    return it == m.icons.end() ? nullptr : &it->second;
  });
  return found ? *found : std::string();
}

std::string Resources::setCurrentModule(std::string_view module) {
  std::string previous = registry().current;
  registry().current = std::string(module);
  return previous;
}

std::string Resources::currentModule() {
  return registry().current;
}

const std::vector<std::string>& Resources::errors() {
  return registry().errors;
}

}  // namespace ui
