#include "dialogs/KvProfImage.h"

#include "core/FileHelpers.h"
#include "core/Nx_Settings.h"
#include "core/PathHelpers.h"
#include "core/StringHelpers.h"
#include "core/TimeHelpers.h"
#include "core/sections/SectionShape.h"

namespace {
const char* const kUserSectionPrefix = "User Sections\\";

Nx_String pictureSuffix(bool big) {
  return big ? "-big.bmp" : "-small.bmp";
}
}  // namespace

Nx_String profSectionName(int shape) {
  Nx_String name = sectionShapeName(shape);
  return name.isEmpty() ? name : "ProfSection" + name;
}

bool isShapeNumber(const Nx_String& shape) {
  return !endsWith(shape, ".dwg", false);
}

Nx_String profIconFolder() {
  return (gSettings.dataDir.isEmpty() ? gSettings.libDir : gSettings.dataDir) + "icons/";
}

Nx_String userSectionFolder() {
  return gSettings.libDir + "User Sections/";
}

bool makeUserSectionImage(const Nx_String& name, Nx_String& fileName) {
  Nx_String source = userSectionFolder() + name + ".bmp";
  Nx_String result = name + "-automated.bmp";
  Nx_String target = profIconFolder() + result;
  if (!fileExists(source)) return false;
  Nx_Time sourceTime, targetTime;
  if (fileExists(target) && ObjectExportGetFileTime(source, sourceTime) &&
      ObjectExportGetFileTime(target, targetTime) && targetTime >= sourceTime) {
    fileName = result;
    return true;
  }
  if (!copyFile(source, target, true)) return false;
  fileName = result;
  return true;
}

Nx_String getProfImage(KvProfImageRequest& request) {
  Nx_String base;
  bool userSection = false;
  if (request.shape.isEmpty()) {
    base = request.userSection;
    // Either separator may come before the name.
    Nx_String prefix(kUserSectionPrefix);
    if (base.left(prefix.length() - 1).equal(prefix.left(prefix.length() - 1), false) &&
        (base[prefix.length() - 1] == '\\' || base[prefix.length() - 1] == '/'))
      base = base.mid(prefix.length());
    base = removeExtension(base);
    userSection = true;
  } else if (isShapeNumber(request.shape)) {
    int shape = request.shape.toInt();
    request.shape = Nx_String(shape);
    base = profSectionName(shape);
  } else {
    base = removeExtension(getFileName(request.shape));
  }
  Nx_String file = base + pictureSuffix(request.big);
  request.missing = !fileExists(profIconFolder() + file);
  if (!request.missing) return file;
  Nx_String made;
  if (userSection && !request.big && !base.isEmpty() && makeUserSectionImage(base, made))
    return made;
  return "Unknown" + pictureSuffix(request.big);
}

Nx_String getProfImagePath(KvProfImageRequest& request) {
  Nx_String file = getProfImage(request);
  return profIconFolder() + file;
}
