#pragma once
// Edits that change the shape of a file, apart from their windows: cutting a block out of a
// channel or out of the whole file, cropping to the block, the markers and start time that
// follow, and where each channel goes when channels are deleted or re-arranged. Arrays are
// n + 1 floats with entry 0 holding no sample; blocks are cases b..e, 1 <= b <= e <= n.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/filetable.h"
#include "plot/marker_order.h"

namespace qv::reshape {

using markers::Marker;

// Cases e + 1..n move down to b..; the e - b + 1 cases freed at the end become 0. The case
// count stays.
void cutFromChannel(std::span<float> samples, int32_t b, int32_t e);
// Cases e + 1..n move down to b..; the case count becomes n - (e - b + 1), which is returned.
// The entries past it are left as they were.
int32_t cutCases(std::span<float> samples, int32_t b, int32_t e);
// Cases b..e move to 1..e - b + 1.
void cropCases(std::span<float> samples, int32_t b, int32_t e);

bool anyMarkerIn(std::span<const Marker> table, int32_t b, int32_t e);
// After a whole-file cut: markers in b..e go, later ones move down by e - b + 1, order kept.
// With `insertOne`, one marker comes back at case b (when b is still a case of the file of
// `casesAfter` cases) with the code of the last one deleted, in table order.
std::vector<Marker> markersAfterCut(std::span<const Marker> table, int32_t b, int32_t e, bool insertOne,
                                    int32_t casesAfter);
// After a crop to b..e: the markers in b..e, renumbered from b as case 1, in table order.
std::vector<Marker> markersAfterCrop(std::span<const Marker> table, int32_t b, int32_t e);
// The markers outside b..e in case order (the table order kept among markers of one case).
std::vector<Marker> markersOutside(std::span<const Marker> table, int32_t b, int32_t e);

// A start time of day as the file keeps it: "hh:mm:ss" (each part one or two digits, blanks
// allowed), in seconds since midnight; none when it does not read so.
std::optional<double> secondsOfDay(std::string_view hms);
// The text of a time of day: each part as a number with a leading blank when it has one
// digit (" 9: 4: 0", "10: 3:21").
std::string clockText(int32_t seconds);
struct StartTime {
  std::string text;
  float minutes = 0;  // hours x 60 + minutes + seconds / 60
};
// The start moved on by `seconds` (whole seconds kept), brought below one day.
std::optional<StartTime> startMoved(std::string_view hms, double seconds);

// Where each channel 0..40 of a file goes: its new number, 0 when it is gone.
using ChannelMap = std::array<int16_t, kMaxChannels + 1>;
// Deleting the channels flagged in `deleted` (index = channel) of a file of n channels.
ChannelMap mapAfterDeletion(int16_t n, std::span<const bool> deleted);
// Re-arranging: order[k - 1] is the old channel placed at k (distinct channels).
ChannelMap mapAfterRearrange(int16_t n, std::span<const int16_t> order);
// A channel role after the change: its channel's new number, else `fallback`; a role that
// names no channel (0) stays 0.
int16_t follow(const ChannelMap& map, int32_t channel, int16_t fallback);

}  // namespace qv::reshape
