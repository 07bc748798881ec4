#pragma once
// A replay belongs to the file it started on: when that file is closed, or another file
// comes into use, the run stops rather than go on with the other file's data.
#include <cstdint>
#include <string>

#include "core/filetable.h"

namespace qv {

struct BoundFile {
  int16_t slot = -1;
  uint32_t closings = 0;
  std::string name;

  static BoundFile inUse() {
    const int16_t f = TheFileInUse;
    if (f < 0 || f >= kSlots) return {};
    return {f, SlotClosings[f], FileName[f]};
  }
  // Why the run cannot go on with this file; "" while it can.
  std::string lost() const {
    if (slot < 0 || SlotClosings[slot] != closings || !slotIsOpen(slot))
      return "The file the script was running on (\"" + name + "\") was closed.";
    if (TheFileInUse != slot)
      return "Another file came into use; the script runs only on \"" + name + "\", the file it started on.";
    return {};
  }
};

}  // namespace qv
