#include "core/Nx_Settings.h"

#include <cstdlib>

#include "core/ArrayHelpers.h"
#include "core/FileHelpers.h"
#include "core/MacroLangs.h"
#include "core/PathHelpers.h"

Nx_Settings gSettings;

void Nx_Settings::setLibDir(const Nx_String& folder) {
  libDir = ensureEndSlash(folder);
}

void Nx_Settings::setDataDir(const Nx_String& folder) {
  dataDir = ensureEndSlash(folder);
}

namespace {
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

// A configured folder: "~/" from the home folder, relative from the
// configuration file's folder.
Nx_String resolveFolder(const Nx_String& value, const Nx_String& configPath) {
  Nx_String folder = toNativePath(value);
  if (folder == "~" || folder.startsWith("~/", true)) {
    const char* home = std::getenv("HOME");
    return Nx_String(home ? home : "") + folder.mid(1);
  }
  if (folder.startsWith("/", true)) return folder;
  return getPath(toNativePath(configPath)) + folder;
}

bool parseFlag(const Nx_String& value, bool& flag) {
  for (const char* yes : {"true", "yes", "on", "1"})
    if (value.equal(yes, false)) return flag = true, true;
  for (const char* no : {"false", "no", "off", "0"})
    if (value.equal(no, false)) return flag = false, true;
  return false;
}
}  // namespace

bool Nx_Settings::readConfigFile(const Nx_String& path, Nx_String* error) {
  Nx_StringArray lines;
  if (!ObjectExportReadFile(path, lines, error)) return false;
  // Editors that save UTF-8 may start the file with a byte-order mark.
  if (!lines.isEmpty() && lines[0].startsWith(kUtf8Bom, true)) lines[0] = lines[0].mid(3);
  Nx_Settings next = *this;
  for (int i = 0; i < lines.length(); ++i) {
    auto fail = [&](const Nx_String& why) {
      if (error) *error = toNativePath(path) + ":" + Nx_String(i + 1) + ": " + why;
      return false;
    };
    Nx_String line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith("#", true) || line.startsWith(";", true)) continue;
    // A NUL would silently cut a folder name short wherever it reaches the system.
    if (line.str().find('\0') != std::string::npos) return fail("the line holds a NUL character");
    int eq = line.find('=');
    if (eq < 0) return fail("expected key = value");
    Nx_String key = line.left(eq).trimmed();
    Nx_String value = line.mid(eq + 1).trimmed();
    if (value.length() >= 2 && value.startsWith("\"", true) && value.endsWith("\"", true))
      value = value.mid(1, value.length() - 2);
    if (key.equal("library", false)) {
      if (value.isEmpty()) return fail("the library folder is empty");
      next.setLibDir(resolveFolder(value, path));
    } else if (key.equal("data", false)) {
      next.setDataDir(value.isEmpty() ? value : resolveFolder(value, path));
    } else if (key.equal("standards-messages", false)) {
      if (!parseFlag(value, next.showStandardsMessages))
        return fail("standards-messages takes true or false, not \"" + value + "\"");
    } else if (key.equal("language", false)) {
      int index = MacroLangs::FindLanguage(value);
      if (index < 0)
        return fail("unknown language \"" + value + "\" (use one of " +
                    arrToStr(MacroLangs::GetLanguages(), ", ") + ")");
      next.language = index;
    } else {
      return fail("unknown key \"" + key +
                  "\" (known keys: library, data, standards-messages, language)");
    }
  }
  *this = next;
  return true;
}
