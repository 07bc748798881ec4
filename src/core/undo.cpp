#include "core/undo.h"

#include <algorithm>

#include "core/backup_cache.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/warning.h"
#include "runtime/bulk_copy.h"
#include "runtime/sound.h"
#include "core/data_generation.h"

namespace qv {

int32_t LastChan = 0;
int16_t NoUndoChange = 0;
int16_t ChangedChan = 0;

namespace {

struct UndoRecord {
  bool valid = false;
  UndoLoss lost = UndoLoss::NothingSaved;
  int16_t slot = -1;
  int32_t cases = 0;
  int16_t channel = 0;
  std::string label;  // the channel's label before the edit
};

UndoRecord gUndo;

bool channelExists(int slot, int channel) {
  return slot >= 0 && slot < kSlots && channel >= 1 && channel <= nChannels[slot] &&
         gPointersToFileData[slot][channel] != nullptr;
}

bool saveChannel(int slot, int channel, std::string label) {
  gUndo.valid = false;
  gUndo.lost = UndoLoss::NothingSaved;
  if (!channelExists(slot, channel)) return false;
  const int32_t n = nCases[slot];
  if (n < 0 || n > kMaxCases) return false;
  float* row = UndoRowForBackup();
  if (!row) return false;
  rt::copyBulk(row, channelData(slot, channel), (size_t(n) + 1) * sizeof(float));
  gUndo = {true, UndoLoss::None, int16_t(slot), n, int16_t(channel), std::move(label)};
  return true;
}

}  // namespace

bool MAKEBACKUP(int16_t channel) {
  const int f = TheFileInUse;
  return MAKEBACKUP(channel, RetrieveLabelOf(f, channel));
}

bool MAKEBACKUP(int16_t channel, std::string_view labelBefore) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return false;
  FileSHORTS[f][kChangeMarkWord] = 1;
  // The edit that follows changes the data: what was derived from them is stale.
  raiseDataGeneration(f);
  return saveChannel(f, channel, std::string(labelBefore));
}

void KeepLoadedChannelForUndo(int16_t slot) {
  if (!saveChannel(slot, 1, RetrieveLabelOf(slot, 1))) return;
  if (gUndo.cases < kMaxCases) UndoRowForBackup()[gUndo.cases + 1] = 0.0f;
}

bool UndoAvailable() { return UndoRefusalText().empty(); }

std::string UndoRefusalText() {
  const int f = TheFileInUse;
  if (!gUndo.valid) {
    switch (gUndo.lost) {
      case UndoLoss::RowReused: return "The saved copy was overwritten by an analysis since the last change.";
      case UndoLoss::FileClosed: return "The file the saved copy came from has been closed.";
      case UndoLoss::FileReshaped:
        return "The file was cropped, re-arranged, read again or had channels deleted since the copy was saved.";
      case UndoLoss::ByteOrderFixed: return "The byte order was fixed since the copy was saved.";
      default: return "There is no saved copy of a channel to restore.";
    }
  }
  if (gUndo.slot != f) return "The saved copy belongs to another file (" + FileName[gUndo.slot] + ").";
  if (nCases[f] != gUndo.cases || !channelExists(f, gUndo.channel))
    return "The file has changed its size since the copy was saved.";
  return {};
}

bool UNDO() {
  const std::string refusal = UndoRefusalText();
  if (!refusal.empty()) {
    WarningSpec w;
    w.title = "Undo";
    w.heading = "Undo is not possible: ";
    w.lines = {refusal};
    ShowWarning(w);
    return false;
  }
  const int f = TheFileInUse;
  const int c = gUndo.channel;
  LastChan = c;
  if (prefsArray[44]) {
    GetChanLABEL(0, int16_t(c));
    EditRecord += "UNDO last change";
    CommentContainer[f] += EditRecord;
  }
  FileSHORTS[f][kChangeMarkWord] = int16_t(std::max(0, FileSHORTS[f][kChangeMarkWord] - 1));
  rt::copyBulk(channelData(f, c), UndoCopy(), (size_t(gUndo.cases) + 1) * sizeof(float));
  raiseDataGeneration(f);
  SetChannelLabel(f, c, gUndo.label);
  if (prefsArray[7]) rt::playSound("droplet.mp3");
  return true;
}

void InvalidateUndo(UndoLoss why) {
  if (!gUndo.valid) return;
  gUndo.valid = false;
  gUndo.lost = why;
}

void InvalidateUndoOfSlot(int16_t slot, UndoLoss why) {
  if (gUndo.valid && gUndo.slot == slot) InvalidateUndo(why);
}

void InvalidateUndoOfSlot(int16_t slot) {
  if (gUndo.valid && gUndo.slot == slot)
    InvalidateUndo(nCases[slot] == 0 || FileSHORTS[slot][kInUseWord] == 0 ? UndoLoss::FileClosed
                                                                         : UndoLoss::FileReshaped);
}

}  // namespace qv
