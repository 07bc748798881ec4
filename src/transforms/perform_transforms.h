#pragma once
// One run of a transform over a channel of the file in use, around the engine: where the
// parameters come from (the window's fields, a custom transform, a replayed step), the work
// column, the undo copy, the one new channel, the step words, the status and the buttons of
// the transformations window, and the finish of a replayed step.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

struct TransformRequest {
  int16_t code = 0;
  int16_t customNumber = 0;  // 1..40: that custom transform's parameters
  int16_t channelY = 0;
  int16_t passThrough = 0;
  int16_t divideFlag = 0, multiplyFlag = 0;
  std::string labelText1, labelText2;
  int16_t step = 0;       // 0 from the window, k when step k is replayed
  int16_t wordsStep = 0;  // the step that receives the parameter words (0 none)
  std::string field201, field202, field203;
  bool block = false;  // "Transform Block": the selected block, else the whole channel
};

// The a, b and exponent that code r.code takes from fields 201..203 as its window shows them
// (a conversion's T, BP or mass as its a), each read as a run reads it; `bad` says which field
// is not a number (nothing is to be taken then).
struct WindowParameters {
  float a = 0, b = 0, exponent = 0;
  std::optional<std::string> bad;
};
WindowParameters windowParameters(const TransformRequest& r);

// 1 when the run took place (also when samples failed), 0 when it was refused.
int16_t PerformTransforms(const TransformRequest& r);

}  // namespace qv
