// Running compiled expressions. The stack has a place for every possible code word, so no
// code the compiler accepts can overflow it, however deeply it nests.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "transforms/expression.h"

namespace qv::expr {

namespace {

double unary(int16_t op, double v) {
  switch (op) {
    case kNegate: return -v;
    case kExp: return std::exp(v);
    case kLn: return std::log(v);
    case kLog10: return std::log10(v);
    case kSquare: return v * v;
    case kSqrt: return std::sqrt(v);
    case kSin: return std::sin(v);
    case kCos: return std::cos(v);
    case kTan: return std::tan(v);
    case kAtan: return std::atan(v);
    case kAbs: return std::fabs(v);
    case kInt: return std::trunc(v);
    default: return v;
  }
}

double binary(int16_t op, double a, double b) {
  switch (op) {
    case kAdd: return a + b;
    case kSubtract: return a - b;
    case kMultiply: return a * b;
    case kDivide: return a / b;
    default: return std::pow(a, b);
  }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Cases run together through each code word, so the dispatch is paid once per word and block
// rather than once per word and case.
constexpr size_t kBlock = 64;

template <class Op>
void eachCase(double* v, size_t m, Op op) {
  for (size_t i = 0; i < m; ++i) v[i] = op(v[i]);
}

}  // namespace

double evaluate(const Code& code, double x, double y) {
  const int n = code.count();
  if (n == 0) return kNaN;
  double stack[kMaxCodeWords];
  int top = -1;
  for (int w = 1; w <= n; ++w) {
    const int16_t op = code.word(w);
    switch (op) {
      case kPushX: stack[++top] = x; break;
      case kPushY: stack[++top] = y; break;
      case kPushPi: stack[++top] = std::numbers::pi; break;
      case kConstant: stack[++top] = code.constant(code.word(++w)); break;
      case kAdd: case kSubtract: case kMultiply: case kDivide: case kPower:
        stack[top - 1] = binary(op, stack[top - 1], stack[top]);
        --top;
        break;
      default: stack[top] = unary(op, stack[top]); break;
    }
  }
  return stack[0];
}

NonFinite evaluateSpan(const Code& code, std::span<const float> xs, std::span<const float> ys, std::span<float> out) {
  NonFinite bad;
  const int n = code.count();
  const size_t cases = std::min(xs.size(), out.size());
  const bool haveY = ys.size() >= cases && !ys.empty();
  // A place that holds the same value for every case of the block (a constant, or a function
  // of constants only) keeps it in its first entry and is computed once a block.
  static thread_local double stack[kMaxCodeWords][kBlock];
  bool uniform[kMaxCodeWords];
  double xv[kBlock], yv[kBlock];
  for (size_t base = 0; base < cases; base += kBlock) {
    const size_t m = std::min(kBlock, cases - base);
    for (size_t i = 0; i < m; ++i) {
      xv[i] = xs[base + i];
      yv[i] = haveY ? ys[base + i] : 0.0;
    }
    const auto expand = [&](int k) {
      if (uniform[k]) std::fill(stack[k] + 1, stack[k] + m, stack[k][0]);
      uniform[k] = false;
    };
    int top = -1;
    for (int w = 1; w <= n; ++w) {
      const int16_t op = code.word(w);
      switch (op) {
        case kPushX: case kPushY:
          ++top;
          std::copy(op == kPushX ? xv : yv, (op == kPushX ? xv : yv) + m, stack[top]);
          uniform[top] = false;
          break;
        case kPushPi: case kConstant:
          ++top;
          stack[top][0] = op == kPushPi ? std::numbers::pi : code.constant(code.word(++w));
          uniform[top] = true;
          break;
        case kAdd: case kSubtract: case kMultiply: case kDivide: case kPower: {
          const double* b = stack[top];
          double* a = stack[top - 1];
          if (uniform[top] && uniform[top - 1]) {
            a[0] = binary(op, a[0], b[0]);
          } else {
            expand(top);
            expand(top - 1);
            switch (op) {
              case kAdd: for (size_t i = 0; i < m; ++i) a[i] += b[i]; break;
              case kSubtract: for (size_t i = 0; i < m; ++i) a[i] -= b[i]; break;
              case kMultiply: for (size_t i = 0; i < m; ++i) a[i] *= b[i]; break;
              case kDivide: for (size_t i = 0; i < m; ++i) a[i] /= b[i]; break;
              default: for (size_t i = 0; i < m; ++i) a[i] = std::pow(a[i], b[i]); break;
            }
          }
          --top;
          break;
        }
        default: {
          double* v = stack[top];
          const size_t count = uniform[top] ? 1 : m;
          switch (op) {
            case kNegate: eachCase(v, count, [](double a) { return -a; }); break;
            case kSquare: eachCase(v, count, [](double a) { return a * a; }); break;
            case kAbs: eachCase(v, count, [](double a) { return std::fabs(a); }); break;
            case kSqrt: eachCase(v, count, [](double a) { return std::sqrt(a); }); break;
            case kSin: eachCase(v, count, [](double a) { return std::sin(a); }); break;
            case kCos: eachCase(v, count, [](double a) { return std::cos(a); }); break;
            case kExp: eachCase(v, count, [](double a) { return std::exp(a); }); break;
            case kLn: eachCase(v, count, [](double a) { return std::log(a); }); break;
            case kInt: eachCase(v, count, [](double a) { return std::trunc(a); }); break;
            default: eachCase(v, count, [op](double a) { return unary(op, a); }); break;
          }
          break;
        }
      }
    }
    if (n > 0) expand(0);
    // A formula of constants reads no variable, but a case without an x sample still has no
    // sample to put a value in: it stays a gap.
    const bool gapsOfX = code.usesX() || !code.usesY();
    for (size_t i = 0; i < m; ++i) {
      const bool gap = (gapsOfX && std::isnan(xv[i])) || (code.usesY() && std::isnan(yv[i]));
      const float r = n == 0 || gap ? std::numeric_limits<float>::quiet_NaN() : float(stack[0][i]);
      out[base + i] = r;
      if (!gap && !std::isfinite(r) && bad.count++ == 0) bad.first = base + i;
    }
  }
  return bad;
}

}  // namespace qv::expr
