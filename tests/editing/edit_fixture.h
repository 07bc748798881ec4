#pragma once
// The script and file state every edit window test starts from and leaves behind.
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"

namespace edittest {

// Recording on (or off), no replay, an empty script, and the preference words the edits read for
// recording steps and backing up.
inline void startScript(bool record = true) {
  using namespace qv;
  prefsArray[44] = 1;
  prefsArray[48] = 1;
  RecordSCRIPT = record ? 1 : 0;
  ScriptCOUNT = 0;
  RunScript = autoscript = ScriptRunOnce = 0;
  ScriptStepFailed = 0;
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
}

// A channel as the file table holds it: entry 0 (no sample) is 0, the cases follow.
inline std::vector<float> channel(std::initializer_list<float> cases) {
  std::vector<float> x{0.0f};
  x.insert(x.end(), cases);
  return x;
}

// Entries 0..n of value(i), entry 0 included.
inline std::vector<float> channel(int32_t n, const std::function<float(int32_t)>& value) {
  std::vector<float> v(size_t(n) + 1);
  for (int32_t i = 0; i <= n; ++i) v[size_t(i)] = value(i);
  return v;
}

inline void closeAll() {
  using namespace qv;
  for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
  TheFileInUse = -1;
  RecordSCRIPT = 0;
  ScriptCOUNT = 0;
  autoscript = ScriptRunOnce = 0;
}

}  // namespace edittest
