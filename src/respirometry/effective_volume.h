#pragma once
// The effective volume of a flow-through chamber from a recorded washout: one volume for each
// pair of consecutive samples by the exponential washout law, and their statistics.
#include <cstdint>
#include <span>
#include <string>

namespace qv {

// What a volume slot holds for a pair that gives no volume.
constexpr float kUnusableVolume = 2.0E20f;

struct WashoutVolumes {
  int32_t n = 0;         // usable pairs
  int32_t unusable = 0;  // pairs that gave no volume
  double mean = 0.0;     // ml
  float sd = 0.0f;       // population S.D. (divisor n)
  float min = 0.0f, max = 0.0f;
};

// The pairs (k, k + 1) of samples[first..last] (in %, baseline at zero). A pair is usable when
// the earlier sample a and the later b satisfy a > b > 0 and give a finite volume
// (flow x interval / ln(a / b), flow in ml/min, interval in s). volumes[j] gets the volume of
// the pair ending at first + 1 + j, or kUnusableVolume; it holds last - first entries.
WashoutVolumes washoutVolumes(std::span<const float> samples, int32_t first, int32_t last, float flow,
                              float intervalSeconds, std::span<float> volumes);

// The time the usable pairs span, 4 significant digits: " 600 sec" up to 600 s, then minutes
// (" 10.02 min").
struct WashoutDuration {
  bool inMinutes = false;
  std::string text;
};
WashoutDuration washoutDuration(int32_t pairs, float intervalSeconds);

}  // namespace qv
