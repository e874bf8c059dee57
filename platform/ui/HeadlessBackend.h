#pragma once
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/ui/Backend.h"

namespace ui {

class Script;

// Windows without a screen: all state lives in the window models. Modal
// runs and service calls are answered by the installed test script; without
// one the backend is non-interactive, as the host program's headless
// commands are: every default is taken (a dialog's default button, a box's
// default answer, no file) and the texts are printed on standard error.
// Timers run on a virtual clock that only advanceClock moves.
class UI_API HeadlessBackend : public Backend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  void setScript(Script* script) { script_ = script; }
  Script* script() const { return script_; }
  // Where the non-interactive answers are reported (standard error by default).
  void setReport(std::function<void(const std::string&)> report);

  long long clock() const { return now_; }
  // Moves the clock on, firing every timer that falls due, in time order.
  void advanceClock(long long ms);
  void setKeyDown(int virtualKey, bool down);

  std::string_view name() const override { return "headless"; }
  std::unique_ptr<WindowPeer> createPeer(Window& window) override;
  void runModal(Dialog& dialog) override;
  Size dialogBaseUnits(const Font& font) override;
  Size textExtent(const Font& font, std::string_view text) override;
  Rect workArea() override { return {0, 0, 1920, 1080}; }
  int messageBox(const MessageBoxRequest& request) override;
  std::optional<std::vector<std::string>> fileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> browseFolder(const FolderRequest& request) override;
  void startTimer(int timerId, int ms) override;
  void stopTimer(int timerId) override;
  void setClipboardText(std::string_view text) override { clipboard_ = std::string(text); }
  std::optional<std::string> clipboardText() override { return clipboard_; }
  bool isKeyDown(int virtualKey) override;
  Window& mainWindow() override;

 private:
  void report(const std::string& line);
  struct Timer {
    long long interval = 0;
    long long due = 0;
  };
  Script* script_ = nullptr;
  std::function<void(const std::string&)> report_;
  long long now_ = 0;
  std::map<int, Timer> timers_;
  std::optional<std::string> clipboard_;
  std::map<int, bool> keys_;
  std::unique_ptr<Window> main_;
};

}  // namespace ui
