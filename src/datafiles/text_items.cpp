#include "datafiles/text_items.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/numtext.h"

namespace qv {

namespace {

bool blankOrTab(char c) { return c == ' ' || c == '\t'; }
bool lineEnd(char c) { return c == '\r' || c == '\n'; }
bool endsItem(char c) { return c == ',' || c == '\t' || lineEnd(c); }
bool digit(char c) { return c >= '0' && c <= '9'; }

// Text that std::from_chars reads exactly as the runtime's rule does, when the number it
// reads fills the whole item: no sign but a minus, no "inf" or "nan".
bool plainNumberStart(const char* p, const char* end) {
  if (digit(*p) || *p == '.') return true;
  return *p == '-' && p + 1 < end && (digit(p[1]) || p[1] == '.');
}

double valueOf(std::string_view item) {
  while (!item.empty() && blankOrTab(item.back())) item.remove_suffix(1);
  if (item == "NAN") return std::numeric_limits<double>::quiet_NaN();
  if (item == "INF") return std::numeric_limits<double>::infinity();
  if (item == "-INF") return -std::numeric_limits<double>::infinity();
  return rt::PSval(item);
}

}  // namespace

bool TextItemReader::lineAvailable() {
  if (lineOpen_) return true;
  if (pos_ >= data_.size()) return false;
  lineOpen_ = true;
  return true;
}

void TextItemReader::skipBlanks() {
  while (pos_ < data_.size() && blankOrTab(data_[pos_])) ++pos_;
}

void TextItemReader::finishItem() {
  const char* const base = data_.data();
  const char* const end = base + data_.size();
  const char* p = base + pos_;
  while (p < end && blankOrTab(*p)) ++p;
  if (p < end && *p == ',') ++p;
  const char* k = p;
  while (k < end && blankOrTab(*k)) ++k;
  if (k < end && !lineEnd(*k)) {
    pos_ = size_t(p - base);
    return;
  }
  lineOpen_ = false;
  if (k < end) k += *k == '\r' && k + 1 < end && k[1] == '\n' ? 2 : 1;
  pos_ = size_t(k - base);
}

std::string_view TextItemReader::takeItem() {
  const size_t size = data_.size();
  std::string_view item;
  if (pos_ < size && data_[pos_] == '"') {
    size_t e = pos_ + 1;
    while (e < size && data_[e] != '"' && !lineEnd(data_[e])) ++e;
    item = data_.substr(pos_ + 1, e - pos_ - 1);
    pos_ = e < size && data_[e] == '"' ? e + 1 : e;
  } else {
    size_t e = pos_;
    while (e < size && !endsItem(data_[e])) ++e;
    item = data_.substr(pos_, e - pos_);
    pos_ = e;
  }
  finishItem();
  if (item.size() > kMaxTextItem) item = item.substr(0, kMaxTextItem);
  return item;
}

std::string_view TextItemReader::next() {
  if (!lineAvailable()) return {};
  skipBlanks();
  return takeItem();
}

double TextItemReader::real() {
  if (!lineAvailable()) return 0;
  const char* const end = data_.data() + data_.size();
  const char* p = data_.data() + pos_;
  while (p < end && blankOrTab(*p)) ++p;
  pos_ = size_t(p - data_.data());
  // The samples' way: a plain number read where it stands, without taking the item first.
  if (p < end && plainNumberStart(p, end)) {
    double v = 0;
    const std::from_chars_result r = std::from_chars(p, end, v);
    if (r.ec == std::errc() && size_t(r.ptr - p) <= kMaxTextItem && (r.ptr == end || endsItem(*r.ptr))) {
      pos_ = size_t(r.ptr - data_.data());
      finishItem();
      return v;
    }
  }
  return valueOf(takeItem());
}

double TextItemReader::integer() { return std::trunc(real()); }

size_t TextItemReader::remainingBytes() const {
  const size_t size = data_.size();
  if (!lineOpen_) return size - pos_;
  size_t e = pos_;
  while (e < size && !lineEnd(data_[e])) ++e;
  const size_t ending = e >= size ? 0 : (data_[e] == '\r' && e + 1 < size && data_[e + 1] == '\n' ? 2 : 1);
  return size - pos_ - ending;
}

}  // namespace qv
