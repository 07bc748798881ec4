#pragma once
// Words of a script step read as whole numbers, as the replay reads codes and channels.
#include <cmath>
#include <cstdint>

#include "core/script_state.h"

namespace qv {

// Word w of step s truncated to an integer; 0 for a word that is no number or out of range
// (a script file can hold any bit pattern).
inline int stepWord(int s, int w) {
  if (s < 0 || s >= kScriptRecords || w < 0 || w >= kScriptWords) return 0;
  const float v = ScriptSequenceArray[s][w];
  if (!std::isfinite(v) || std::fabs(v) > 32767.0f) return 0;
  return int(v);
}

}  // namespace qv
