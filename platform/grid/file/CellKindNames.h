#pragma once
#include "platform/grid/CellFormat.h"

namespace grid {

// The names of the cell types in sheet files.
struct CellKindName {
  CellKind kind;
  const char* name;
};
inline constexpr CellKindName kCellKindNames[] = {
    {CellKind::General, "general"}, {CellKind::Edit, "edit"},
    {CellKind::Number, "number"},   {CellKind::StaticText, "static"},
    {CellKind::Button, "button"},   {CellKind::Picture, "picture"},
    {CellKind::ComboBox, "combo"},  {CellKind::PictureHandle, "pictureHandle"},
    {CellKind::CheckBox, "check"}};

}  // namespace grid
