#include "platform/ui/WindowClasses.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/TabControl.h"

namespace ui {
namespace {
std::string upper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}
std::map<std::string, WindowClasses::Factory>& factories() {
  static std::map<std::string, WindowClasses::Factory> f;
  return f;
}
}  // namespace

void WindowClasses::add(std::string_view className, Factory factory) {
  factories()[upper(className)] = std::move(factory);
}

bool WindowClasses::remove(std::string_view className) {
  return factories().erase(upper(className)) != 0;
}

bool WindowClasses::isRegistered(std::string_view className) {
  return factories().count(upper(className)) != 0;
}

std::unique_ptr<Window> WindowClasses::create(std::string_view className, Style style) {
  std::string key = upper(className);
  std::unique_ptr<Window> w;
  if (auto it = factories().find(key); it != factories().end() && it->second)
    w = it->second();
  else if (key == "BUTTON")
    w = std::make_unique<Button>();
  else if (key == "EDIT")
    w = std::make_unique<Edit>();
  else if (key == "COMBOBOX")
    w = std::make_unique<ComboBox>();
  else if (key == "LISTBOX")
    w = std::make_unique<ListBox>();
  else if (key == upper(kTabControlClass))
    w = std::make_unique<TabControl>();
  else
    w = std::make_unique<Window>();
  if (!w) return nullptr;
  w->setClassName(std::string(className));
  w->setStyle(style);
  return w;
}

}  // namespace ui
