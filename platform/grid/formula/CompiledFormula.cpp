#include "platform/grid/formula/CompiledFormula.h"

#include <algorithm>

#include <cstring>

#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/formula/FormulaPool.h"
#include "platform/grid/formula/FormulaReads.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {

CompiledFormula::CompiledFormula(std::span<const std::uint32_t> code, std::string_view text) {
  std::size_t total = 2 + code.size() + textWords(static_cast<std::uint32_t>(text.size()));
  words_.reset(formulapool::allocate(total));
  words_[total - 1] = 0;  // the text's last word is padded with zeros
  words_[0] = static_cast<std::uint32_t>(code.size());
  words_[1] = static_cast<std::uint32_t>(text.size());
  std::memcpy(words_.get() + 2, code.data(), code.size() * sizeof(std::uint32_t));
  std::memcpy(words_.get() + 2 + code.size(), text.data(), text.size());
}

void CompiledFormula::Release::operator()(std::uint32_t* words) const noexcept {
  formulapool::release(words, 2 + words[0] + textWords(words[1]));
}

std::span<const std::uint32_t> CompiledFormula::code() const {
  if (!words_) return {};
  return {words_.get() + 2, words_[0]};
}

std::string_view CompiledFormula::text() const {
  if (!words_) return {};
  return {reinterpret_cast<const char*>(words_.get() + 2 + words_[0]), words_[1]};
}

std::size_t CompiledFormula::bytes() const {
  if (!words_) return 0;
  return (2 + words_[0] + textWords(words_[1])) * sizeof(std::uint32_t);
}

std::size_t instructionLength(const std::uint32_t* code) {
  std::uint32_t w = code[0];
  switch (opOf(w)) {
    case Op::Number:
      return 3;
    case Op::Text:
      return 1 + textWords(operandOf(w));
    case Op::Ref:
      return 2;
    case Op::Area:
      return 4;
    case Op::CallCustom:
      return 2 + textWords(code[1]);
    case Op::JumpIfFalse:
    case Op::MakeArray:
      return 2;
    default:
      return 1;
  }
}

void CompiledFormula::references(std::vector<CellPos>& cells, std::vector<Area>& areas) const {
  namedReads(*this, cells, areas);
}

bool CompiledFormula::hasCustomCalls() const {
  auto c = code();
  for (std::size_t i = 0; i < c.size(); i += instructionLength(c.data() + i))
    if (opOf(c[i]) == Op::CallCustom) return true;
  return false;
}

std::vector<std::string> CompiledFormula::customCallNames() const {
  std::vector<std::string> names;
  auto c = code();
  for (std::size_t i = 0; i < c.size(); i += instructionLength(c.data() + i)) {
    if (opOf(c[i]) != Op::CallCustom) continue;
    std::string name(c[i + 1], '\0');
    std::memcpy(name.data(), c.data() + i + 2, name.size());
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

}  // namespace grid

namespace grid {

bool CompiledFormula::isVolatile() const {
  auto c = code();
  const FunctionTable& table = FunctionTable::instance();
  for (std::size_t i = 0; i < c.size(); i += instructionLength(c.data() + i)) {
    Op op = opOf(c[i]);
    if ((op == Op::Call || op == Op::CallArray) &&
        table.at(static_cast<int>(operandOf(c[i]) & 0xFFFF)).isVolatile)
      return true;
  }
  return false;
}

}  // namespace grid
