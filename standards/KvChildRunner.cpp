#include "standards/KvChildRunner.h"

namespace {
KvChildRunner gChildRunner = nullptr;
}  // namespace

KvChildRunner setChildRunner(KvChildRunner runner) {
  KvChildRunner previous = gChildRunner;
  gChildRunner = runner;
  return previous;
}

bool runChildSheet(KvDlgStandardsData& request) {
  return gChildRunner && gChildRunner(request);
}
