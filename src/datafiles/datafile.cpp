#include "datafiles/datafile.h"

#include <algorithm>
#include <cstring>

namespace qv {

DataFileView viewOf(const DataFile& f) {
  DataFileView v;
  v.nCases = f.nCases;
  v.nChannels = f.nChannels;
  for (int c = 0; c <= kMaxChannels && c < int(f.channels.size()); ++c) v.channels[size_t(c)] = f.channels[size_t(c)].get();
  v.meta = &f.meta;
  return v;
}

FileMeta metaOfSlot(int slot) {
  FileMeta m;
  std::memcpy(m.info, FileInfoFLOATS[slot], sizeof m.info);
  m.name = FileName[slot];
  m.startDate = StartDate[slot];
  m.startTime = StartTime[slot];
  for (int c = 1; c <= kMaxChannels; ++c) m.labels[size_t(c)] = RetrieveLabelOf(slot, c);
  std::memcpy(m.variables, fileVariableArray[slot], sizeof m.variables);
  const int nm = std::clamp<int>(FileSHORTS[slot][5], 0, kMaxMarkers);
  m.markers.reserve(size_t(nm));
  for (int k = 1; k <= nm; ++k) m.markers.push_back({MarkersArray[slot][k][1], MarkersArray[slot][k][2]});
  m.comment = CommentContainer[slot];
  if (slot <= 20) {
    const int nn = std::clamp<int>(NumberOfNotes[slot], 0, kMaxNotes);
    m.notes.assign(fileRemarks[slot].begin(), fileRemarks[slot].begin() + std::min<size_t>(size_t(nn), fileRemarks[slot].size()));
  }
  return m;
}

DataFileView viewOfSlot(int slot, FileMeta& meta) {
  meta = metaOfSlot(slot);
  DataFileView v;
  v.nCases = nCases[slot];
  v.nChannels = nChannels[slot];
  for (int c = 0; c <= kMaxChannels; ++c) v.channels[size_t(c)] = gPointersToFileData[slot][c].get();
  v.meta = &meta;
  return v;
}

void commitDataFile(DataFile&& f, int slot) {
  freeSlotArrays(slot);
  nCases[slot] = f.nCases;
  nChannels[slot] = f.nChannels;
  for (int c = 0; c <= kMaxChannels && c < int(f.channels.size()); ++c)
    gPointersToFileData[slot][c] = std::move(f.channels[size_t(c)]);
  const FileMeta& m = f.meta;
  std::memcpy(FileInfoFLOATS[slot], m.info, sizeof m.info);
  FileName[slot] = m.name;
  StartDate[slot] = m.startDate;
  StartTime[slot] = m.startTime;
  for (int s = 1; s <= 5; ++s) LabelStrings[slot][s].assign(8 * kLabelWidth, ' ');
  for (int c = 1; c <= kMaxChannels; ++c) SetChannelLabel(slot, c, m.labels[size_t(c)]);
  std::memcpy(fileVariableArray[slot], m.variables, sizeof m.variables);
  const size_t nm = std::min<size_t>(m.markers.size(), kMaxMarkers);
  for (size_t k = 0; k < nm; ++k) {
    MarkersArray[slot][k + 1][1] = m.markers[k].kase;
    MarkersArray[slot][k + 1][2] = m.markers[k].code;
  }
  FileSHORTS[slot][5] = int16_t(nm);
  CommentContainer[slot] = m.comment;
  if (slot <= 20) {
    const size_t nn = std::min<size_t>(m.notes.size(), kMaxNotes);
    fileRemarks[slot].assign(m.notes.begin(), m.notes.begin() + long(nn));
    NumberOfNotes[slot] = int16_t(nn);
  }
}

void copySlotDescription(int from, int to) {
  nCases[to] = nCases[from];
  nChannels[to] = nChannels[from];
  std::memcpy(FileSHORTS[to], FileSHORTS[from], sizeof FileSHORTS[to]);
  std::memcpy(FileInfoFLOATS[to], FileInfoFLOATS[from], sizeof FileInfoFLOATS[to]);
  FileName[to] = FileName[from];
  StartDate[to] = StartDate[from];
  StartTime[to] = StartTime[from];
  for (int s = 0; s < 6; ++s) LabelStrings[to][s] = LabelStrings[from][s];
  CommentContainer[to] = CommentContainer[from];
}

}  // namespace qv
