#include "standards/KvRunDiagnostic.h"

const char* runDiagnosticKindName(KvRunDiagnostic::Kind kind) {
  switch (kind) {
    case KvRunDiagnostic::kEquation:
      return "equation";
    case KvRunDiagnostic::kVariable:
      return "variable";
    case KvRunDiagnostic::kUnbound:
      return "unbound";
    case KvRunDiagnostic::kTolerance:
      return "tolerance";
    case KvRunDiagnostic::kDuplicate:
      return "duplicate";
    case KvRunDiagnostic::kDepth:
      return "depth";
    case KvRunDiagnostic::kCycle:
      return "cycle";
    case KvRunDiagnostic::kChildLimit:
      return "child-limit";
    case KvRunDiagnostic::kDataFile:
      return "data-file";
    case KvRunDiagnostic::kSheet:
      return "sheet";
    case KvRunDiagnostic::kRun:
      return "run";
  }
  return "unknown";
}
