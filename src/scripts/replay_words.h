#pragma once
// Words of a script step read as whole numbers, as the replay reads codes and channels.
#include <cmath>
#include <cstdint>

#include "core/script_state.h"

namespace qv {

// A step word truncated to an integer; 0 for a word that is no number or larger than
// `largest` (a script file can hold any bit pattern).
inline int wholeWord(float v, float largest = 32767.0f) {
  if (!std::isfinite(v) || std::fabs(v) > largest) return 0;
  return int(v);
}

// Word w of step s as a whole number (wholeWord); 0 outside the script array.
inline int stepWord(int s, int w) {
  if (s < 0 || s >= kScriptRecords || w < 0 || w >= kScriptWords) return 0;
  return wholeWord(ScriptSequenceArray[s][w]);
}

}  // namespace qv
