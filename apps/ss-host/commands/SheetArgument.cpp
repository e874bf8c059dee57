#include "apps/ss-host/commands/SheetArgument.h"

#include <cctype>
#include <system_error>

#include "apps/ss-host/LibraryContents.h"
#include "core/Nx_Settings.h"
#include "platform/base/Cp1252.h"

namespace fs = std::filesystem;

namespace sheetarg {

namespace {

bool endsWithKvs(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".kvs";
}

bool looksLikePath(const std::string& name) {
  return name.find('/') != std::string::npos && (name[0] == '/' || name[0] == '.');
}

}  // namespace

bool resolveSheet(const std::string& given, std::string& sheet, std::string& error) {
  std::error_code ec;
  if (fs::is_regular_file(given, ec)) {
    sheet = fs::absolute(given, ec).lexically_normal().string();
    return true;
  }
  if (looksLikePath(given)) {
    error = "sheet \"" + given + "\": no such file";
    return false;
  }
  const std::string libDir = gSettings.libDir.str();
  if (std::string problem = standardsLibraryProblem(libDir); !problem.empty()) {
    error = "sheet \"" + given + "\": not a file, and " + problem;
    return false;
  }
  std::string name = endsWithKvs(given) ? given.substr(0, given.size() - 4) : given;
  const fs::path file = fs::path(libDir) / "Connection Standards" / (name + ".kvs");
  if (!fs::is_regular_file(file, ec)) {
    error = "sheet \"" + given + "\": no sheet " + file.string() + " (give a sheet's name in " +
            "\"Connection Standards\" or the path of a .kvs file)";
    return false;
  }
  sheet = name;
  return true;
}

fs::path sheetFile(const std::string& sheet) {
  std::error_code ec;
  if (fs::is_regular_file(sheet, ec)) return sheet;
  return fs::path(gSettings.libDir.str()) / "Connection Standards" / (sheet + ".kvs");
}

bool sameSheet(const Nx_String& attached, const std::string& sheet) {
  if (attached.equal(Nx_String(base::utf8ToCp1252(sheet)), false)) return true;
  std::error_code ec;
  return fs::equivalent(sheetFile(base::cp1252ToUtf8(attached.str())), sheetFile(sheet), ec);
}

}  // namespace sheetarg
