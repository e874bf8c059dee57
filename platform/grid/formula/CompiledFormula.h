#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/CellAddress.h"
#include "platform/grid/grid_export.h"

namespace grid {

// A formula as one compact block: the postfix program followed by the
// formula's text (without "="). One block of the formula pool per formula
// cell.
class GRID_API CompiledFormula {
 public:
  CompiledFormula() = default;
  CompiledFormula(std::span<const std::uint32_t> code, std::string_view text);

  explicit operator bool() const { return words_ != nullptr; }
  std::span<const std::uint32_t> code() const;
  std::string_view text() const;

  // The cells and blocks the program reads, in program order.
  void references(std::vector<CellPos>& cells, std::vector<Area>& areas) const;
  bool hasCustomCalls() const;
  // Calls a function whose result may change without any cell it names
  // changing (TODAY, INDIRECT).
  bool isVolatile() const;
  // The upper-case names of the functions it calls that are no built-ins.
  std::vector<std::string> customCallNames() const;
  std::size_t bytes() const;

 private:
  struct Release {
    void operator()(std::uint32_t* words) const noexcept;
  };
  // [code words, text bytes, code..., text...]
  std::unique_ptr<std::uint32_t[], Release> words_;
};

// Walks a program one instruction at a time.
std::size_t instructionLength(const std::uint32_t* code);

}  // namespace grid
