#pragma once
#include <wx/app.h>

#include <functional>
#include <string>

namespace ui {
class Dialog;
}
class wxDialog;

// One dialog through the wxWidgets backend: the opener runs it, and once it
// has drawn itself its layout is checked, its picture saved and it is
// closed (OK, or Cancel when asked). The run fails when the dialog did not
// open, its picture was not saved or its layout has faults.
class SmokeApp : public wxApp {
 public:
  // Runs the dialog; false when it could not be shown.
  using Opener = std::function<bool(SmokeApp&)>;
  SmokeApp(std::string file, Opener open) : file_(std::move(file)), open_(std::move(open)) {}

  bool OnInit() override;
  int status() const { return !opened_ || !shot_ || faults_ ? 1 : 0; }
  const std::string& file() const { return file_; }
  bool shot() const { return shot_; }
  void closeWithCancel() { cancel_ = true; }
  // Runs on the dialog once it has drawn itself, before the check and picture.
  void beforeShot(std::function<void(ui::Dialog&)> prepare) { prepare_ = std::move(prepare); }

 private:
  void shootLater(ui::Dialog& dialog, wxDialog& window);

  std::string file_;
  Opener open_;
  std::function<void(ui::Dialog&)> prepare_;
  bool cancel_ = false;
  bool opened_ = false;
  bool shot_ = false;
  bool faults_ = false;
};

// Starts wxWidgets with the app and runs it; the exit status.
int runSmoke(const char* program, SmokeApp* app);
