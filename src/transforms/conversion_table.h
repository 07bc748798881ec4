#pragma once
// The 30 items of the conversion popup: code, factor, unit texts for the result label, the
// extra field or label text of the non-factor items, and the log text.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

constexpr int kConversionItems = 30;

struct ConversionItem {
  int16_t code = 0;     // item + 39
  float factor = 1.0f;  // items 1-22; 1.0 for the others
  std::string_view text1, text2;  // unit texts handed to the label fix (items 1-22)
  std::string_view fieldLabel;    // items 27-30: the caption of field 201
  int fileInfoWord = 0;           // items 27-30: the FileInfoFLOATS word field 201 starts from
  std::string_view resultLabel;   // items 25, 26: field 204 becomes this
  std::string_view logBefore, logAfter;  // the log text around the arrow (or after ÷)
  bool logDivides = false;               // items 29, 30: "÷" starts the log text
};

bool isFactorConversion(int item);
// Item 1..30; anything else gives item 22's entry.
ConversionItem conversionItem(int item);
// The log description of an item with the arrow and divide signs given.
std::string conversionLogText(int item, std::string_view arrow, std::string_view divide);
// A factor as field 201 shows it: 9 significant digits, so that it reads back as the same float.
std::string factorText(float factor);

}  // namespace qv
