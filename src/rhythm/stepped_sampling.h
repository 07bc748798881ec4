#pragma once
// Stepped sampling: equally spaced blocks (a block, then a skip) laid forwards and backwards
// from a start point between two end points, with each block's statistics. Plain functions
// over a channel's samples (index = case number); gaps are left out of every statistic.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

constexpr int32_t kMaxSteppedBlocks = 12000;

struct SteppedLayout {
  int32_t blockN = 0, skipN = 0, step = 0;
  int32_t nBefore = 0, nAfter = 0;
  int32_t first = 0, last = 0;  // first and last block start
  int32_t count() const { return nBefore + nAfter; }
};

// The layout, or a message saying why there is none. The step plot adds one sample to block
// and skip (`scatter` false); the scatterplot does not. Requires 1 <= left <= start <= right
// <= nCases, size and skip >= 0, a step of at least one sample and at most 12,000 blocks.
struct SteppedLayoutResult {
  SteppedLayout layout;
  std::string error;  // empty when the layout holds
};
SteppedLayoutResult steppedLayout(float size, float skip, float dt, int64_t left, int64_t start, int64_t right,
                                  int32_t nCases, bool scatter);

struct SteppedBlock {
  int32_t start = 0, end = 0;  // block start b and b + blockN
  int32_t position = 0;        // b - start point, samples
  float seconds = 0.0f;        // dt x position
  float mean = 0.0f, minimum = 0.0f, maximum = 0.0f, sd = 0.0f;  // NaN when every sample is a gap
  bool interpolated = false;
};

// The block table of one channel: block b covers cases b - 1 .. b + blockN - 1 (from case 1 at
// the start of the file). `flags` (entries 1..nCases, may be empty) marks interpolated cases.
std::vector<SteppedBlock> steppedBlocks(std::span<const float> y, const SteppedLayout& l, int32_t startPoint,
                                        float dt, std::span<const float> flags);

// The grey line: at lag j the mean of the block j before and the block j after the block at
// position 0, for the lags that have a block on both sides; entry 0 is the centre block.
std::vector<float> steppedMeanLine(const std::vector<SteppedBlock>& blocks);

// The scatterplot's block means: cases b .. b + blockN of each block.
std::vector<float> steppedMeans(std::span<const float> y, const SteppedLayout& l);

// The delimited export of the tables of up to ten channels (one table per channel, all of the
// same layout).
struct SteppedExport {
  std::string fileName, date;  // date "MM/dd/yy"
  int32_t nCases = 0, nChannels = 0;
  float size = 0, skip = 0, dt = 0;
  int32_t startPoint = 0;
  std::vector<int> channels;
  std::vector<std::string> labels;
  char separator = ',';
  int digits = 5;
};
std::string steppedExportText(const SteppedExport& e, const std::vector<std::vector<SteppedBlock>>& tables);

}  // namespace qv
