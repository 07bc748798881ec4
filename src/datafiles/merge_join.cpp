#include <algorithm>
#include <cstring>

#include "core/text_constants.h"
#include "datafiles/merge.h"
#include "datafiles/resample.h"

namespace qv {

namespace {

double intervalRatio(const DataFileView& a, const DataFile& b) {
  return statedInterval(b.meta.info[1]) / statedInterval(a.meta->info[1]);
}

bool adjusting(const MergeChoices& c, const DataFileView& a, const DataFile& b) {
  return c.interval == IntervalChoice::Adjust && statedInterval(a.meta->info[1]) > 0 &&
         statedInterval(b.meta.info[1]) > 0;
}

bool hasData(const DataFileView& a, const DataFile& b) {
  return a.nCases >= 1 && a.nCases <= kMaxCases && b.nCases >= 1 && b.nCases <= kMaxCases && a.nChannels >= 1 &&
         a.nChannels <= kMaxChannels && b.nChannels >= 1 && b.nChannels <= kMaxChannels;
}

float jointInterval(const MergeChoices& c, const DataFileView& a, const DataFile& b) {
  return c.interval == IntervalChoice::New ? b.meta.info[1] : a.meta->info[1];
}

// Every array of the joint file, zeroed, or none when memory is short.
bool allocateJoint(DataFile& j, int channels, int32_t cases, SampleArray (*allocate)(int32_t)) {
  for (int c = 0; c <= channels; ++c) {
    if (!(j.channels[size_t(c)] = allocate(cases))) return false;
    std::fill_n(j.channels[size_t(c)].get(), size_t(cases) + 1, 0.0f);
  }
  return true;
}

void keepMarkers(std::vector<Marker>& out, const std::vector<Marker>& in, const CaseMapping& map, int32_t count) {
  for (const Marker& m : in) {
    if (out.size() >= size_t(kMaxMarkers)) return;
    out.push_back({int32_t(std::clamp<int64_t>(map(m.kase), 1, count)), m.code});
  }
}

std::string joinedComment(const DataFileView& a, const DataFile& b, const MergeChoices& c) {
  return MergeComments(a.meta->comment, c.commentMode, a.meta->name, b.meta.name, b.meta.comment);
}

}  // namespace

int channelsThatFit(int channels) { return std::max(0, kMaxChannels - channels); }

bool appendFits(int32_t casesA, int32_t casesB) { return int64_t(casesA) + casesB <= kMaxCases; }

std::string MergeComments(const std::string& comment, int mode, const std::string& originalName,
                          const std::string& newName, const std::string& newComment) {
  const std::string lead = "  -- > Merged the file:  '" + newName + " '; ";
  std::string out = mode == 1 ? std::string() : comment;
  out += "\r" + bullet + "  original file:  '" + originalName + "'\r";
  if (mode == 0) out += lead + "comments are from original file\r\r";
  else if (mode == 1) out += lead + "comments are from appended file\r\r" + newComment;
  else if (mode == 2) out += lead + "appended file's comments follow:\r\r" + newComment;
  return out;
}

MergeResult appendFiles(const DataFileView& a, const DataFile& b, const MergeChoices& choices,
                        SampleArray (*allocate)(int32_t)) {
  const int32_t nA = a.nCases, nB = b.nCases;
  if (!hasData(a, b)) return {std::nullopt, MergeRefusal::NoData};
  if (!appendFits(nA, nB)) return {std::nullopt, MergeRefusal::TooManyCases};
  const bool adjust = adjusting(choices, a, b);
  const CaseMapping map{adjust ? intervalRatio(a, b) : 1.0, 0, nA};
  const int64_t count = std::max<int64_t>(nA, map(nB));
  if (count > kMaxCases) return {std::nullopt, MergeRefusal::TooManyCases};
  const int channels = std::max<int>(a.nChannels, b.nChannels);

  MergeResult r;
  DataFile& j = r.file.emplace();
  if (!allocateJoint(j, channels, int32_t(count), allocate)) return {std::nullopt, MergeRefusal::NoMemory};
  j.nCases = int32_t(count);
  j.nChannels = int16_t(channels);
  for (int c = 1; c <= channels; ++c) {
    float* dst = j.channels[size_t(c)].get();
    if (c <= a.nChannels) std::memcpy(dst, a.channels[size_t(c)], (size_t(nA) + 1) * sizeof(float));
    // A second file at a finer interval has its first samples fall on the last case of the
    // first: the open file's cases are kept as they are, the appended ones start after them.
    if (c <= b.nChannels) placeSamples(b.channels[size_t(c)].get(), 1, nB, map, {dst, size_t(count) + 1}, nA, nA);
  }

  FileMeta& m = j.meta;
  m = *a.meta;
  m.info[1] = jointInterval(choices, a, b);
  if (choices.newStartTime) m.startTime = b.meta.startTime;
  if (choices.newStartDate) m.startDate = b.meta.startDate;
  for (int c = 1; c <= channels; ++c) {
    const bool fromB = c > a.nChannels || (choices.picker[size_t(c)] != 0 && c <= b.nChannels);
    if (fromB) m.labels[size_t(c)] = b.meta.labels[size_t(c)];
    if (c > a.nChannels) std::memcpy(m.variables[c], b.meta.variables[c], sizeof m.variables[c]);
  }
  keepMarkers(m.markers, b.meta.markers, map, j.nCases);
  m.comment = joinedComment(a, b, choices);
  return r;
}

MergeResult stackFiles(const DataFileView& a, const DataFile& b, const MergeChoices& choices,
                       SampleArray (*allocate)(int32_t)) {
  if (!hasData(a, b)) return {std::nullopt, MergeRefusal::NoData};
  int added = 0;
  for (int k = 1; k <= b.nChannels; ++k) added += choices.picker[size_t(k)] != 0 ? 1 : 0;
  if (added > channelsThatFit(a.nChannels)) return {std::nullopt, MergeRefusal::TooManyChannels};
  const bool adjust = adjusting(choices, a, b);
  const CaseMapping map{adjust ? intervalRatio(a, b) : 1.0, 0, 0};
  const int64_t count = std::max<int64_t>(a.nCases, map(b.nCases));
  if (count > kMaxCases) return {std::nullopt, MergeRefusal::TooManyCases};
  const int channels = a.nChannels + added;

  MergeResult r;
  DataFile& j = r.file.emplace();
  if (!allocateJoint(j, channels, int32_t(count), allocate)) return {std::nullopt, MergeRefusal::NoMemory};
  j.nCases = int32_t(count);
  j.nChannels = int16_t(channels);
  FileMeta& m = j.meta;
  m = *a.meta;
  for (int c = 1; c <= a.nChannels; ++c)
    std::memcpy(j.channels[size_t(c)].get(), a.channels[size_t(c)], (size_t(a.nCases) + 1) * sizeof(float));
  // The k-th channel added is channel cA + k, with its label and coefficients.
  int to = a.nChannels;
  for (int k = 1; k <= b.nChannels; ++k) {
    if (choices.picker[size_t(k)] == 0) continue;
    ++to;
    const float* src = b.channels[size_t(k)].get();
    float* dst = j.channels[size_t(to)].get();
    dst[0] = src[1];
    placeSamples(src, 1, b.nCases, map, {dst, size_t(count) + 1}, 0);
    m.labels[size_t(to)] = b.meta.labels[size_t(k)];
    std::memcpy(m.variables[to], b.meta.variables[k], sizeof m.variables[to]);
  }

  m.info[1] = jointInterval(choices, a, b);
  if (!choices.keepOldFileData) {
    for (int w = 2; w <= 7; ++w) m.info[w] = b.meta.info[w];
    m.startTime = b.meta.startTime;
    m.startDate = b.meta.startDate;
  }
  m.markers.clear();
  if (choices.markers != 2) keepMarkers(m.markers, a.meta->markers, CaseMapping{}, j.nCases);
  if (choices.markers != 1) keepMarkers(m.markers, b.meta.markers, map, j.nCases);
  std::stable_sort(m.markers.begin(), m.markers.end(), [](const Marker& x, const Marker& y) { return x.kase < y.kase; });
  m.comment = joinedComment(a, b, choices);
  return r;
}

}  // namespace qv
