#pragma once
// Edits that change the shape of a file in the table: a block cut out of every channel, the
// file cropped to a block, channels deleted or re-arranged. Each keeps the slot whole: the
// case or channel count, markers, labels and acquisition rows, start time, the channel roles
// that name channels, the data generation; and none of them can be undone, so the slot's
// undo copy is given up.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editing/file_reshape.h"

namespace qv {

std::vector<reshape::Marker> slotMarkers(int slot);
void setSlotMarkers(int slot, std::span<const reshape::Marker> table);

// The start time moved on by `seconds` (StartTime and FileInfoFLOATS word 8); false, and
// nothing changed, when the start time does not read as h:m:s.
bool moveStartTime(int slot, double seconds);

// What a cut or crop did besides its samples.
struct ReshapeOutcome {
  bool done = false;
  bool startTimeUnread = false;  // the start should have moved but could not be read
};

// Cases b..e leave every channel; later markers move down; with `insertMarker` one comes
// back at b. A cut from case 1 moves the start time to the first case kept. A cut of every
// case is refused (done false).
ReshapeOutcome cutFileBlock(int slot, int32_t b, int32_t e, bool insertMarker);
// Only cases b..e remain; markers follow their cases; the start time moves to case b.
ReshapeOutcome cropFile(int slot, int32_t b, int32_t e);

// Deletes the channels ticked in `ticked` (index = channel), from the top down, logging a
// line for each; returns how many went. Refuses (0) when every channel is ticked.
int deleteChannels(int slot, std::span<const bool> ticked);

// Writes the whole file as it stands, in the program's own binary format, to `path`.
bool writeBackupFile(int slot, const std::string& path, std::string& error);
// Puts old channel order[k - 1] at position k (distinct channels, at least one): samples,
// labels and acquisition rows move; channels left out are freed.
void rearrangeChannels(int slot, std::span<const int16_t> order);

// The channel roles and per-channel flags follow their channels after a reshape of the
// file in use; ActiveChannel becomes 1.
void followChannels(int slot, const reshape::ChannelMap& map);

}  // namespace qv
