#pragma once
// Special characters, the build date and the font numbers, set up once at start-up.
#include <cstdint>
#include <string>

namespace qv {

// Degree sign and unit strings, Greek and mathematical signs, the copyright sign.
extern std::string degrees, degC, kelvin, degF, delta, bullet, piValue, summation, integral, derivative,
    squareroot, copyright;
// The right arrow of the conversion log texts and the division sign.
extern std::string rtArrow, divideBy;
// The build date shown in the About window.
extern std::string version;

// Font numbers looked up by name (0 when missing).
extern int16_t SerifFont, BookmanFont, TypewriterFont, HelveticaFont, CopperplateFont;

void BuildSpecialCharacters();
// KestrixFont ("Lucida Grande", 3 when missing) and the other fonts with their fallbacks.
void LookUpFonts();

}  // namespace qv
