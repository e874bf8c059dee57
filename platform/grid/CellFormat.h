#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/grid/grid_export.h"

namespace grid {

inline constexpr std::uint32_t kDefaultColor = 0xFFFFFFFF;  // the sheet's own colour

// Cell-type codes as getCellType reports them.
enum class CellKind : std::uint8_t {
  General = 0,  // no type set: text that reads as a number is a number
  Edit = 1,
  Number = 2,
  StaticText = 5,
  Button = 7,
  Picture = 8,
  ComboBox = 9,
  PictureHandle = 10,
  CheckBox = 12,
};

// A cell type with its parameters; only those of its kind are used.
struct GRID_API CellType {
  CellKind kind = CellKind::General;
  std::uint32_t style = 0;
  int maxLength = 0;  // Edit: 0 for no limit
  int decimals = 0;   // Number
  double minimum = -99999999999999.0;
  double maximum = 99999999999999.0;
  bool separator = false;  // Number: thousands grouped in the display
  bool editable = false;   // ComboBox
  std::string text;  // Button caption, CheckBox text, Picture file, ComboBox items (tab separated)
  std::uint64_t handle = 0;   // PictureHandle picture; CheckBox picture when checked
  std::uint64_t handle2 = 0;  // CheckBox picture when unchecked

  bool holdsText() const {
    return kind == CellKind::Edit || kind == CellKind::StaticText || kind == CellKind::Button ||
           kind == CellKind::Picture || kind == CellKind::ComboBox ||
           kind == CellKind::PictureHandle;
  }
  std::vector<std::string> comboItems() const;
  friend bool operator==(const CellType&, const CellType&) = default;
};

struct Border {
  std::uint32_t type = 0;  // sides, as a bit mask
  std::uint32_t style = 0;
  std::uint32_t color = kDefaultColor;
  friend bool operator==(const Border&, const Border&) = default;
};

// A font; an empty face means the sheet's default font.
struct GRID_API Font {
  std::string face;
  int height = 0;  // pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// Everything about a cell besides its contents. Cells share equal formats
// through the sheet's format table.
struct GRID_API CellFormat {
  CellType type;
  bool locked = false;
  std::uint32_t background = kDefaultColor;
  std::uint32_t foreground = kDefaultColor;
  Border border;
  Font font;
  friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

struct CellFormatHash {
  std::size_t operator()(const CellFormat& f) const;
};

// Interns formats: index 0 is the default format, equal formats share an index.
class GRID_API FormatTable {
 public:
  FormatTable();
  const CellFormat& at(std::uint32_t index) const {
    return index < formats_.size() ? formats_[index] : formats_[0];
  }
  std::uint32_t intern(const CellFormat& format);
  // The index of the format at `from` with its type set to `type`. A sheet
  // types the same cells the same way on every run: the last answers are
  // kept, so that most cost a comparison instead of a copy and a look-up.
  std::uint32_t retype(std::uint32_t from, const CellType& type);
  std::size_t size() const { return formats_.size(); }
  void clear();
  // Keeps only the formats in use; remap[old] gives each one's new index.
  void compact(const std::vector<bool>& used, std::vector<std::uint32_t>& remap);

 private:
  struct Retyped {
    std::uint32_t from = 0, to = 0;
    CellType type;
  };
  std::vector<CellFormat> formats_;
  std::unordered_map<CellFormat, std::uint32_t, CellFormatHash> index_;
  std::vector<Retyped> retyped_;  // newest last
};

}  // namespace grid
