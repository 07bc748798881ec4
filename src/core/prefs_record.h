#pragma once
// The preferences record: 412 bytes, no header, fields one after another. Integers are
// 16-bit and floats 32-bit IEEE, big-endian; a colour is three 16-bit components stored as
// six raw little-endian bytes. The older record stops before the last word (410 bytes).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "runtime/geometry.h"

namespace qv {

constexpr size_t kPrefsRecordSize = 412;
constexpr size_t kOldPrefsRecordSize = 410;

// The record of the settings in force. The multi-channel view mode comes from the file in
// use (slot 0 when none). With the spike tool's "Use as Defaults" (prefsArray[51]) off, the
// trim fields hold 1000, 0, -1000, 0 and the threshold 1.
std::vector<uint8_t> EncodePreferences();

struct PrefsReadResult {
  bool accepted = false;            // a record of 410 or 412 bytes
  bool foreign = false;             // of the right size, but most settings impossible
  std::vector<std::string> fixed;   // fields out of range, given their defaults
};

// Reads a record over the settings. Anything but 410 or 412 bytes changes nothing. A field
// whose value lies outside what it can hold takes its default. Word 74 becomes 1 whatever
// was stored; the view mode goes to slot 0 when it
// holds no file; northLatitude and westLongitude follow the
// signs of the position; a 410-byte record sets prefsArray[82] to 1.
// A record of the right size in which more than half of the settings that have limits hold
// values outside them is foreign: it changes nothing.
PrefsReadResult ApplyPreferencesRecord(std::span<const uint8_t> bytes);
bool IsForeignPreferencesRecord(std::span<const uint8_t> bytes);

// The colours a record holds: the six user colours, the histogram colour and overlay colours
// 1 to 24.
struct StoredColors {
  rt::RGB user[7];  // plotFore, plotBack, data line, Pwhite, block fore, block back, histogram
  rt::RGB overlay[25];
};
// Decodes only those fields; false for anything but a record of 410 or 412 bytes, and for
// a foreign one.
bool DecodeStoredColors(std::span<const uint8_t> bytes, StoredColors& out);
// Puts them in force.
void ApplyStoredColors(const StoredColors& c);

}  // namespace qv
