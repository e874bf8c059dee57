#pragma once
// Result of model operations.
namespace Acad {
enum ErrorStatus : int {
  eOk = 0,
  eNotImplemented = 1,
  eNullObjectId = 2,
  eInvalidInput = 3,
  eKeyNotFound = 4,
  eWasOpenForRead = 5,
  eWasOpenForWrite = 6,
  eNotOpenForWrite = 7,
  eFileNotFound = 8,
  eOutOfMemory = 9,
  eNoSheetWindow = 337,  // the window holds no spreadsheet
};
}  // namespace Acad

// The status of a failed operation that has no more telling status of its own.
inline constexpr Acad::ErrorStatus kFail = Acad::eInvalidInput;
