#include "core/filetable.h"

#include <cstring>
#include <new>

#include "core/undo.h"

#include "runtime/large_pages.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "core/data_generation.h"

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

bool DeleteChannel(int slot, int channel) {
  if (slot < 0 || slot >= kSlots) return false;
  const int n = nChannels[slot];
  if (n <= 1 || n > kMaxChannels || channel < 1 || channel > n) return false;
  for (int j = channel; j < n; ++j) {
    gPointersToFileData[slot][j] = std::move(gPointersToFileData[slot][j + 1]);
    std::memcpy(fileVariableArray[slot][j], fileVariableArray[slot][j + 1], sizeof fileVariableArray[slot][j]);
    SetChannelLabel(slot, j, RetrieveLabelOf(slot, j + 1));
  }
  gPointersToFileData[slot][n].reset();
  std::memset(fileVariableArray[slot][n], 0, sizeof fileVariableArray[slot][n]);
  SetChannelLabel(slot, n, "");
  nChannels[slot] = int16_t(n - 1);
  InvalidateUndoOfSlot(int16_t(slot));
  raiseDataGeneration(slot);
  return true;
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
