#include "platform/grid/formula/Parser.h"

#include <bit>
#include <cstring>

#include "platform/grid/Limits.h"
#include "platform/grid/Value.h"
#include "platform/grid/formula/Bytecode.h"
#include "platform/grid/formula/Matrix.h"
#include "platform/grid/functions/Coercion.h"
#include "platform/grid/functions/FunctionTable.h"

namespace grid {
namespace {
Op binaryOp(OperatorKind k) {
  switch (k) {
    case OperatorKind::Add:
      return Op::Add;
    case OperatorKind::Sub:
      return Op::Sub;
    case OperatorKind::Mul:
      return Op::Mul;
    case OperatorKind::Div:
      return Op::Div;
    case OperatorKind::Pow:
      return Op::Pow;
    case OperatorKind::Concat:
      return Op::Concat;
    case OperatorKind::Eq:
      return Op::Eq;
    case OperatorKind::Ne:
      return Op::Ne;
    case OperatorKind::Lt:
      return Op::Lt;
    case OperatorKind::Le:
      return Op::Le;
    case OperatorKind::Gt:
      return Op::Gt;
    case OperatorKind::Ge:
      return Op::Ge;
    default:
      return Op::Add;
  }
}
}  // namespace

std::string_view formulaBody(std::string_view text) {
  std::size_t start = 0, end = text.size();
  while (start < end && (text[start] == ' ' || text[start] == '\t')) ++start;
  if (start < end && text[start] == '=') ++start;
  while (start < end && (text[start] == ' ' || text[start] == '\t')) ++start;
  while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r' ||
                         text[end - 1] == '\n'))
    --end;
  return text.substr(start, end - start);
}

bool FormulaParser::compile(std::string_view text, int hostCol, int hostRow, CompiledFormula& out,
                            CompileError* error) {
  std::string_view body = formulaBody(text);
  std::size_t start = static_cast<std::size_t>(body.data() - text.data());
  offset_ = 0;
  hostCol_ = hostCol;
  hostRow_ = hostRow;
  depth_ = 0;
  arrayContext_ = false;
  code_.clear();
  error_ = {};
  bool ok = false;
  if (body.empty()) {
    fail("the formula is empty", 0);
  } else if (body.size() > lengthLimit_) {
    fail("the formula is longer than " + std::to_string(lengthLimit_) + " characters", 0);
  } else {
    offset_ = start;
    Lexer lexer(body);
    lexer_ = &lexer;
    advance();
    ok = expression();
    if (ok && tok_.kind != TokenKind::End) {
      ok = tok_.kind == TokenKind::RParen ? fail("unbalanced \")\"") : fail("operator expected");
    }
    lexer_ = nullptr;
  }
  if (!ok) {
    if (error) *error = error_;
    return false;
  }
  out = CompiledFormula(code_, body);
  return true;
}

bool FormulaParser::fail(std::string message, std::size_t position) {
  if (error_.message.empty()) {
    if (tok_.kind == TokenKind::Invalid && lexer_ && !lexer_->message().empty())
      message = lexer_->message();
    error_.message = std::move(message);
    error_.position = position + offset_;
  }
  return false;
}

bool FormulaParser::enter() {
  if (++depth_ > kMaxNesting)
    return fail("the formula nests deeper than " + std::to_string(kMaxNesting) + " levels");
  return true;
}

bool FormulaParser::expression() {
  if (!enter()) return false;
  bool ok = binary(1);
  --depth_;
  return ok;
}

// Binding strength of the binary operators, loosest first: comparisons,
// "&", "+ -", "* /", "^". Equal strength groups left to right (2^3^2 is 64);
// a sign binds tighter than "^" (-2^2 is 4), as in desktop spreadsheets.
int FormulaParser::precedence(const Token& t) {
  if (t.kind != TokenKind::Operator) return 0;
  switch (t.op) {
    case OperatorKind::Eq:
    case OperatorKind::Ne:
    case OperatorKind::Lt:
    case OperatorKind::Le:
    case OperatorKind::Gt:
    case OperatorKind::Ge:
      return 1;
    case OperatorKind::Concat:
      return 2;
    case OperatorKind::Add:
    case OperatorKind::Sub:
      return 3;
    case OperatorKind::Mul:
    case OperatorKind::Div:
      return 4;
    case OperatorKind::Pow:
      return 5;
    default:
      return 0;
  }
}

bool FormulaParser::binary(int minPrecedence) {
  if (!unary()) return false;
  for (;;) {
    int p = precedence(tok_);
    if (p == 0 || p < minPrecedence) return true;
    Op op = binaryOp(tok_.op);
    advance();
    if (!binary(p + 1)) return false;
    emit(word(op, arrayContext_ ? kArrayMode : 0));
  }
}

bool FormulaParser::unary() {
  if (tok_.kind == TokenKind::Operator &&
      (tok_.op == OperatorKind::Sub || tok_.op == OperatorKind::Add)) {
    Op op = tok_.op == OperatorKind::Sub ? Op::Neg : Op::Plus;
    if (!enter()) return false;
    advance();
    bool ok = unary();
    --depth_;
    if (!ok) return false;
    emit(word(op, arrayContext_ ? kArrayMode : 0));
    return true;
  }
  return postfix();
}

bool FormulaParser::postfix() {
  if (!primary()) return false;
  while (tok_.kind == TokenKind::Operator && tok_.op == OperatorKind::Percent) {
    advance();
    emit(word(Op::Percent, arrayContext_ ? kArrayMode : 0));
  }
  return true;
}

void FormulaParser::emitText(std::string_view text) {
  std::size_t at = code_.size();
  code_.resize(at + textWords(static_cast<std::uint32_t>(text.size())), 0);
  if (!text.empty()) std::memcpy(code_.data() + at, text.data(), text.size());
}

bool FormulaParser::resolve(const RefToken& r, int& col, int& row) const {
  col = r.col.absolute || !r.r1c1 ? r.col.value : hostCol_ + r.col.value;
  row = r.row.absolute || !r.r1c1 ? r.row.value : hostRow_ + r.row.value;
  return col >= 1 && col <= kMaxColumns && row >= 1 && row <= kMaxRows;
}

bool FormulaParser::reference() {
  RefToken first = tok_.ref;
  int c1 = 0, r1 = 0;
  bool valid = resolve(first, c1, r1);
  advance();
  if (tok_.kind != TokenKind::Colon) {
    if (first.line != RefLine::None) return fail("\":\" must follow a whole column or row");
    if (!valid)
      emit(word(Op::Error, static_cast<std::uint32_t>(ErrorCode::Ref)));
    else
      emit(word(Op::Ref, static_cast<std::uint32_t>(c1))), emit(static_cast<std::uint32_t>(r1));
    return true;
  }
  advance();
  if (tok_.kind != TokenKind::Ref) return fail("a cell reference must follow \":\"");
  if (tok_.ref.line != first.line)
    return fail(first.line == RefLine::Column ? "a column must follow \":\""
                : first.line == RefLine::Row  ? "a row must follow \":\""
                                              : "a cell reference must follow \":\"");
  int c2 = 0, r2 = 0;
  valid = resolve(tok_.ref, c2, r2) && valid;
  advance();
  if (!valid) {
    emit(word(Op::Error, static_cast<std::uint32_t>(ErrorCode::Ref)));
    return true;
  }
  // Whole columns run over every row, whole rows over every column.
  if (first.line == RefLine::Column) r1 = 1, r2 = kMaxRows;
  if (first.line == RefLine::Row) c1 = 1, c2 = kMaxColumns;
  emit(word(Op::Area, static_cast<std::uint32_t>(std::min(c1, c2))));
  emit(static_cast<std::uint32_t>(std::min(r1, r2)));
  emit(static_cast<std::uint32_t>(std::max(c1, c2)));
  emit(static_cast<std::uint32_t>(std::max(r1, r2)));
  return true;
}

// One constant of an array: a number (with a sign), text, a truth value or
// an error.
bool FormulaParser::arrayElement() {
  bool negative = false;
  while (tok_.kind == TokenKind::Operator &&
         (tok_.op == OperatorKind::Sub || tok_.op == OperatorKind::Add)) {
    negative ^= tok_.op == OperatorKind::Sub;
    advance();
  }
  switch (tok_.kind) {
    case TokenKind::Number: {
      std::uint64_t bits = std::bit_cast<std::uint64_t>(negative ? -tok_.number : tok_.number);
      emit(word(Op::Number));
      emit(static_cast<std::uint32_t>(bits));
      emit(static_cast<std::uint32_t>(bits >> 32));
      advance();
      return true;
    }
    case TokenKind::String:
    case TokenKind::ErrorLit:
      if (negative) break;
      return primary();
    case TokenKind::Name: {
      std::string_view name = tok_.text(lexer_->source());
      if (negative || !(equalNoCase(name, "TRUE") || equalNoCase(name, "FALSE"))) break;
      emit(word(Op::Bool, equalNoCase(name, "TRUE") ? 1 : 0));
      advance();
      return true;
    }
    default:
      break;
  }
  return fail("an array constant holds numbers, text, TRUE, FALSE or errors only");
}

// {1,2;3,4}: "," between columns, ";" between rows.
bool FormulaParser::arrayConstant() {
  std::size_t open = tok_.pos;
  advance();
  std::uint32_t rows = 1, cols = 0, inRow = 0;
  for (;;) {
    if (!arrayElement()) return false;
    ++inRow;
    if (tok_.kind == TokenKind::Separator) {
      bool rowEnd = lexer_->source()[tok_.pos] == ';';
      if (rowEnd) {
        if (rows == 1) cols = inRow;
        if (inRow != cols) return fail("the rows of an array constant differ in length");
        ++rows, inRow = 0;
      }
      advance();
      continue;
    }
    if (tok_.kind != TokenKind::RBrace)
      return fail("\"}\" expected to close \"{\" at " + std::to_string(open + offset_ + 1));
    if (rows == 1) cols = inRow;
    if (inRow != cols) return fail("the rows of an array constant differ in length");
    advance();
    break;
  }
  if (static_cast<std::size_t>(rows) * cols > kMaxArrayCells || cols > kMaxOperand)
    return fail("the array constant is too large", open);
  emit(word(Op::MakeArray, cols));
  emit(rows);
  return true;
}

bool FormulaParser::primary() {
  switch (tok_.kind) {
    case TokenKind::Number: {
      std::uint64_t bits = std::bit_cast<std::uint64_t>(tok_.number);
      emit(word(Op::Number));
      emit(static_cast<std::uint32_t>(bits));
      emit(static_cast<std::uint32_t>(bits >> 32));
      advance();
      return true;
    }
    case TokenKind::String: {
      scratch_ = unquote(tok_.text(lexer_->source()));
      emit(word(Op::Text, static_cast<std::uint32_t>(scratch_.size())));
      emitText(scratch_);
      advance();
      return true;
    }
    case TokenKind::ErrorLit:
      emit(word(Op::Error, tok_.error));
      advance();
      return true;
    case TokenKind::Ref:
      return reference();
    case TokenKind::LBrace:
      return arrayConstant();
    case TokenKind::Name: {
      std::string_view name = tok_.text(lexer_->source());
      std::size_t namePos = tok_.pos;
      advance();
      if (tok_.kind == TokenKind::LParen) return call(name, namePos);
      if (name.size() == 4 && (name[0] | 32) == 't' && (name[1] | 32) == 'r' &&
          (name[2] | 32) == 'u' && (name[3] | 32) == 'e') {
        emit(word(Op::Bool, 1));
      } else if (name.size() == 5 && (name[0] | 32) == 'f' && (name[1] | 32) == 'a' &&
                 (name[2] | 32) == 'l' && (name[3] | 32) == 's' && (name[4] | 32) == 'e') {
        emit(word(Op::Bool, 0));
      } else {
        // An unknown name is no syntax fault; it evaluates to #NAME?.
        emit(word(Op::Error, static_cast<std::uint32_t>(ErrorCode::Name)));
      }
      return true;
    }
    case TokenKind::LParen: {
      std::size_t open = tok_.pos;
      advance();
      if (!expression()) return false;
      if (tok_.kind != TokenKind::RParen)
        return fail("\")\" expected to close \"(\" at " + std::to_string(open + offset_ + 1));
      advance();
      return true;
    }
    case TokenKind::End:
      return fail("the formula ends where a value is expected");
    case TokenKind::Invalid:
      return fail("invalid text");
    default:
      return fail("a value is expected");
  }
}

bool FormulaParser::argument() {
  if (tok_.kind == TokenKind::Separator || tok_.kind == TokenKind::RParen) {
    emit(word(Op::Missing));
    return true;
  }
  return expression();
}

bool FormulaParser::call(std::string_view name, std::size_t namePos) {
  if (!enter()) return false;
  char upper[64];
  bool builtin = name.size() < sizeof upper;
  int id = -1;
  if (builtin) {
    for (std::size_t i = 0; i < name.size(); ++i)
      upper[i] = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 32) : name[i];
    id = FunctionTable::instance().find(std::string_view(upper, name.size()));
  }
  const FunctionTable& table = FunctionTable::instance();
  bool ok;
  if (id >= 0 && id == table.ifId() && !arrayContext_) {
    ok = callIf(namePos);
  } else if (id >= 0 && id == table.ifErrorId() && !arrayContext_) {
    ok = callIfError(namePos);
  } else {
    advance();  // "("
    int argc = 0;
    ok = true;
    if (tok_.kind == TokenKind::RParen) {
      advance();
    } else {
      for (;;) {
        if (++argc > kMaxArguments) {
          ok = fail("more than " + std::to_string(kMaxArguments) + " arguments");
          break;
        }
        bool outer = arrayContext_;
        if (id >= 0 && table.at(id).arrayArgument(static_cast<std::size_t>(argc - 1)))
          arrayContext_ = true;
        bool argOk = argument();
        arrayContext_ = outer;
        if (!argOk) {
          ok = false;
          break;
        }
        if (tok_.kind == TokenKind::Separator) {
          advance();
          continue;
        }
        if (tok_.kind == TokenKind::RParen) {
          advance();
          break;
        }
        ok = fail("\",\" or \")\" expected in the arguments of " + std::string(name));
        break;
      }
    }
    if (ok && id >= 0) {
      const FunctionInfo& f = table.at(id);
      if (argc < f.minArgs || argc > f.maxArgs) {
        std::string want = f.minArgs == f.maxArgs ? std::to_string(f.minArgs)
                           : f.maxArgs == kVariadic
                               ? "at least " + std::to_string(f.minArgs)
                               : std::to_string(f.minArgs) + " to " + std::to_string(f.maxArgs);
        ok = fail(std::string(f.name) + " takes " + want + " argument" +
                      (f.maxArgs == 1 && f.minArgs == 1 ? "" : "s") + ", not " +
                      std::to_string(argc),
                  namePos);
      } else {
        emit(word(arrayContext_ ? Op::CallArray : Op::Call,
                  static_cast<std::uint32_t>(id) | static_cast<std::uint32_t>(argc) << 16));
      }
    } else if (ok) {
      emit(word(Op::CallCustom, static_cast<std::uint32_t>(argc)));
      emit(static_cast<std::uint32_t>(name.size()));
      std::string upperName(name);
      for (char& c : upperName)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
      emitText(upperName);
    }
  }
  --depth_;
  return ok;
}

// IF(condition, then, else) runs only the branch it takes.
bool FormulaParser::callIf(std::size_t namePos) {
  advance();  // "("
  if (!argument()) return false;
  if (tok_.kind != TokenKind::Separator) return fail("IF takes 2 to 3 arguments", namePos);
  advance();
  std::size_t jumpIfFalse = code_.size();
  emit(word(Op::JumpIfFalse));
  emit(0);
  if (!argument()) return false;
  std::size_t jump = code_.size();
  emit(word(Op::Jump));
  code_[jumpIfFalse] = word(Op::JumpIfFalse, static_cast<std::uint32_t>(code_.size()));
  if (tok_.kind == TokenKind::Separator) {
    advance();
    if (!argument()) return false;
  } else {
    emit(word(Op::Bool, 0));
  }
  if (tok_.kind == TokenKind::Separator) return fail("IF takes 2 to 3 arguments", namePos);
  if (tok_.kind != TokenKind::RParen) return fail("\",\" or \")\" expected in the arguments of IF");
  advance();
  if (code_.size() > kMaxOperand) return fail("the formula is too large", 0);
  code_[jump] = word(Op::Jump, static_cast<std::uint32_t>(code_.size()));
  code_[jumpIfFalse + 1] = static_cast<std::uint32_t>(code_.size());
  return true;
}

bool FormulaParser::callIfError(std::size_t namePos) {
  advance();  // "("
  if (!argument()) return false;
  if (tok_.kind != TokenKind::Separator) return fail("IFERROR takes 2 arguments", namePos);
  advance();
  std::size_t jump = code_.size();
  emit(word(Op::JumpIfNotError));
  if (!argument()) return false;
  if (tok_.kind != TokenKind::RParen) {
    return tok_.kind == TokenKind::Separator
               ? fail("IFERROR takes 2 arguments", namePos)
               : fail("\",\" or \")\" expected in the arguments of IFERROR");
  }
  advance();
  if (code_.size() > kMaxOperand) return fail("the formula is too large", 0);
  code_[jump] = word(Op::JumpIfNotError, static_cast<std::uint32_t>(code_.size()));
  return true;
}

CompiledFormula unreadableFormula(std::string_view text) {
  const std::uint32_t code[] = {word(Op::Error, static_cast<std::uint32_t>(ErrorCode::Name))};
  return CompiledFormula(code, text);
}

bool isUnreadable(const CompiledFormula& formula) {
  auto code = formula.code();
  return code.size() == 1 && opOf(code[0]) == Op::Error &&
         operandOf(code[0]) == static_cast<std::uint32_t>(ErrorCode::Name);
}

}  // namespace grid
