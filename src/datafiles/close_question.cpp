#include "core/filetable.h"
#include "datafiles/datafiles.h"
#include "datafiles/unsaved_changes.h"
#include "runtime/windows.h"

namespace qv {

bool MayCloseChangedFile(int16_t slot) {
  if (slot < 0 || slot >= kMaxOpenFiles) return true;
  if (rt::windowExists(1000 + slot)) rt::bringWindowForward(1000 + slot);
  for (;;) {
    switch (CHECKDUMP(slot)) {
      case CheckDumpAnswer::DontSave: return true;
      case CheckDumpAnswer::Cancel: return false;
      case CheckDumpAnswer::Save: break;
    }
    // The save road works on the file in use.
    const int16_t keep = TheFileInUse;
    TheFileInUse = slot;
    const SaveResult saved = SAVEDATAFILE(0, 1, 0);
    TheFileInUse = keep;
    if (saved != SaveResult::Partial) return saved == SaveResult::Saved;
  }
}

}  // namespace qv
