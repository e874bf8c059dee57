#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/grid/formula/EvalContext.h"
#include "platform/grid/grid_export.h"

namespace grid {

enum class RecordStatus : std::uint8_t { Valid = 0, Empty = 2 };
enum class RecordType : std::uint8_t { Integer = 0, Double = 1, Text = 2, CellRef = 3, Range = 4 };

// A value handed to or returned by a custom function. Text is held by value.
struct GRID_API ValueRecord {
  RecordStatus status = RecordStatus::Empty;
  RecordType type = RecordType::Integer;
  long long integer = 0;
  double number = 0;
  std::string text;
  int col = 0, row = 0, col2 = 0, row2 = 0;  // CellRef: col, row; Range: both corners

  static ValueRecord makeInteger(long long v);
  static ValueRecord makeDouble(double v);
  static ValueRecord makeText(std::string v);
  static ValueRecord makeCellRef(int col, int row);
  static ValueRecord makeRange(int col1, int row1, int col2, int row2);
  bool isEmpty() const { return status == RecordStatus::Empty; }
};

// Fills result from the arguments; false makes the formula's value #VALUE!.
using CustomFunctionCallback =
    std::function<bool(ValueRecord& result, std::span<const ValueRecord> args)>;

// With this flag a plain cell reference argument arrives as a CellRef
// record (and a block as a Range); without it arguments are evaluated first.
inline constexpr unsigned kCustomFunctionRefArgs = 1;

struct CustomFunction {
  std::string name;  // upper case
  int minArgs = 0;
  int maxArgs = 0;
  CustomFunctionCallback callback;
  unsigned flags = 0;
};

// The functions registered on one sheet.
class GRID_API CustomFunctions : public CustomCaller {
 public:
  // False for a name that is no function name, that of a built-in
  // function, a bad argument range or an empty callback. A new
  // registration of a name replaces the old one.
  bool add(std::string_view name, int minArgs, int maxArgs, CustomFunctionCallback callback,
           unsigned flags);
  bool remove(std::string_view name);
  void clear() { functions_.clear(); }
  std::size_t size() const { return functions_.size(); }
  Operand callCustom(std::string_view name, std::span<const Operand> args,
                     const EvalContext& context) override;

 private:
  std::unordered_map<std::string, std::shared_ptr<const CustomFunction>> functions_;
};

}  // namespace grid
