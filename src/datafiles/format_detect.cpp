#include "datafiles/format_detect.h"

#include <bit>
#include <cmath>

#include "core/filetable.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

bool startsWithSableSignature(std::span<const uint8_t> head) {
  if (head.size() < 4) return false;
  const uint32_t bits = uint32_t(head[0]) | uint32_t(head[1]) << 8 | uint32_t(head[2]) << 16 | uint32_t(head[3]) << 24;
  return std::bit_cast<float>(bits) == kSableSignature;
}

}  // namespace

std::string firstTextItem(std::span<const uint8_t> head) {
  size_t i = 0;
  while (i < head.size() && (head[i] == ' ' || head[i] == '\t')) ++i;
  std::string item;
  for (; i < head.size() && item.size() < 255; ++i) {
    const uint8_t b = head[i];
    if (b == ',' || b == '\t' || b == '\r' || b == '\n') break;
    item.push_back(char(b));
  }
  return item;
}

int64_t firstTextNumber(std::span<const uint8_t> head) {
  const double v = std::trunc(rt::PSval(firstTextItem(head)));
  // Anything beyond every count the program knows is refused alike; clamping keeps the
  // conversion defined.
  constexpr double kLimit = 1e15;
  if (std::isnan(v)) return 0;
  if (v > kLimit) return int64_t(kLimit);
  if (v < -kLimit) return -int64_t(kLimit);
  return int64_t(v);
}

FormatDetection detectDataFormat(std::span<const uint8_t> head, int32_t casesInOriginalFile) {
  FormatDetection d;
  if (startsWithSableSignature(head)) {
    d.type = kTypeSable;
    return d;
  }
  const int64_t n = firstTextNumber(head);
  d.firstNumber = n;
  if (n == -99) {
    d.type = kTypeBCD;
  } else if (n == -999 || n == -9999 || n == -99999) {
    d.type = kTypeOwnBinary;
  } else if (n >= 5 && n <= kMaxCases) {
    d.type = kTypeOwnText;
  } else {
    d.type = kTypeRefused;
    d.badFileKind = n + casesInOriginalFile >= int64_t(kMaxCases) + 1 ? 1 : 0;
  }
  return d;
}

int16_t finderDocumentType(std::span<const uint8_t> head) {
  const int64_t v = firstTextNumber(head);
  if (v == -99999 || v == -9999 || v == -999 || v == -99) return kTypeOwnBinary;
  if (v < 5) return startsWithSableSignature(head) ? kTypeSable : 0;
  if (v <= kFinderTextLimit) return kTypeOwnText;
  return 0;
}

std::vector<std::string> handedOverRefusal(const std::string& name, std::span<const uint8_t> head, bool exists) {
  const std::string quoted = "\"" + name + "\"";
  if (!exists) return {quoted + " was not opened: there is no such file, or it cannot be read."};
  const int64_t v = firstTextNumber(head);
  if (v > kFinderTextLimit && v <= kMaxCases)
    return {quoted + " was not opened: it is a text recording of " + std::to_string(v) + " cases,",
            "more than a document handed over may hold. File > Open reads it."};
  return {quoted + " was not opened: it is not a recording this program reads."};
}

}  // namespace qv
