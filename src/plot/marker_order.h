#pragma once
// The marker table of a file in case order, and the marker a click in the plot drops.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qv {

namespace markers {

struct Marker {
  int32_t kase = 0, code = 0;
  bool operator==(const Marker&) const = default;
};

// Orders markers[0..count) by case, keeping the table order of markers at one case; drops
// code 0 and cases outside 1..nCases and merges only identical (case, code) records.
// Returns how many remain (the first ones of the span).
int32_t sortTable(std::span<Marker> markers, int32_t nCases);

// The marker code of a typed text: the Mac Roman code of its first character; none when the
// text is empty or its first character is not in Mac Roman.
std::optional<int16_t> codeOf(std::string_view text);

// The page of the paged view of `width` cases that shows case `first`.
int32_t pageOf(int32_t first, int width);

}  // namespace markers

// Puts the markers of the file in use in case order (MarkersArray and FileSHORTS word 5).
void SortMARKERS();
// Drops a marker of ThisMarkerCharacter at the case under the click in the plot of the file
// in use; a click outside 1..nCases adds nothing, and a full table refuses it.
void MarkerMOUSE();

extern int16_t ThisMarkerCharacter;

}  // namespace qv
