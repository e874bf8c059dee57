#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// The core's information dialog: a title, report lines in a read-only
// text and one button that closes it.
class DCM_API DlgInfoData {
 public:
  DlgInfoData();
  DlgInfoData(const DlgInfoData& other);
  DlgInfoData& operator=(const DlgInfoData& other);
  virtual ~DlgInfoData();

  Nx_String title;
  Nx_String buttonText;
  Nx_StringArray lines;
};

// Shows the report modally; the lines are also printed on the command line
// so that a headless run keeps them.
DCM_API void ExportStartDlgInfo(const DlgInfoData& data);
