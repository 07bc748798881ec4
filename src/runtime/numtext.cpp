#include "runtime/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace qv::rt {

int gFBFloatMaxDigits = 5;

namespace {

std::string fixed(double x, int decimals) {
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
  return std::string(buf, r.ptr);
}

}  // namespace

std::string PSstr(double x) { return PSstr(x, gFBFloatMaxDigits); }

std::string PSstr(double x, int maxDigits) {
  std::string s;
  appendPSstr(s, x, maxDigits);
  return s;
}

void appendPSstr(std::string& out, double x, int maxDigits) {
  if (std::isnan(x)) {
    out += " NAN";
    return;
  }
  if (std::isinf(x)) {
    out += x > 0 ? " INF" : "-INF";
    return;
  }
  const int digits = maxDigits < 1 ? 1 : (maxDigits > 17 ? 17 : maxDigits);
  const double a = std::fabs(x);
  char buf[400];
  char* end = buf;
  if (a == 0.0 || (a >= 0.0078125 && a < 4294967296.0)) {
    int e2 = 0;
    if (a != 0.0) {
      std::frexp(a, &e2);
      e2 -= 1;  // 2^E <= a < 2^(E+1)
    }
    int decimals = digits - ((e2 - 1) * 12) / 39;  // C++ division truncates toward zero
    if (decimals < 1) decimals = 1;
    // Exact ties go to the even digit (round-half-even of the exact binary value).
    end = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed, decimals).ptr;
    while (end > buf && end[-1] == '0') --end;
    if (end > buf && end[-1] == '.') --end;
    if (end - buf == 1 && buf[0] == '0') {
      out += " 0";
      return;
    }
    out += x < 0 ? '-' : ' ';
    out.append(buf, end);
    return;
  }
  end = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, digits - 1).ptr;
  const char* b = buf;
  const char* e = std::find(b, static_cast<const char*>(end), 'e');
  const char* mantEnd = e;
  if (std::find(b, e, '.') != e) {
    while (mantEnd > buf && mantEnd[-1] == '0') --mantEnd;
    if (mantEnd > buf && mantEnd[-1] == '.') --mantEnd;
  }
  // The buffer is not terminated: the exponent is read within the characters written.
  int ex = 0;
  const char* digitsAt = e + 1 < end && e[1] == '+' ? e + 2 : e + 1;
  std::from_chars(digitsAt, static_cast<const char*>(end), ex);
  char eb[16];
  std::snprintf(eb, sizeof eb, "E%c%02d", ex < 0 ? '-' : '+', ex < 0 ? -ex : ex);
  out += x < 0 ? '-' : ' ';
  out.append(b, mantEnd);
  out += eb;
}

void appendPSstrLong(std::string& out, long long n) {
  char buf[24];
  char* p = buf;
  if (n >= 0) *p++ = ' ';
  p = std::to_chars(p, buf + sizeof buf, n).ptr;
  out.append(buf, p);
}

std::string PSstrLong(long long n) {
  std::string s;
  appendPSstrLong(s, n);
  return s;
}

std::string PSusing(std::string_view picture, double x) {
  int width = int(picture.size());
  int decimals = 0;
  bool grouping = picture.find(',') != std::string_view::npos;
  auto dot = picture.find('.');
  if (dot != std::string_view::npos) decimals = int(picture.size() - dot - 1);
  if (!std::isfinite(x)) {
    std::string s = std::isnan(x) ? "NAN" : (x > 0 ? "INF" : "-INF");
    return s.size() < size_t(width) ? std::string(size_t(width) - s.size(), ' ') + s : s;
  }
  std::string s = fixed(std::fabs(x), decimals);
  if (grouping) {
    auto p = s.find('.');
    std::string intPart = s.substr(0, p), rest = p == std::string::npos ? "" : s.substr(p);
    std::string g;
    int cnt = 0;
    for (int i = int(intPart.size()) - 1; i >= 0; --i) {
      g.insert(g.begin(), intPart[size_t(i)]);
      if (++cnt % 3 == 0 && i > 0) g.insert(g.begin(), ',');
    }
    s = g + rest;
  }
  // A value that rounds to zero shows no minus sign.
  bool neg = x < 0 && s.find_first_not_of("0.,") != std::string::npos;
  if (neg) s = "-" + s;
  if (int(s.size()) < width) s.insert(0, size_t(width - int(s.size())), ' ');
  return s;
}

namespace {

// Parses the leading number; returns the count of bytes used (0 = no number).
size_t parseLeading(std::string_view t, double& out) {
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  size_t start = i;
  auto prefixed = [&](size_t at, int base) -> size_t {
    size_t j = at;
    uint64_t v = 0;
    bool any = false;
    while (j < t.size()) {
      char c = t[j];
      int d = (c >= '0' && c <= '9') ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : 99;
      if (d >= base) break;
      v = v * uint64_t(base) + uint64_t(d);
      any = true;
      ++j;
    }
    if (!any) return 0;
    out = double(v);
    return j;
  };
  if (i + 1 < t.size() && t[i] == '&') {
    char p = char(t[i + 1] | 0x20);
    int base = p == 'h' ? 16 : p == 'o' ? 8 : p == 'x' ? 2 : 0;
    if (base) return prefixed(i + 2, base);
    return 0;
  }
  if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] | 0x20) == 'x') {
    size_t n = prefixed(i + 2, 16);
    if (n) return n;
  }
  size_t j = i;
  if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
  size_t digitsStart = j;
  while (j < t.size() && t[j] >= '0' && t[j] <= '9') ++j;
  size_t intDigits = j - digitsStart;
  size_t fracDigits = 0;
  if (j < t.size() && t[j] == '.') {
    ++j;
    size_t f = j;
    while (j < t.size() && t[j] >= '0' && t[j] <= '9') ++j;
    fracDigits = j - f;
  }
  if (intDigits + fracDigits == 0) return 0;
  size_t end = j;
  if (j < t.size() && (t[j] == 'e' || t[j] == 'E' || t[j] == 'd' || t[j] == 'D')) {
    size_t k = j + 1;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    size_t ed = k;
    while (k < t.size() && t[k] >= '0' && t[k] <= '9') ++k;
    if (k > ed) end = k;
  }
  std::string num(t.substr(start, end - start));
  for (char& c : num)
    if (c == 'd' || c == 'D') c = 'e';
  if (!num.empty() && num[0] == '+') num.erase(0, 1);
  double v = 0;
  auto r = std::from_chars(num.data(), num.data() + num.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    // Overflow gives an infinity of the right sign; underflow gives 0.
    bool neg = !num.empty() && num[0] == '-';
    auto epos = num.find_first_of("eE");
    bool tiny = epos != std::string::npos && num.find('-', epos) != std::string::npos;
    v = tiny ? 0.0 : (neg ? -HUGE_VAL : HUGE_VAL);
  } else if (r.ec != std::errc()) {
    return 0;
  }
  out = v;
  return end;
}

}  // namespace

double PSval(std::string_view text) {
  double v = 0;
  return parseLeading(text, v) ? v : 0.0;
}

bool PSvalStrict(std::string_view text, double& out) {
  double v = 0;
  size_t n = parseLeading(text, v);
  if (!n) return false;
  for (size_t i = n; i < text.size(); ++i)
    if (text[i] != ' ' && text[i] != '\t' && text[i] != '\r' && text[i] != '\n') return false;
  out = v;
  return true;
}

}  // namespace qv::rt
