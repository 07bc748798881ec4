#pragma once
// The quick-choice duration buttons: presets that suit a file's sample interval and the
// stretch of data on offer, and adjusters that rework the typed number.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct IntervalButton {
  int id = 0;
  std::string label;
};

// The preset buttons (41..53) drawn for a stretch of `cases` cases at `interval` seconds a
// sample, then the adjusters (59..65).
std::vector<IntervalButton> intervalPresets(double interval, int32_t cases);
std::vector<IntervalButton> intervalAdjusters(double interval);

// The new text of the duration field after button `id`: a preset's seconds, or the adjusted
// number. Nothing when the button has no entry for the interval or the field holds no number.
std::optional<std::string> intervalChoiceText(int id, double interval, const std::string& field);

}  // namespace qv
