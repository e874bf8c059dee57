#include "standards/StandardsRunFrame.h"

#include <sys/stat.h>

#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "platform/base/AtomicFile.h"

namespace {
StandardsRunFrame* gCurrent = nullptr;

// "Childs/../Childs/A.kvs" is the sheet "Childs/A.kvs".
Nx_String normalPath(const Nx_String& path) {
  return std::filesystem::path(path.str()).lexically_normal().string().c_str();
}
}  // namespace

struct StandardsRunFrame::Shared {
  int childRuns = 0;
  std::unordered_set<std::string> told;
  std::unordered_map<std::string, std::string> sheetTexts;
};

StandardsRunFrame::StandardsRunFrame(KvRunDiagnostics& sink)
    : sink_(sink),
      outer_(gCurrent),
      ownShared_(outer_ ? nullptr : std::make_unique<Shared>()),
      shared_(outer_ ? outer_->shared_ : ownShared_.get()),
      depth_(outer_ ? outer_->depth_ + 1 : 0) {
  gCurrent = this;
}

StandardsRunFrame::~StandardsRunFrame() {
  gCurrent = outer_;
}

StandardsRunFrame* StandardsRunFrame::current() {
  return gCurrent;
}

void StandardsRunFrame::setCell(int row, const Nx_String& text) {
  row_ = row;
  cellText_ = text;
}

void StandardsRunFrame::add(KvRunDiagnostic::Kind kind, const Nx_String& variable,
                            const Nx_String& text, const Nx_String& message) {
  sink_.push_back(KvRunDiagnostic{kind, sheet_, row_, variable, text, message});
}

void StandardsRunFrame::append(const KvRunDiagnostics& diagnostics) {
  sink_.insert(sink_.end(), diagnostics.begin(), diagnostics.end());
}

bool StandardsRunFrame::firstTime(const std::string& key) {
  return shared_->told.insert(key).second;
}

bool StandardsRunFrame::isOnCallStack(const Nx_String& path) const {
  const Nx_String wanted = normalPath(path);
  for (const StandardsRunFrame* f = this; f; f = f->outer_)
    if (!f->sheet_.isEmpty() && normalPath(f->sheet_).equal(wanted, false)) return true;
  return false;
}

bool StandardsRunFrame::countChildRun() {
  if (shared_->childRuns >= kMaxChildRuns) return false;
  ++shared_->childRuns;
  return true;
}

bool StandardsRunFrame::sheetText(const Nx_String& path, const std::string*& text,
                                  std::string& error) {
  auto it = shared_->sheetTexts.find(path.str());
  if (it == shared_->sheetTexts.end()) {
    // A folder or a device is no sheet, and a FIFO would never end.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      error = path.str() + ": no such file";
      return false;
    }
    if (!S_ISREG(st.st_mode)) {
      error = path.str() + ": not a file";
      return false;
    }
    std::string content, why;
    if (!base::readWholeFile(path.str(), content, &why)) {
      error = why.empty() ? path.str() + ": cannot be read" : why;
      return false;
    }
    it = shared_->sheetTexts.emplace(path.str(), std::move(content)).first;
  }
  text = &it->second;
  return true;
}
