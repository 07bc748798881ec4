#pragma once
// Typed formulas in two variables: a text is checked and compiled once into a short postfix
// code, which then runs for every sample of a channel (or once, in the calculator) without
// touching the text again. Compiling never throws: a bad text gives the first error, its
// message and where the scan stopped.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv::expr {

constexpr int kMaxCodeWords = 100;
constexpr int kMaxConstants = 20;
// The expression field holds at most this many characters.
constexpr int kMaxTextChars = 255;

// Opcodes of the code words; kConstant is followed by the constant's slot (1..20).
enum Op : int16_t {
  kAdd = 1, kSubtract, kMultiply, kDivide, kPower, kPushX, kPushY, kNegate, kExp, kLn, kLog10,
  kSquare, kSqrt, kSin, kCos, kTan, kAtan, kAbs, kInt, kPushPi, kConstant
};

// A compiled expression. Only compile() makes one with code in it, so every code word is a
// known opcode and the stack never needs more places than there are words.
class Code {
 public:
  int count() const { return words_[0]; }
  int16_t word(int i) const { return words_[size_t(i)]; }
  double constant(int slot) const { return constants_[size_t(slot)]; }
  int constantCount() const { return nConstants_; }
  bool usesX() const { return usesX_; }
  bool usesY() const { return usesY_; }

 private:
  friend class Compiler;
  std::array<int16_t, kMaxCodeWords + 1> words_{};     // word 0 = the count
  std::array<double, kMaxConstants + 1> constants_{};  // slots 1..20
  int nConstants_ = 0;
  bool usesX_ = false, usesY_ = false;
};

struct Compiled {
  bool ok = false;
  Code code;            // partial when !ok
  std::string message;  // the first error; empty when ok
  int offset = 0;       // where the scan stopped, in characters from 0 (the insertion point)
};

// Compiles `text` (UTF-8) with the two variable names (an empty name adds no variable).
// Names and functions are recognised in any mix of capitals and small letters.
Compiled compile(std::string_view text, std::string_view name1 = "x", std::string_view name2 = "y");

// Runs the code with the values x and y. Division by zero, logarithms of negative numbers and
// the like give infinities or NaN, as IEEE arithmetic does. An empty code gives NaN.
double evaluate(const Code& code, double x, double y);

// out[i] := the code run with xs[i] and ys[i] (y = 0 when ys is empty), rounded to float.
// A case where a variable the code reads is a gap (NaN) stays a gap; so does a case where x is a
// gap when the code reads no variable at all. out may be xs or ys itself: each case is
// read before it is written. The spans must have the same length (ys may be empty).
// Counts the cases whose result is not a finite float although no input was a gap.
struct NonFinite {
  size_t count = 0;
  size_t first = 0;  // index of the first such case (when count > 0)
};
NonFinite evaluateSpan(const Code& code, std::span<const float> xs, std::span<const float> ys, std::span<float> out);

// The names the compiler knows, as its scanner tries them (longest first; equal lengths in the
// order they were added). Entry types: 1 additive, 2 multiplicative, 3 power, 4 "(", 5 ")",
// 6 operand, 7 function.
struct Symbol {
  std::u32string name;  // capitals
  int16_t type = 0;
  int16_t code = 0;
};
constexpr int kMaxSymbols = 100;
class SymbolTable {
 public:
  enum class Added { Ok, Full, EmptyName, Duplicate };
  // The fixed table of functions, operators and constants (22 entries).
  static SymbolTable fixed();
  Added add(std::u32string_view name, int16_t type, int16_t code);
  int size() const { return n_; }
  const Symbol& entry(int k) const { return entries_[size_t(k - 1)]; }  // k = 1..size()

 private:
  std::array<Symbol, kMaxSymbols> entries_{};
  int n_ = 0;
};

}  // namespace qv::expr
