// The expression compiler: a lexer over the characters of the text and a recursive-descent
// parser that appends postfix code as it goes. Only the first error counts: once one is
// reported every routine returns at once and the lexer reads nothing further.
#include <string>

#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "transforms/expression.h"

namespace qv::expr {

namespace {

// Lexeme types.
enum Lexeme : int { kEnd = 0, kAdditive, kMultiplicative, kPowerOp, kOpen, kClose, kOperand, kFunction, kNumber };

constexpr char32_t kPiSign = U'\u03C0';

char32_t capital(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }

std::u32string capitals(std::string_view utf8) {
  std::u32string s;
  rt::forEachCodePoint(utf8, [&](char32_t c) { s += capital(c); });
  return s;
}

// A well-formed number: blanks, a sign, digits with an optional point (or a point and
// digits), an optional exponent with its sign and digits, blanks.
bool isNumeric(std::string_view s) {
  size_t i = 0;
  const auto digits = [&] {
    const size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i - start;
  };
  while (i < s.size() && s[i] == ' ') ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const size_t whole = digits();
  size_t fraction = 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    fraction = digits();
  }
  if (whole == 0 && fraction == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  while (i < s.size() && s[i] == ' ') ++i;
  return i == s.size();
}

}  // namespace

SymbolTable::Added SymbolTable::add(std::u32string_view name, int16_t type, int16_t code) {
  if (n_ >= kMaxSymbols) return Added::Full;
  if (name.empty()) return Added::EmptyName;
  std::u32string upper;
  for (char32_t c : name) upper += capital(c);
  for (int k = 0; k < n_; ++k)
    if (entries_[size_t(k)].name == upper) return Added::Duplicate;
  // Longest first; a new name goes after the names of its own length.
  int at = n_;
  while (at > 0 && entries_[size_t(at - 1)].name.size() < upper.size()) --at;
  for (int k = n_; k > at; --k) entries_[size_t(k)] = entries_[size_t(k - 1)];
  entries_[size_t(at)] = Symbol{upper, type, code};
  ++n_;
  return Added::Ok;
}

SymbolTable SymbolTable::fixed() {
  static const SymbolTable table = [] {
    SymbolTable t;
    const struct {
      std::u32string_view name;
      int16_t type, code;
    } entries[] = {
        {U"LOG10", kFunction, kLog10}, {U"ATAN", kFunction, kAtan},     {U"SQRT", kFunction, kSqrt},
        {U"EXP", kFunction, kExp},      {U"LOG", kFunction, kLn},        {U"SIN", kFunction, kSin},
        {U"COS", kFunction, kCos},      {U"TAN", kFunction, kTan},       {U"ATN", kFunction, kAtan},
        {U"SQR", kFunction, kSquare},   {U"ABS", kFunction, kAbs},       {U"INT", kFunction, kInt},
        {U"LN", kFunction, kLn},        {U"PI", kOperand, kPushPi},      {U"+", kAdditive, kAdd},
        {U"-", kAdditive, kSubtract},   {U"*", kMultiplicative, kMultiply}, {U"/", kMultiplicative, kDivide},
        {U"^", kPowerOp, kPower},       {std::u32string_view(&kPiSign, 1), kOperand, kPushPi},
        {U"(", kOpen, 0},               {U")", kClose, 0},
    };
    for (const auto& e : entries) t.add(e.name, e.type, e.code);
    return t;
  }();
  return table;
}

class Compiler {
 public:
  Compiler(std::string_view text, std::string_view name1, std::string_view name2)
      : text_(capitals(text)), len_(int(text_.size())), symbols_(SymbolTable::fixed()) {
    for (const auto& [name, code] : {std::pair{name1, kPushX}, std::pair{name2, kPushY}}) {
      if (name.empty()) continue;
      if (symbols_.add(capitals(name), kOperand, code) != SymbolTable::Added::Ok)
        error("Variable names are not usable");
    }
  }

  Compiled run() {
    if (len_ > kMaxTextChars) {
      pos_ = kMaxTextChars + 1;
      error("Expression too long");
    }
    if (failed_) return std::move(out_);
    int t = getLexeme();
    if (t == kEnd) {
      error("Missing expression");
    } else {
      t = expression(t);
      if (!skipBlanks()) error("Unterminated comment");
    }
    if (!failed_) {
      if (t != kEnd) error("Syntax error");
      else if (pos_ != len_ + 1) error("End of expression expected");
    }
    out_.ok = !failed_;
    return std::move(out_);
  }

 private:
  char32_t at(int p) const { return text_[size_t(p - 1)]; }

  void error(const char* message) {
    if (failed_) return;
    failed_ = true;
    out_.message = message;
    out_.offset = pos_ - 1;
  }

  void append(int16_t word) {
    Code& c = out_.code;
    if (c.words_[0] >= kMaxCodeWords) return error("Expression too long");
    c.words_[size_t(++c.words_[0])] = word;
    if (word == kPushX) c.usesX_ = true;
    if (word == kPushY) c.usesY_ = true;
  }

  // Skips blanks, control characters and `comments`; false when the text ends in a comment.
  bool skipBlanks() {
    bool comment = false;
    for (; pos_ <= len_; ++pos_) {
      const char32_t c = at(pos_);
      if (c == U'`') comment = !comment;
      else if (c >= 33 && !comment) break;
    }
    return !comment;
  }

  bool matches(std::u32string_view s) const {
    if (s.empty() || int(s.size()) > len_ + 1 - pos_) return false;
    return text_.compare(size_t(pos_ - 1), s.size(), s) == 0;
  }

  int getLexeme() {
    if (failed_) return kEnd;
    if (!skipBlanks()) error("Unterminated comment");
    for (int k = 1; k <= symbols_.size(); ++k) {
      const Symbol& s = symbols_.entry(k);
      if (!matches(s.name)) continue;
      code_ = s.code;
      pos_ += int(s.name.size());
      return s.type;
    }
    if (pos_ <= len_ && ((at(pos_) >= U'0' && at(pos_) <= U'9') || at(pos_) == U'.')) {
      const double value = parseNumber();
      Code& c = out_.code;
      for (int slot = 1; slot <= c.nConstants_; ++slot)
        if (c.constants_[size_t(slot)] == value) {
          code_ = slot;
          return kNumber;
        }
      if (c.nConstants_ < kMaxConstants) {
        c.constants_[size_t(++c.nConstants_)] = value;
        code_ = c.nConstants_;
      } else {
        error("Too many constants");
        code_ = 1;
      }
      return kNumber;
    }
    // A stray last character ends the scan as the end of the text would.
    if (pos_ < len_) error("Name or symbol not recognisable");
    return kEnd;
  }

  double parseNumber() {
    static constexpr std::u32string_view kContent[] = {U"0", U"1", U"2", U"3", U"4", U"5", U"6", U"7",
                                                       U"8", U"9", U".", U"E-", U"E+", U"E"};
    // The whole number is kept: cut short, a long run of digits would read as another value.
    std::string collected;
    for (bool more = true; more;) {
      more = false;
      for (std::u32string_view s : kContent)
        if (matches(s)) {
          for (char32_t c : s) collected += char(c);
          pos_ += int(s.size());
          more = true;
          break;
        }
    }
    if (!isNumeric(collected)) {
      error("Bad number format");
      return 0;
    }
    return rt::PSval(collected);
  }

  // operand { operator operand }, grouped from the left: each operator's code follows the
  // operand after it ("^" has the one code 5).
  int chain(int t, int operatorType, int (Compiler::*operand)(int)) {
    if (failed_) return t;
    t = (this->*operand)(t);
    while (t == operatorType && !failed_) {
      const auto op = int16_t(code_);
      t = (this->*operand)(getLexeme());
      append(op);
    }
    return t;
  }
  int expression(int t) { return chain(t, kAdditive, &Compiler::term); }
  int term(int t) { return chain(t, kMultiplicative, &Compiler::powerTerm); }
  int powerTerm(int t) { return chain(t, kPowerOp, &Compiler::factor); }

  int factor(int t) {
    if (failed_) return t;
    switch (t) {
      case kAdditive: {
        const bool minus = code_ == kSubtract;
        t = factor(getLexeme());
        if (minus) append(kNegate);
        return t;
      }
      case kOpen:
        t = expression(getLexeme());
        if (t != kClose) {
          error("Expecting right parenthesis");
          return t;
        }
        return getLexeme();
      case kOperand:
        append(int16_t(code_));
        return getLexeme();
      case kFunction: {
        const auto function = int16_t(code_);
        if (getLexeme() != kOpen) {
          error("Expecting left parenthesis");
          return t;
        }
        t = expression(getLexeme());
        if (t != kClose) {
          error("Expecting right parenthesis");
          return t;
        }
        t = getLexeme();
        append(function);
        return t;
      }
      case kNumber: {
        const auto slot = int16_t(code_);
        append(kConstant);
        append(slot);
        return getLexeme();
      }
      default:
        error("Syntax error");
        return t;
    }
  }

  std::u32string text_;
  int len_ = 0;
  int pos_ = 1;   // 1-based position of the next character; len_ + 1 at the end
  int code_ = 0;  // code of the lexeme read last
  bool failed_ = false;
  SymbolTable symbols_;
  Compiled out_;
};

Compiled compile(std::string_view text, std::string_view name1, std::string_view name2) {
  return Compiler(text, name1, name2).run();
}

}  // namespace qv::expr
