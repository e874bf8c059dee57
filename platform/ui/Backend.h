#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Window.h"
#include "platform/ui/ui_export.h"

namespace ui {

class Dialog;

// The backend's half of one window: it mirrors the model's state in a real
// widget. It is created after the window's parent has its peer and goes
// before the parent's.
class UI_API WindowPeer {
 public:
  virtual ~WindowPeer();
  virtual void update(Change what) = 0;
  // Page area of a tab control in its client coordinates, when the widget knows it.
  virtual std::optional<Rect> tabDisplayRect() const { return std::nullopt; }
};

struct MessageBoxRequest {
  std::string text;     // Windows-1252
  std::string caption;  // Windows-1252
  unsigned type = 0;    // MB_* buttons, icon and default button
  const Window* owner = nullptr;
};

struct FileDialogRequest {
  bool save = false;
  std::string title;
  // "Text files (*.txt)|*.txt|All files (*.*)|*.*" (a trailing "||" is allowed).
  std::string filter;
  std::string defaultExt;  // without the dot; added to a typed name without one
  std::string initialDir;
  std::string fileName;
  bool mustExist = true;        // open: only existing files
  bool overwritePrompt = true;  // save: ask before replacing a file
  bool multiSelect = false;     // open: several files
  const Window* owner = nullptr;
};

struct FolderRequest {
  std::string title;
  std::string initialDir;
  const Window* owner = nullptr;
};

// A way of showing windows: the headless backend of the tests and of the
// host program's commands, or real windows. Services and modal loops go
// through the installed backend; the module never knows which one runs.
class UI_API Backend {
 public:
  virtual ~Backend();
  virtual std::string_view name() const = 0;

  virtual std::unique_ptr<WindowPeer> createPeer(Window& window) = 0;
  // Shows the dialog modally and returns when Dialog::endDialog was called.
  virtual void runModal(Dialog& dialog) = 0;
  // Average character width and height of the font: a dialog unit is a
  // quarter of the first horizontally and an eighth of the second vertically.
  virtual Size dialogBaseUnits(const Font& font) = 0;
  virtual Size textExtent(const Font& font, std::string_view text) = 0;
  virtual Rect workArea() = 0;

  virtual int messageBox(const MessageBoxRequest& request) = 0;
  // Chosen paths, or nothing when cancelled.
  virtual std::optional<std::vector<std::string>> fileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> browseFolder(const FolderRequest& request) = 0;

  // Ticks for the kit's timer table (ui::setTimer); the backend calls
  // ui::fireTimer(timerId) every ms milliseconds until stopped.
  virtual void startTimer(int timerId, int ms) = 0;
  virtual void stopTimer(int timerId) = 0;

  virtual void setClipboardText(std::string_view text) = 0;
  virtual std::optional<std::string> clipboardText() = 0;
  virtual bool isKeyDown(int virtualKey) = 0;
  virtual Window& mainWindow() = 0;
};

// The installed backend. Until one is installed, a non-interactive headless
// backend answers (every default taken, message texts on standard error).
UI_API Backend& backend();
// Installs a backend and hands back the previous one (null for the built-in default).
UI_API std::unique_ptr<Backend> setBackend(std::unique_ptr<Backend> backend);

}  // namespace ui
