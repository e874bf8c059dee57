#include "core/FileDialogs.h"

#include "core/PathHelpers.h"
#include "platform/ui/Services.h"

namespace {
std::string filterOf(const Nx_String& filter, const Nx_String& extension) {
  if (filter.find('|') >= 0) return filter.str();
  Nx_String pattern = extension.isEmpty() ? Nx_String("*.*") : "*." + extension;
  Nx_String text = filter.isEmpty() ? pattern : filter;
  return (text + "|" + pattern).str();
}
}  // namespace

bool DlgOpenSave(bool open, const Nx_String& extension, const Nx_String& filter,
                 const Nx_String& title, const Nx_String& folder, Nx_String& path,
                 const ui::Window* owner) {
  ui::FileDialogRequest request;
  request.save = !open;
  request.title = title.str();
  request.filter = filterOf(filter, extension);
  request.defaultExt = extension.str();
  request.initialDir = toNativePath(folder).str();
  request.fileName = toNativePath(path).str();
  request.mustExist = open;
  request.overwritePrompt = !open;
  request.owner = owner;
  auto chosen = open ? ui::openFileName(request) : ui::saveFileName(request);
  if (!chosen || chosen->empty()) return false;
  Nx_String result(*chosen);
  if (!open && !extension.isEmpty() && getExtension(result).isEmpty())
    result = changeExtension(result, extension);
  path = result;
  return true;
}

bool DlgOpenMulti(const Nx_String& fileType, const Nx_String& extension, const Nx_String& folder,
                  const Nx_String& title, Nx_StringArray& paths, const ui::Window* owner) {
  ui::FileDialogRequest request;
  request.title = title.str();
  Nx_String pattern = extension.isEmpty() ? Nx_String("*.*") : "*." + extension;
  request.filter =
      filterOf(fileType.isEmpty() ? fileType : fileType + " (" + pattern + ")", extension);
  request.defaultExt = extension.str();
  request.initialDir = toNativePath(folder).str();
  request.multiSelect = true;
  request.owner = owner;
  auto chosen = ui::fileDialog(request);
  if (!chosen) return false;
  Nx_StringArray result;
  for (const std::string& p : *chosen) result.append(Nx_String(p));
  paths = std::move(result);
  return true;
}
