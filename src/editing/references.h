#pragma once
// Reference stretches of a channel (readings at or beyond a cutoff level) and their
// replacement by a straight line between the cases beside them, or by a fixed value.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv::refs {

// At most this many stretches are kept for one window.
constexpr size_t kMostStretches = 15301;
// The widest extra count, on either side.
constexpr int32_t kMostExtra = 32767;

struct Settings {
  bool downwards = true;    // references lie at or below the cutoff (else at or above)
  bool interpolate = true;  // else the fixed value
  float cutoff = 0.0f, fixedValue = 0.0f;
  int32_t leftOut = 0;      // cases left out at the end of the scanned range
  int32_t leftExtra = 10, rightExtra = 10;
  bool markers = false;
  bool leftToMarker = false, rightToMarker = false;  // edges at the markers instead of extras
};

struct Stretch {
  int32_t left = 0, right = 0;
  bool operator==(const Stretch&) const = default;
};

struct Found {
  std::vector<Stretch> stretches;  // the edges to rewrite between, in case order
  int64_t skipped = 0;             // stretches with no marker for an edge
  bool full = false;               // more stretches than room
};

// Whether a reading belongs to a reference (a gap never does).
bool isReference(float v, const Settings& s);

// Reference stretches among cases start..end - 1 of x (case end never belongs to one), with
// their edges: the extra cases, or the last marker at or before the first case and the first
// marker after the case that follows the stretch (markerCases in ascending order). At most
// room stretches.
Found findStretches(std::span<const float> x, int32_t start, int32_t end, const Settings& s,
                    std::span<const int32_t> markerCases, size_t room);

// Rewrites cases L..R (the edges kept within 1..nCases) by the line from x[L] to x[R] or by
// the fixed value. Nothing, and no edges, when R <= L or an edge of the line is a gap.
std::optional<Stretch> replaceStretch(std::span<float> x, Stretch edges, const Settings& s);

// The value of the line from a at case l to b at case r, at case i (l < r).
float lineAt(float a, float b, int32_t l, int32_t r, int32_t i);

// A step word as a count: NaN as 0, truncated, within lo..hi.
int32_t wordCount(float w, int32_t lo, int32_t hi);

}  // namespace qv::refs
