#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid/Limits.h"
#include "platform/grid/formula/CompiledFormula.h"
#include "platform/grid/formula/Lexer.h"
#include "platform/grid/grid_export.h"

namespace grid {

struct CompileError {
  std::size_t position = 0;  // 0-based offset in the text as given
  std::string message;

  std::string describe() const {
    return message + " (at character " + std::to_string(position + 1) + " of the formula)";
  }
};

// Turns formula text into its compiled form in one pass (precedence
// climbing straight to postfix). The text may start with "="; blanks around
// it are dropped. References are resolved against the formula's own cell.
class GRID_API FormulaParser {
 public:
  bool compile(std::string_view text, int hostCol, int hostRow, CompiledFormula& out,
               CompileError* error = nullptr);
  // Formulas rewritten by edits of the sheet may outgrow what a user may type.
  void setLengthLimit(std::size_t limit) { lengthLimit_ = limit; }

 private:
  bool fail(std::string message, std::size_t position);
  bool fail(std::string message) { return fail(std::move(message), tok_.pos); }
  void advance() { tok_ = lexer_->next(); }
  bool enter();
  bool expression();
  static int precedence(const Token& t);
  bool binary(int minPrecedence);
  bool unary();
  bool postfix();
  bool primary();
  bool reference();
  bool arrayConstant();
  bool arrayElement();
  bool call(std::string_view name, std::size_t namePos);
  bool argument();
  bool callIf(std::size_t namePos);
  bool callIfError(std::size_t namePos);
  void emit(std::uint32_t w) { code_.push_back(w); }
  void emitText(std::string_view text);
  bool resolve(const RefToken& r, int& col, int& row) const;

  Lexer* lexer_ = nullptr;
  Token tok_;
  std::vector<std::uint32_t> code_;
  std::string scratch_;
  int depth_ = 0;
  bool arrayContext_ = false;  // inside an argument that takes arrays
  int hostCol_ = 0, hostRow_ = 0;
  std::size_t offset_ = 0;  // of the trimmed text in the text as given
  CompileError error_;
  std::size_t lengthLimit_ = kMaxFormulaLength;
};

// The text a formula compiles: without blanks around it and its leading "=".
GRID_API std::string_view formulaBody(std::string_view text);

// A formula kept as written although it does not compile (a form this engine
// does not know, such as a reference to another sheet): it computes #NAME?
// and is saved back unchanged. The text is kept verbatim, so that reading it
// again fails the same way.
GRID_API CompiledFormula unreadableFormula(std::string_view text);
// Whether a formula is such a kept text (or the literal #NAME?).
GRID_API bool isUnreadable(const CompiledFormula& formula);

}  // namespace grid
