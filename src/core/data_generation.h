#pragma once
// A count per file slot that goes up whenever the slot's data change (load, edit, undo, a
// channel added or removed), so that anything derived from the data can tell it is stale.
// The change mark of a file is only 0 or 1 and cannot serve.
#include <cstdint>

#include "core/filetable.h"

namespace qv {

extern uint32_t DataGeneration[kSlots];

// Called by every operation that changes a slot's samples or channels.
inline void raiseDataGeneration(int slot) {
  if (slot >= 0 && slot < kSlots) ++DataGeneration[slot];
}

}  // namespace qv
