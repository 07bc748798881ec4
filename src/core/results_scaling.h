#pragma once
// Per-channel scaling of results: a factor that multiplies or divides, then a constant added.
// A level (mean, minimum, maximum) reads a + m x v, a spread (S.D., S.E.) m x v.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/filetable.h"

namespace qv {

// Row k (1..40) is channel k; words 1 to 3 are the results scaling: [1] operation (1.0
// multiply, 0 divide), [2] factor, [3] constant added. Words 4 to 6 belong to the plot's
// Y scale. Rows belong to the channel number, not to a file, and are not saved.
extern float scalingFactorArray[kMaxChannels + 1][7];

// 1 while results are shown and reported scaled.
extern int16_t Rscale;

// Start-up words of channels 1..40: multiply by 1, add 0.
void resetResultScaling();

struct ResultScaling {
  double factor = 1.0;  // m
  double addend = 0.0;  // a
  double level(double v) const { return v * factor + addend; }
  double spread(double v) const { return v * factor; }
};

// The scaling that three words describe (divide when the operation word is 0).
ResultScaling scalingFromWords(float operation, float factor, float constant);

// The scaling in force for a channel: its words while Rscale is 1, else none. A channel
// outside 1..40 is never scaled.
ResultScaling scalingFor(int channel);

struct ScalingWords {
  float operation = 1.0f;
  float factor = 1.0f;
  float constant = 0.0f;
};

// What the user typed for one channel: the factor and constant fields as text, with the
// operation its buttons chose.
struct ScalingEntry {
  float operation = 1.0f;
  std::string factor;
  std::string constant;
};

struct ScalingCheck {
  bool accepted = false;
  ScalingWords words;   // the words to keep when accepted
  std::string message;  // why not, when refused
};

// A factor must be a number (a finite one, also as a 32-bit word), and not 0 when it divides;
// a constant must be a number or left blank (0).
ScalingCheck checkScalingEntry(int channel, const ScalingEntry& entry);

struct ScalingCommit {
  bool accepted = false;
  int channel = 0;  // the first channel refused
  std::string message;
};

// On closing the scaling window: entries[k - 1] is channel k. All are checked first; only when
// every one is accepted are words 1 to 3 written. Otherwise every channel's words 1 to 3 go
// back to `before` (the words when the window opened, index = channel) and nothing typed is kept.
ScalingCommit commitScalingEntries(std::span<const ScalingEntry> entries,
                                   std::span<const ScalingWords> before);

// Words 1 to 3 of every channel, as they stand (index = channel; entry 0 unused).
void saveScalingWords(std::span<ScalingWords> out);

}  // namespace qv
