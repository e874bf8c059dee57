#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/ui_export.h"

namespace base {
class NamedValueStore;
}

namespace ui {

class Window;

// Shows a message box; answers IDOK, IDCANCEL, IDYES or IDNO.
UI_API int messageBox(std::string_view text, std::string_view caption, unsigned type = MB_OK,
                      const Window* owner = nullptr);

// The answer of a box of that type when the user just presses Enter.
UI_API int defaultAnswer(unsigned type);

// Open or save dialog; the chosen paths, or nothing when cancelled.
UI_API std::optional<std::vector<std::string>> fileDialog(const FileDialogRequest& request);
// Single-file forms of the above.
UI_API std::optional<std::string> openFileName(const FileDialogRequest& request);
UI_API std::optional<std::string> saveFileName(FileDialogRequest request);
UI_API std::optional<std::string> browseFolder(const FolderRequest& request);

// Timers. The callback gets the timer id and runs every ms milliseconds
// until the timer is killed (or, for a window's timer, the window goes). A
// null window makes a window-less timer, as the deferred closes need.
using TimerCallback = std::function<void(int timerId)>;
UI_API int setTimer(Window* window, int ms, TimerCallback callback);
UI_API bool killTimer(int timerId);
UI_API bool isTimerRunning(int timerId);
// Called by backends when a timer is due.
UI_API void fireTimer(int timerId);

UI_API bool setClipboardText(std::string_view text);
UI_API std::optional<std::string> clipboardText();

UI_API bool isKeyDown(int virtualKey);
inline bool isShiftDown() {
  return isKeyDown(VK_SHIFT);
}
inline bool isControlDown() {
  return isKeyDown(VK_CONTROL);
}

UI_API Window* focusWindow();
// The host application's main window, owner of modeless module windows.
UI_API Window& mainWindow();

// The registry: named values under keys (one store, see NamedValueStore).
UI_API base::NamedValueStore& registry();

}  // namespace ui
