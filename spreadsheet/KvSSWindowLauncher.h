#pragma once
#include <memory>


class KvSSWindow;
class Nx_Spread;

// Opens the spreadsheet window, once: later calls show the same window
// again. A window the user closed is opened anew. The window outlives its
// launcher while it is on screen.
class KvSSWindowLauncher {
 public:
  KvSSWindowLauncher();
  virtual ~KvSSWindowLauncher();
  KvSSWindowLauncher(const KvSSWindowLauncher&) = delete;
  KvSSWindowLauncher& operator=(const KvSSWindowLauncher&) = delete;

  bool open();
  bool isOpen() const;
  // The window's sheet while it is open, else null.
  Nx_Spread* getSheet() const;
  KvSSWindow* window() const { return isOpen() ? window_.get() : nullptr; }

 private:
  bool opened_ = false;
  std::unique_ptr<KvSSWindow> window_;
};
