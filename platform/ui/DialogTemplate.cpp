#include "platform/ui/DialogTemplate.h"

#include <map>
#include <nlohmann/json.hpp>

#include "platform/base/Cp1252.h"

namespace ui {
namespace {
using json = nlohmann::json;

const std::map<std::string, Style, std::less<>>& styleNames() {
  static const std::map<std::string, Style, std::less<>> names = {
#define S(n) {#n, n}
      S(WS_OVERLAPPED),     S(WS_POPUP),
      S(WS_CHILD),          S(WS_VISIBLE),
      S(WS_DISABLED),       S(WS_CAPTION),
      S(WS_BORDER),         S(WS_VSCROLL),
      S(WS_HSCROLL),        S(WS_SYSMENU),
      S(WS_THICKFRAME),     S(WS_GROUP),
      S(WS_TABSTOP),        S(WS_MINIMIZEBOX),
      S(WS_MAXIMIZEBOX),    S(WS_EX_TOPMOST),
      S(WS_EX_TRANSPARENT), S(WS_EX_CLIENTEDGE),
      S(WS_EX_STATICEDGE),  S(DS_SETFONT),
      S(DS_MODALFRAME),     S(DS_CONTROL),
      S(DS_CENTER),         S(BS_PUSHBUTTON),
      S(BS_DEFPUSHBUTTON),  S(BS_CHECKBOX),
      S(BS_AUTOCHECKBOX),   S(BS_RADIOBUTTON),
      S(BS_3STATE),         S(BS_AUTO3STATE),
      S(BS_GROUPBOX),       S(BS_AUTORADIOBUTTON),
      S(BS_ICON),           S(BS_BITMAP),
      S(BS_LEFT),           S(BS_RIGHT),
      S(BS_CENTER),         S(BS_VCENTER),
      S(BS_PUSHLIKE),       S(BS_MULTILINE),
      S(ES_LEFT),           S(ES_CENTER),
      S(ES_RIGHT),          S(ES_MULTILINE),
      S(ES_PASSWORD),       S(ES_AUTOVSCROLL),
      S(ES_AUTOHSCROLL),    S(ES_READONLY),
      S(ES_WANTRETURN),     S(ES_NUMBER),
      S(SS_LEFT),           S(SS_CENTER),
      S(SS_RIGHT),          S(SS_ICON),
      S(SS_BLACKRECT),      S(SS_GRAYRECT),
      S(SS_WHITERECT),      S(SS_BLACKFRAME),
      S(SS_GRAYFRAME),      S(SS_WHITEFRAME),
      S(SS_SIMPLE),         S(SS_LEFTNOWORDWRAP),
      S(SS_BITMAP),         S(SS_ETCHEDHORZ),
      S(SS_ETCHEDVERT),     S(SS_ETCHEDFRAME),
      S(SS_NOTIFY),         S(SS_CENTERIMAGE),
      S(SS_SUNKEN),         S(CBS_SIMPLE),
      S(CBS_DROPDOWN),      S(CBS_DROPDOWNLIST),
      S(CBS_AUTOHSCROLL),   S(CBS_SORT),
      S(LBS_NOTIFY),        S(LBS_SORT),
      S(LBS_MULTIPLESEL),   S(LBS_NOINTEGRALHEIGHT),
      S(LBS_EXTENDEDSEL),   S(SBS_HORZ),
      S(SBS_VERT),
#undef S
  };
  return names;
}

// The statements of resource scripts: class and default style of each.
struct ItemType {
  const char* className;
  Style style;
};
const std::map<std::string, ItemType, std::less<>>& itemTypes() {
  static const std::map<std::string, ItemType, std::less<>> types = {
      {"LTEXT", {kStaticClass, SS_LEFT | WS_GROUP}},
      {"CTEXT", {kStaticClass, SS_CENTER | WS_GROUP}},
      {"RTEXT", {kStaticClass, SS_RIGHT | WS_GROUP}},
      {"ICON", {kStaticClass, SS_ICON}},
      {"PICTURE", {kStaticClass, SS_BITMAP}},
      {"FRAME", {kStaticClass, SS_BLACKFRAME}},
      {"PUSHBUTTON", {kButtonClass, BS_PUSHBUTTON | WS_TABSTOP}},
      {"DEFPUSHBUTTON", {kButtonClass, BS_DEFPUSHBUTTON | WS_TABSTOP}},
      {"ICONBUTTON", {kButtonClass, BS_PUSHBUTTON | BS_ICON | WS_TABSTOP}},
      {"CHECKBOX", {kButtonClass, BS_CHECKBOX | WS_TABSTOP}},
      {"AUTOCHECKBOX", {kButtonClass, BS_AUTOCHECKBOX | WS_TABSTOP}},
      {"STATE3", {kButtonClass, BS_3STATE | WS_TABSTOP}},
      {"AUTO3STATE", {kButtonClass, BS_AUTO3STATE | WS_TABSTOP}},
      {"RADIOBUTTON", {kButtonClass, BS_RADIOBUTTON}},
      {"AUTORADIOBUTTON", {kButtonClass, BS_AUTORADIOBUTTON}},
      {"GROUPBOX", {kButtonClass, BS_GROUPBOX}},
      {"EDITTEXT", {kEditClass, ES_LEFT | WS_BORDER | WS_TABSTOP}},
      {"COMBOBOX", {kComboBoxClass, CBS_SIMPLE | WS_TABSTOP}},
      {"LISTBOX", {kListBoxClass, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP}},
      {"SCROLLBAR", {kScrollBarClass, SBS_HORZ}},
      {"TABCONTROL", {kTabControlClass, WS_TABSTOP}},
      {"CONTROL", {"", 0}},
  };
  return types;
}

int lineOf(std::string_view text, size_t byte) {
  int line = 1;
  for (size_t i = 0; i < byte && i < text.size(); ++i)
    if (text[i] == '\n') ++line;
  return line;
}

// Reasons are thrown inside the parser only and turned into the answer.
struct Bad {
  std::string what;
};

std::string text8(const json& v, const char* field) {
  if (!v.is_string()) throw Bad{std::string("\"") + field + "\" must be a text"};
  return base::utf8ToCp1252(v.get<std::string>());
}

int integer(const json& v, const char* field) {
  if (!v.is_number_integer()) throw Bad{std::string("\"") + field + "\" must be a whole number"};
  return v.get<int>();
}

// A style: a number, a name, or a list of names and numbers; "NOT NAME"
// removes a bit of the default.
void applyStyle(const json& v, Style& style, const char* field) {
  auto one = [&](const json& e) {
    if (e.is_number_integer()) {
      style |= e.get<Style>();
      return;
    }
    if (!e.is_string())
      throw Bad{std::string("\"") + field + "\" entries must be names or numbers"};
    std::string name = e.get<std::string>();
    bool remove = name.rfind("NOT ", 0) == 0;
    if (remove) name = name.substr(4);
    Style bit = 0;
    if (!styleByName(name, bit)) throw Bad{"unknown style \"" + name + "\""};
    if (remove)
      style &= ~bit;
    else
      style |= bit;
  };
  if (v.is_array()) {
    for (const auto& e : v) one(e);
  } else {
    one(v);
  }
}

Rect duRect(const json& v) {
  if (!v.is_array() || v.size() != 4)
    throw Bad{"\"rect\" must be [x, y, width, height] in dialog units"};
  for (const auto& e : v)
    if (!e.is_number_integer()) throw Bad{"\"rect\" must hold whole numbers"};
  int x = v[0], y = v[1], w = v[2], h = v[3];
  if (w < 0 || h < 0) throw Bad{"\"rect\" has a negative width or height"};
  return {x, y, x + w, y + h};
}

DialogItemTemplate parseItem(const json& v) {
  if (!v.is_object()) throw Bad{"an item must be an object"};
  DialogItemTemplate item;
  std::string type = v.contains("type") ? v["type"].get<std::string>() : "CONTROL";
  auto t = itemTypes().find(type);
  if (t == itemTypes().end()) throw Bad{"unknown type \"" + type + "\""};
  item.className = t->second.className;
  item.style = WS_CHILD | WS_VISIBLE | t->second.style;
  if (v.contains("class")) item.className = text8(v["class"], "class");
  if (item.className.empty()) throw Bad{"a CONTROL needs a \"class\""};
  if (v.contains("id")) item.id = integer(v["id"], "id");
  if (!v.contains("rect")) throw Bad{"\"rect\" is missing"};
  item.rect = duRect(v["rect"]);
  if (v.contains("text")) item.text = text8(v["text"], "text");
  if (v.contains("style")) applyStyle(v["style"], item.style, "style");
  if (v.contains("exStyle")) applyStyle(v["exStyle"], item.exStyle, "exStyle");
  if (v.contains("icon")) item.icon = integer(v["icon"], "icon");
  if (v.contains("tooltip")) item.toolTip = text8(v["tooltip"], "tooltip");
  // The name is the code's: the build makes a named id of it.
  if (v.contains("name")) text8(v["name"], "name");
  for (const auto& [key, value] : v.items()) {
    static const char* known[] = {"type",    "class", "id",      "rect",    "text", "style",
                                  "exStyle", "icon",  "tooltip", "comment", "name"};
    bool ok = false;
    for (const char* k : known) ok = ok || key == k;
    if (!ok) throw Bad{"unknown field \"" + key + "\""};
  }
  return item;
}
}  // namespace

bool styleByName(std::string_view name, Style& value) {
  auto it = styleNames().find(name);
  if (it == styleNames().end()) return false;
  value = it->second;
  return true;
}

const DialogItemTemplate* DialogTemplate::findItem(int itemId) const {
  for (const auto& i : items)
    if (i.id == itemId) return &i;
  return nullptr;
}

bool parseDialogTemplate(std::string_view text, std::string_view source, DialogTemplate& out,
                         std::string& error) {
  json doc;
  try {
    doc = json::parse(text);
  } catch (const json::parse_error& e) {
    error = std::string(source) + ": line " + std::to_string(lineOf(text, e.byte)) +
            ": not valid JSON (" + e.what() + ")";
    return false;
  } catch (const json::exception& e) {  // a number too large for any type
    error = std::string(source) + ": not valid JSON (" + e.what() + ")";
    return false;
  }
  DialogTemplate t;
  t.source = std::string(source);
  std::string where;
  try {
    if (!doc.is_object()) throw Bad{"the template must be a JSON object"};
    if (!doc.contains("id")) throw Bad{"\"id\" is missing"};
    t.id = integer(doc["id"], "id");
    if (t.id <= 0) throw Bad{"\"id\" must be above 0"};
    if (doc.contains("name")) t.name = text8(doc["name"], "name");
    if (doc.contains("caption")) t.caption = text8(doc["caption"], "caption");
    const json& size = doc.contains("size") ? doc["size"] : json();
    if (!size.is_array() || size.size() != 2 || !size[0].is_number_integer() ||
        !size[1].is_number_integer() || size[0].get<int>() <= 0 || size[1].get<int>() <= 0)
      throw Bad{"\"size\" must be [width, height] in dialog units, both above 0"};
    t.size = {size[0].get<int>(), size[1].get<int>()};
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (doc.contains("style")) {
      t.style = 0;
      applyStyle(doc["style"], t.style, "style");
    }
    if (doc.contains("exStyle")) applyStyle(doc["exStyle"], t.exStyle, "exStyle");
    if (doc.contains("icon")) t.icon = integer(doc["icon"], "icon");
    if (doc.contains("font")) {
      const json& f = doc["font"];
      if (!f.is_object()) throw Bad{"\"font\" must be an object"};
      if (f.contains("face")) t.font.face = text8(f["face"], "face");
      if (f.contains("size")) t.font.pointSize = integer(f["size"], "size");
      if (f.contains("bold")) t.font.bold = f["bold"].get<bool>();
      if (f.contains("italic")) t.font.italic = f["italic"].get<bool>();
    }
    for (const auto& [key, value] : doc.items()) {
      static const char* known[] = {"id",      "name", "caption", "size",  "style",
                                    "exStyle", "icon", "font",    "items", "comment"};
      bool ok = false;
      for (const char* k : known) ok = ok || key == k;
      if (!ok) throw Bad{"unknown field \"" + key + "\""};
    }
    if (doc.contains("items")) {
      if (!doc["items"].is_array()) throw Bad{"\"items\" must be a list"};
      int n = 0;
      for (const auto& v : doc["items"]) {
        ++n;
        where = "item " + std::to_string(n);
        if (v.is_object() && v.contains("id") && v["id"].is_number_integer())
          where += " (id " + std::to_string(v["id"].get<int>()) + ")";
        DialogItemTemplate item = parseItem(v);
        if (item.id != IDC_STATIC && t.findItem(item.id))
          throw Bad{"the id " + std::to_string(item.id) + " is used twice"};
        t.items.push_back(std::move(item));
      }
      where.clear();
    }
  } catch (const Bad& b) {
    error = std::string(source) + ": " + (where.empty() ? "" : where + ": ") + b.what;
    return false;
  } catch (const json::exception& e) {
    error = std::string(source) + ": " + (where.empty() ? "" : where + ": ") + e.what();
    return false;
  }
  out = std::move(t);
  return true;
}

}  // namespace ui
