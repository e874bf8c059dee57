#include "core/PathHelpers.h"

namespace {
bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

int lastSeparator(const Nx_String& path) {
  for (int i = path.length() - 1; i >= 0; --i)
    if (isSeparator(path[i])) return i;
  return -1;
}

// Position of the extension's dot, or -1.
int extensionDot(const Nx_String& path) {
  int nameStart = lastSeparator(path) + 1;
  for (int i = path.length() - 1; i > nameStart; --i)
    if (path[i] == '.') return i;
  return -1;
}
}  // namespace

Nx_String toNativePath(const Nx_String& path) {
  Nx_String out = path;
  for (int i = 0; i < out.length(); ++i)
    if (out[i] == '\\') out.setAt(i, '/');
  return out;
}

Nx_String getPath(const Nx_String& path) {
  return path.left(lastSeparator(path) + 1);
}

Nx_String getFileName(const Nx_String& path) {
  return path.mid(lastSeparator(path) + 1);
}

Nx_String getExtension(const Nx_String& path) {
  int dot = extensionDot(path);
  return dot < 0 ? Nx_String() : path.mid(dot + 1);
}

Nx_String removeExtension(const Nx_String& path) {
  int dot = extensionDot(path);
  return dot < 0 ? path : path.left(dot);
}

Nx_String changeExtension(const Nx_String& path, const Nx_String& extension) {
  Nx_String ext = extension.startsWith(".", true) ? extension.mid(1) : extension;
  Nx_String base = removeExtension(path);
  return ext.isEmpty() ? base : base + "." + ext;
}

Nx_String ensureNoStartBSlash(const Nx_String& name) {
  int i = 0;
  while (i < name.length() && isSeparator(name[i])) ++i;
  return name.mid(i);
}

Nx_String ensureEndSlash(const Nx_String& folder) {
  if (folder.isEmpty() || isSeparator(folder[folder.length() - 1])) return folder;
  return folder + "/";
}
