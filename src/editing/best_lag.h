#pragma once
// The best-fit lag: r² between channel x over a block and channel y read L cases earlier
// (y at i - L), for every lag of a range, and the lag with the highest r².
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace qv {

// A search's outcome: the lag met first with the highest r² (0 with r² 0 when none exceeded 0).
struct BestLag {
  int32_t lag = 0;
  float rsquared = 0.0f;
};

// The lag range a typed maximum allows over the block begin..end of a channel of nCases
// cases, so that every shifted read stays on cases 1..nCases.
int32_t limitSearchLag(int32_t m, int32_t begin, int32_t end, int32_t nCases);

// r² of one lag, summed directly in double: Sxy² / Sxx / Syy, rounded to 32 bits (NaN when
// either channel is constant over the cases read). x and y hold entries 0..N; the reads
// begin - lag..end - lag must lie inside.
float lagRSquared(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, int32_t lag);

// r² of every lag lo..hi by cross-correlation through the FFT (result[L - lo]). y is first
// centred by its mean over all the cases read, so that large offsets with small variations do
// not lose their digits. A value that is not finite spreads through the whole transform, so
// data holding one go to the direct method.
std::vector<float> lagRSquaredProfile(std::span<const float> x, std::span<const float> y, int32_t begin,
                                      int32_t end, int32_t lo, int32_t hi);

// The lags lo..hi scanned in ascending order; a lag replaces the best only with a strictly
// greater r². `progress` (when set) hears the number of lags scanned now and then.
using LagProgress = std::function<void(int64_t scanned, BestLag best)>;
BestLag scanBestLag(std::span<const float> rsquared, int32_t lo, const LagProgress& progress = {});

// The whole search: the FFT profile, or the direct method when the cases read hold a value
// that is not finite.
BestLag bestLagSearch(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, int32_t lo,
                      int32_t hi, const LagProgress& progress = {});
// The same by the direct method, lag by lag (the reference).
BestLag bestLagDirect(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, int32_t lo,
                      int32_t hi, const LagProgress& progress = {});

}  // namespace qv
