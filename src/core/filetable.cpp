#include "core/filetable.h"

#include <array>
#include <cstring>
#include <memory>
#include <new>

#include "core/data_generation.h"
#include "core/undo.h"
#include "runtime/background_release.h"
#include "runtime/large_pages.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

int16_t TheFileInUse = -1;
int16_t NumberOfOpenFiles = 0;
uint32_t SlotClosings[kSlots] = {};

bool slotIsOpen(int slot) { return slot >= 0 && slot < kMaxOpenFiles && nCases[slot] > 0 && nChannels[slot] > 0; }

int openFileCount() {
  int n = 0;
  for (int s = 0; s < kMaxOpenFiles; ++s) n += slotIsOpen(s);
  return n;
}
int32_t nCases[kSlots];
int16_t nChannels[kSlots];
SampleArray gPointersToFileData[kSlots][kMaxChannels + 1];
int16_t FileSHORTS[kSlots][15];
float FileInfoFLOATS[kSlots][10];
std::string FileName[kSlots];
std::string StartDate[kSlots];
std::string StartTime[kSlots];
std::string LabelStrings[kSlots][6];
std::string OldLabelStrings[kSlots][6];
std::string SableLabelStrings[kSlots][6];
float fileVariableArray[kSlots][kMaxChannels + 1][41];
int32_t MarkersArray[kSlots][kMaxMarkers + 1][3];
std::string CommentContainer[kSlots];
std::string CFURLarrayMain[kSlots], CFURLarrayOutput[kSlots], CFURLarrayLast[kSlots];
int16_t NumberOfNotes[21];
std::string EditRecord;

SampleArray allocateSamples(int32_t cases) {
  if (cases < 0 || cases > kMaxCases) return nullptr;
  SampleArray a(new (std::nothrow) float[size_t(cases) + 1]);
  if (a) rt::adviseLargePages(a.get(), (size_t(cases) + 1) * sizeof(float));
  return a;
}

bool MakeOneNewChannel() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return false;
  const int n = nChannels[f] + 1;
  if (n > kMaxChannels) return false;
  SampleArray a = allocateSamples(nCases[f]);
  if (!a) return false;
  gPointersToFileData[f][n] = std::move(a);
  nChannels[f] = int16_t(n);
  raiseDataGeneration(f);
  return true;
}

void freeSlotArrays(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  for (auto& a : gPointersToFileData[slot]) a.reset();
  InvalidateUndoOfSlot(int16_t(slot));
  raiseDataGeneration(slot);
}

void FreeFileSlot(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  nCases[slot] = 0;
  FileSHORTS[slot][kInUseWord] = 0;
  FileSHORTS[slot][kPlotWindowWord] = 0;
  freeSlotArrays(slot);
  ++SlotClosings[slot];
}

int DeleteChannels(int slot, std::span<const bool> ticked) {
  if (slot < 0 || slot >= kSlots) return 0;
  const int n = nChannels[slot];
  if (n > kMaxChannels) return 0;
  const auto isTicked = [&](int c) { return size_t(c) < ticked.size() && ticked[size_t(c)]; };
  int count = 0;
  for (int c = 1; c <= n; ++c) count += isTicked(c);
  if (count == 0 || count >= n) return 0;
  // One pass: each kept channel moves down once, its label and row with it; the arrays of the
  // deleted ones are freed behind the call.
  auto gone = std::make_shared<std::array<SampleArray, kMaxChannels + 1>>();
  int kept = 0;
  for (int c = 1; c <= n; ++c) {
    if (isTicked(c)) {
      (*gone)[size_t(c)] = std::move(gPointersToFileData[slot][c]);
      continue;
    }
    if (++kept == c) continue;
    gPointersToFileData[slot][kept] = std::move(gPointersToFileData[slot][c]);
    std::memcpy(fileVariableArray[slot][kept], fileVariableArray[slot][c], sizeof fileVariableArray[slot][c]);
    SetChannelLabel(slot, kept, RetrieveLabelOf(slot, c));
  }
  for (int c = kept + 1; c <= n; ++c) {
    gPointersToFileData[slot][c].reset();
    std::memset(fileVariableArray[slot][c], 0, sizeof fileVariableArray[slot][c]);
    SetChannelLabel(slot, c, "");
  }
  nChannels[slot] = int16_t(kept);
  InvalidateUndoOfSlot(int16_t(slot));
  raiseDataGeneration(slot);
  rt::releaseInBackground(std::move(gone));
  return count;
}

bool DeleteChannel(int slot, int channel) {
  if (channel < 1 || channel > kMaxChannels) return false;
  std::array<bool, kMaxChannels + 1> one{};
  one[size_t(channel)] = true;
  return DeleteChannels(slot, one) == 1;
}

namespace {

// Label string and 0-based character position of a channel's cell.
void cellOf(int channel, int& string, size_t& first) {
  string = (channel - 1) / 8 + 1;
  first = size_t((channel - 1) % 8) * kLabelWidth;
}

}  // namespace

std::string RetrieveLabelOf(int slot, int channel) {
  if (channel < 1 || channel > kMaxChannels || slot < 0 || slot >= kSlots) return {};
  int s;
  size_t first;
  cellOf(channel, s, first);
  return rt::fitChars(rt::midChars(LabelStrings[slot][s], first, kLabelWidth), kLabelWidth);
}

std::string RetrieveLabel(int channel) { return RetrieveLabelOf(TheFileInUse, channel); }

void SetChannelLabel(int slot, int channel, const std::string& label) {
  if (channel < 1 || channel > kMaxChannels || slot < 0 || slot >= kSlots) return;
  int s;
  size_t first;
  cellOf(channel, s, first);
  rt::setMidChars(LabelStrings[slot][s], first, kLabelWidth, label);
}

void GetChanLABEL(int mode, int channel) {
  std::string mark = mode == 1 ? "<+ > " : mode == 2 ? "<del > " : "\u2206";
  EditRecord = "\r   " + mark + "  Channel" + rt::PSstrLong(channel) + ", " + rt::trimRight(RetrieveLabel(channel)) + ":  ";
}

}  // namespace qv
