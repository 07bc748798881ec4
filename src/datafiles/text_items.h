#pragma once
// Items of the program's own text data files, taken one after another regardless of how
// the lines group them:
//  - a line ends at CR, at LF, or at CR LF (one line end, so files that passed through
//    another system read the same); a truly empty line yields one empty item (value 0);
//  - blanks and TABs before an item are skipped;
//  - an item that starts with a double quote runs to the next double quote (or the end of
//    the line) and is the text between them, commas included;
//  - any other item runs to the next comma or TAB or the end of the line; blanks inside it
//    belong to it, so "1 2" is one item whose value is 1;
//  - after an item, blanks and TABs are skipped and one comma is consumed; a line
//    whose rest is only blanks and TABs is used up;
//  - numbers are read with the runtime's text-to-number rule (PSval: the leading decimal
//    number with an optional exponent, or an "&H"/"0x", "&O" or "&X" prefixed integer);
//    the items "NAN", "INF" and "-INF", which the writer makes of such samples, are read
//    as those values.
// Lines of any length are taken whole; a text item keeps at most 255 characters.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <system_error>

namespace qv {

class TextItemReader {
 public:
  static constexpr size_t kMaxTextItem = 255;

  explicit TextItemReader(std::span<const uint8_t> bytes)
      : data_(reinterpret_cast<const char*>(bytes.data()), bytes.size()) {}

  // The next item's characters (file bytes, without its quotes). Past the end: empty.
  std::string_view next();
  // The next item as a number (0 for an empty item or text that is not a number).
  double real();
  // The next item as a number truncated toward zero.
  double integer();
  // real() of the samples' usual item, inline: a plain number where the reader stands, then a
  // comma or a line end. False with nothing taken for anything else (then real() reads it).
  bool plainReal(double& v);

  // No item is left: the data are used up and so is the current line.
  bool atEnd() const { return !lineOpen_ && pos_ >= data_.size(); }
  // Bytes not yet taken (the rest of the current line included, its line end not).
  size_t remainingBytes() const;

 private:
  // Opens the next line unless one is open; false past the end.
  bool lineAvailable();
  void skipBlanks();
  // The item starting at the current position, with the separators after it taken.
  std::string_view takeItem();
  // After an item: blanks, one comma, and the line when only blanks are left on it.
  void finishItem();

  std::string_view data_;
  size_t pos_ = 0;         // the next byte to look at
  bool lineOpen_ = false;  // pos_ lies on a line whose items are being taken
};

inline bool TextItemReader::plainReal(double& v) {
  const char* const base = data_.data();
  const char* const end = base + data_.size();
  const char* p = base + pos_;
  if (!lineOpen_ && p >= end) return false;
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  if (p >= end) return false;
  const bool digitAt = *p >= '0' && *p <= '9';
  const bool minus = *p == '-' && p + 1 < end && ((p[1] >= '0' && p[1] <= '9') || p[1] == '.');
  if (!digitAt && *p != '.' && !minus) return false;
  const std::from_chars_result r = std::from_chars(p, end, v);
  if (r.ec != std::errc() || size_t(r.ptr - p) > kMaxTextItem) return false;
  // As finishItem(): one comma, and the line when only blanks are left on it.
  const char* q = r.ptr;
  if (q < end && *q == ',') ++q;
  else if (q < end && *q != '\r' && *q != '\n') return false;  // a TAB: the general rule decides
  const char* k = q;
  while (k < end && (*k == ' ' || *k == '\t')) ++k;
  if (k < end && *k != '\r' && *k != '\n') {
    pos_ = size_t(q - base);
    lineOpen_ = true;
    return true;
  }
  if (k < end) k += *k == '\r' && k + 1 < end && k[1] == '\n' ? 2 : 1;
  pos_ = size_t(k - base);
  lineOpen_ = false;
  return true;
}

}  // namespace qv
