#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Events.h"
#include "platform/ui/ui_export.h"

namespace ui {

class Dialog;
class HeadlessBackend;
class Script;

// What a user does in one dialog, step by step: queued for a modal run
// (Script::modal) or done at once on a dialog that is open (Script::now).
// A step on a control that is missing, hidden or disabled is a failure, as
// the user could not have done it.
class UI_API Steps {
 public:
  Steps& click(int id);
  // Replaces the text of an edit field or an editable combo box, as typed.
  Steps& type(int id, std::string text);
  // Picks an entry of a list box, combo box or tab control, by index or text.
  Steps& pick(int id, int index);
  Steps& pick(int id, std::string text);
  Steps& doubleClick(int id, int index);
  // Clicks a check box until it shows the state.
  Steps& setCheck(int id, int state);
  Steps& key(int virtualKey, bool shift = false, bool control = false);
  // To the dialog's own client area, or to the item with the id.
  Steps& mouse(const MouseEvent& event, int id = 0);
  Steps& resize(Size client);
  Steps& advanceClock(int ms);
  Steps& close();
  Steps& ok() { return click(IDOK); }
  Steps& cancel() { return click(IDCANCEL); }
  // Test code at this point of the run (assertions on the dialog's state).
  Steps& check(std::function<void(Dialog&)> inspect);

 private:
  friend class Script;
  struct Step {
    std::string what;
    std::function<void(Dialog&, Script&)> run;
  };
  Steps(Script& script, Dialog* immediate) : script_(script), immediate_(immediate) {}
  Steps& add(std::string what, std::function<void(Dialog&, Script&)> run);
  Script& script_;
  Dialog* immediate_;
  std::vector<Step> steps_;
};

// The test script of the headless backend: it answers, in the order they
// were queued, every modal run and every message box, file and folder
// dialog. Anything it cannot answer is a failure (reported to the failure
// handler) and gets the cancel answer, so no test ever hangs on a dialog.
// While a script lives its headless backend is installed.
class UI_API Script {
 public:
  Script();
  ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  using FailureHandler = std::function<void(const std::string&)>;
  // Default: the failure is printed on standard error and kept in failures().
  void setFailureHandler(FailureHandler handler);
  const std::vector<std::string>& failures() const { return failures_; }
  void fail(const std::string& message);

  // Queued answers.
  // The next modal run; templateId 0 accepts any dialog.
  Steps& modal(int templateId = 0);
  // The next message box; when textPart is given the text must contain it.
  Script& answer(int answer, std::string textPart = {});
  Script& chooseFiles(std::vector<std::string> paths);
  Script& chooseFile(std::string path) { return chooseFiles({std::move(path)}); }
  Script& cancelFileDialog();
  Script& chooseFolder(std::string path);
  Script& cancelFolder();
  // True when every queued answer was used.
  bool done() const { return queue_.empty(); }

  // At once.
  Steps now(Dialog& dialog);
  void advanceClock(int ms);
  long long clock() const;
  void holdKey(int virtualKey, bool down = true);
  HeadlessBackend& backend() { return *backend_; }

  // What was shown, one line each: "modal 242 Grid", "box Caption: text", ...
  const std::vector<std::string>& log() const { return log_; }
  const std::vector<MessageBoxRequest>& messageBoxes() const { return boxes_; }

  // Called by the headless backend.
  void runModal(Dialog& dialog);
  int answerMessageBox(const MessageBoxRequest& request);
  std::optional<std::vector<std::string>> answerFileDialog(const FileDialogRequest& request);
  std::optional<std::string> answerFolder(const FolderRequest& request);

 private:
  struct Entry {
    enum class Kind { Modal, Box, Files, Folder };
    explicit Entry(Kind k) : kind(k) {}
    Kind kind;
    int templateId = 0;
    std::unique_ptr<Steps> steps;
    int answer = 0;
    std::string textPart;
    std::optional<std::vector<std::string>> paths;
  };
  static const char* kindName(Entry::Kind kind);
  // The front entry when it is of that kind; otherwise a failure and nothing.
  std::optional<Entry> take(Entry::Kind kind, const std::string& what);

  HeadlessBackend* backend_ = nullptr;
  std::unique_ptr<Backend> previous_;
  FailureHandler onFailure_;
  std::deque<Entry> queue_;
  std::vector<std::string> failures_;
  std::vector<std::string> log_;
  std::vector<MessageBoxRequest> boxes_;
};

}  // namespace ui
