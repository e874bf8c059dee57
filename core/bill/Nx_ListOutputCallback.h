#pragma once
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "platform/arx/acadstrc.h"

// What the core's list generator feeds a bill into: a start, one call per
// line, calls for subtotal lines and separations, an end.
class DCM_API Nx_ListOutputCallback {
 public:
  // Out of line, so the class's type information lives in the core alone.
  virtual ~Nx_ListOutputCallback();
  virtual Acad::ErrorStatus onStartFeed() { return Acad::eOk; }
  virtual Acad::ErrorStatus onEndFeed() { return Acad::eOk; }
  virtual void onNewPage() {}
  virtual void onAddRow(const Nx_StringArray& line) {}
  virtual void onAddSubTotals(const Nx_StringArray& values, const Nx_StringArray& captions,
                              bool last, int level) {}
  virtual void onAddSeperation() {}
};
