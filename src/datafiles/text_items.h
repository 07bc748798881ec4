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
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

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

}  // namespace qv
