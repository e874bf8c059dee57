#include "spreadsheet/KvSSWindowLauncher.h"

#include <algorithm>
#include <vector>

#include "common/KvResourceScope.h"
#include "platform/ui/Services.h"
#include "spreadsheet/KvSSWindow.h"

namespace {
// Windows still on screen whose launcher has gone; each goes once closed.
struct KeptWindows {
  std::vector<std::unique_ptr<KvSSWindow>> windows;
  // At exit the kit's tables a window would unregister from may be gone
  // already: a window still open then ends with the process. One closed
  // since it was kept has nothing left to unregister and is freed.
  ~KeptWindows() {
    for (auto& w : windows)
      if (w->isCreated()) static_cast<void>(w.release());
  }
};
void keep(std::unique_ptr<KvSSWindow> window) {
  static KeptWindows kept;
  std::erase_if(kept.windows, [](const auto& w) { return !w->isCreated(); });
  if (window && window->isCreated()) kept.windows.push_back(std::move(window));
}
}  // namespace

KvSSWindowLauncher::KvSSWindowLauncher() = default;

KvSSWindowLauncher::~KvSSWindowLauncher() {
  keep(std::move(window_));
}

bool KvSSWindowLauncher::isOpen() const {
  return opened_ && window_ && window_->isCreated();
}

bool KvSSWindowLauncher::open() {
  if (isOpen()) {
    window_->show();
    return true;
  }
  KvResourceScope scope;
  if (!window_) window_ = std::make_unique<KvSSWindow>();
  opened_ = window_->create(&ui::mainWindow());
  if (!opened_) return false;
  window_->show();
  ui::mainWindow().setFocus();
  return true;
}

Nx_Spread* KvSSWindowLauncher::getSheet() const {
  return isOpen() ? &window_->sheet() : nullptr;
}
