#include "editing/slot_reshape.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/channel_roles.h"
#include "core/channel_selection.h"
#include "core/data_generation.h"
#include "core/filetable.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafile.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "plot/plot_state.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

// What every reshape leaves behind: a changed file whose undo copy no longer fits it.
void reshaped(int slot) {
  InvalidateUndoOfSlot(int16_t(slot), UndoLoss::FileReshaped);
  raiseDataGeneration(slot);
  NoUndoChange = 1;
  FileSHORTS[slot][kChangeMarkWord] = 1;
  FileSHORTS[slot][kZoomedWord] = 0;
}

std::span<float> samplesOf(int slot, int channel, int32_t cases) {
  return {channelData(slot, channel), size_t(cases) + 1};
}

}  // namespace

std::vector<reshape::Marker> slotMarkers(int slot) {
  const int count = std::clamp<int>(FileSHORTS[slot][kMarkerCountWord], 0, kMaxMarkers);
  std::vector<reshape::Marker> table(static_cast<size_t>(count));
  for (int k = 1; k <= count; ++k) table[size_t(k - 1)] = {MarkersArray[slot][k][1], MarkersArray[slot][k][2]};
  return table;
}

void setSlotMarkers(int slot, std::span<const reshape::Marker> table) {
  const int count = int(std::min<size_t>(table.size(), size_t(kMaxMarkers)));
  for (int k = 1; k <= count; ++k) {
    MarkersArray[slot][k][1] = table[size_t(k - 1)].kase;
    MarkersArray[slot][k][2] = table[size_t(k - 1)].code;
  }
  FileSHORTS[slot][kMarkerCountWord] = int16_t(count);
}

bool moveStartTime(int slot, double seconds) {
  const std::optional<reshape::StartTime> moved = reshape::startMoved(StartTime[slot], seconds);
  if (!moved) return false;
  StartTime[slot] = moved->text;
  FileInfoFLOATS[slot][8] = moved->minutes;
  return true;
}

ReshapeOutcome cutFileBlock(int slot, int32_t b, int32_t e, bool insertMarker) {
  const int32_t n = nCases[slot];
  if (b < 1 || e < b || e > n || e - b + 1 >= n) return {};
  for (int c = 1; c <= nChannels[slot]; ++c) reshape::cutCases(samplesOf(slot, c, n), b, e);
  nCases[slot] = n - (e - b + 1);
  setSlotMarkers(slot, reshape::markersAfterCut(slotMarkers(slot), b, e, insertMarker, nCases[slot]));
  ReshapeOutcome out{true, false};
  // The first case kept, old case e + 1, is case 1 now: the start moves to its time.
  if (b == 1) out.startTimeUnread = !moveStartTime(slot, double(e + 1) * FileInfoFLOATS[slot][1]);
  reshaped(slot);
  return out;
}

ReshapeOutcome cropFile(int slot, int32_t b, int32_t e) {
  const int32_t n = nCases[slot];
  if (b < 1 || e < b || e > n) return {};
  for (int c = 1; c <= nChannels[slot]; ++c) reshape::cropCases(samplesOf(slot, c, n), b, e);
  nCases[slot] = e - b + 1;
  setSlotMarkers(slot, reshape::markersAfterCrop(slotMarkers(slot), b, e));
  ReshapeOutcome out{true, false};
  out.startTimeUnread = !moveStartTime(slot, double(b) * FileInfoFLOATS[slot][1]);
  reshaped(slot);
  return out;
}

int deleteChannels(int slot, std::span<const bool> ticked) {
  const int16_t n = nChannels[slot];
  int count = 0;
  for (int c = 1; c <= n; ++c) count += size_t(c) < ticked.size() && ticked[size_t(c)];
  if (count == 0 || count >= n) return 0;
  const reshape::ChannelMap map = reshape::mapAfterDeletion(n, ticked);
  for (int c = n; c >= 1; --c)
    if (size_t(c) < ticked.size() && ticked[size_t(c)]) logEdit(2, int16_t(c), "DELETED");
  DeleteChannels(slot, ticked);
  reshaped(slot);
  followChannels(slot, map);
  return count;
}

bool writeBackupFile(int slot, const std::string& path, std::string& error) {
  FileMeta meta;
  const DataFileView view = viewOfSlot(slot, meta);
  std::vector<int16_t> channels(size_t(nChannels[slot]));
  for (size_t i = 0; i < channels.size(); ++i) channels[i] = int16_t(i + 1);
  rt::makeFolders(rt::folderOf(path));
  // Streamed: a copy of the whole file in memory would cost as much again as its writing.
  rt::AtomicFileWriter out(path);
  if (out.failed()) {
    error = out.error();
    return false;
  }
  error = writeFPBinary(view, 0, nCases[slot], channels, StartDate[slot], StartTime[slot],
                        [&out](std::span<const uint8_t> piece) { return out.write(piece.data(), piece.size()); });
  if (!error.empty()) {
    if (out.failed()) error = out.error();
    return false;
  }
  if (out.commit()) return true;
  error = out.error();
  return false;
}

void rearrangeChannels(int slot, std::span<const int16_t> order) {
  const int16_t n = nChannels[slot];
  const reshape::ChannelMap map = reshape::mapAfterRearrange(n, order);
  std::array<SampleArray, kMaxChannels + 1> arrays;
  std::array<std::string, kMaxChannels + 1> labels;
  static float rows[kMaxChannels + 1][41];
  std::memcpy(rows, fileVariableArray[slot], sizeof rows);
  for (int c = 1; c <= n; ++c) {
    arrays[size_t(c)] = std::move(gPointersToFileData[slot][c]);
    labels[size_t(c)] = RetrieveLabelOf(slot, c);
  }
  for (int s = 1; s <= 5; ++s) LabelStrings[slot][s] = std::string(8 * kLabelWidth, ' ');
  int16_t m = 0;
  for (int c = 1; c <= n; ++c) {
    const int16_t k = map[size_t(c)];
    if (k == 0) continue;
    gPointersToFileData[slot][k] = std::move(arrays[size_t(c)]);
    std::memcpy(fileVariableArray[slot][k], rows[c], sizeof rows[c]);
    SetChannelLabel(slot, k, labels[size_t(c)]);
    m = std::max(m, k);
  }
  for (int k = m + 1; k <= n; ++k) std::memset(fileVariableArray[slot][k], 0, sizeof fileVariableArray[slot][k]);
  nChannels[slot] = m;
  reshaped(slot);
  followChannels(slot, map);
}

void followChannels(int slot, const reshape::ChannelMap& map) {
  using reshape::follow;
  ActiveChannel = 1;
  if (slot >= 0 && slot < kSlots) ActiveChannelArray[slot] = 1;
  chanB = follow(map, chanB, 1);
  FileSHORTS[slot][kBlockChannelWord] = follow(map, FileSHORTS[slot][kBlockChannelWord], 1);
  LastChan = follow(map, LastChan, 1);
  ChangedChan = follow(map, ChangedChan, 1);
  MainDataChannel = follow(map, MainDataChannel, 1);
  SecondChannel = follow(map, SecondChannel, 0);
  DestinationChannel = follow(map, DestinationChannel, 0);
  FlowRateChannel = follow(map, FlowRateChannel, 0);
  if (slot < 0 || slot > 20) return;
  for (int row = 0; row < 4; ++row) {
    std::array<int16_t, kMaxChannels + 1> old{};
    for (int c = 1; c <= kMaxChannels; ++c) old[size_t(c)] = overlayFlag(slot, row, c);
    for (int c = 1; c <= kMaxChannels; ++c) overlayFlag(slot, row, c) = 0;
    for (int c = 1; c <= kMaxChannels; ++c)
      if (map[size_t(c)] != 0) overlayFlag(slot, row, map[size_t(c)]) = old[size_t(c)];
  }
}

}  // namespace qv
