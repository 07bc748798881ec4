#include "core/text_constants.h"

#include "core/kit.h"
#include "runtime/macroman.h"
#include "runtime/windows.h"

namespace qv {

std::string degrees, degC, kelvin, degF, delta, bullet, piValue, summation, integral, derivative, squareroot,
    copyright;
std::string rtArrow = "\u2192", divideBy = "\u00F7";
std::string version;
int16_t SerifFont = 0, BookmanFont = 0, TypewriterFont = 0, HelveticaFont = 0, CopperplateFont = 0;

void BuildSpecialCharacters() {
  version = QV_BUILD_DATE;
  degrees = rt::macRomanChar(161);
  degC = degrees + "C";
  kelvin = degrees + "K";
  degF = degrees + "F";
  delta = rt::macRomanChar(198);
  bullet = rt::macRomanChar(165);
  piValue = rt::macRomanChar(185);
  summation = rt::macRomanChar(183);
  integral = rt::macRomanChar(186);
  derivative = rt::macRomanChar(182);
  squareroot = rt::macRomanChar(195);
  copyright = rt::macRomanChar(169);
  divideBy = rt::macRomanChar(214);
}

void LookUpFonts() {
  KestrixFont = int16_t(rt::fontNumber("Lucida Grande"));
  if (KestrixFont == 0) KestrixFont = 3;
  SerifFont = int16_t(rt::fontNumber("Century"));
  if (SerifFont == 0) SerifFont = int16_t(rt::fontNumber("Century Schoolbook"));
  if (SerifFont == 0) SerifFont = int16_t(rt::fontNumber("Times"));
  BookmanFont = int16_t(rt::fontNumber("Bookman Old Style"));
  TypewriterFont = int16_t(rt::fontNumber("American Typewriter"));
  HelveticaFont = int16_t(rt::fontNumber("Helvetica Neue"));
  CopperplateFont = int16_t(rt::fontNumber("Copperplate"));
}

}  // namespace qv
