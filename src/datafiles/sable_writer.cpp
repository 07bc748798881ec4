// Writing the cases of a file in the Sable ExpeData format, streamed in pieces.
#include <algorithm>
#include <bit>
#include <cstring>

#include "datafiles/sable_format.h"
#include "runtime/macroman.h"

namespace qv {

namespace {

constexpr size_t kChunkBytes = size_t(1) << 22;
constexpr uint32_t kMarkBits = 0x447AC000;  // 1003.0
constexpr float kChannelSingle = 10.0f;
constexpr int32_t kLargestPosition = kSableMarkerScale - 1;
constexpr int32_t kLargestCode = 2146;  // code x 1,000,000 + position stays a positive i32

class Out {
 public:
  explicit Out(const ChunkSink& sink) : sink_(sink) { buf_.reserve(kChunkBytes + 4096); }
  void u32(uint32_t w) {
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap32(w);
    const size_t at = buf_.size();
    buf_.resize(at + 4);
    std::memcpy(buf_.data() + at, &w, 4);
  }
  void single(float v) { u32(std::bit_cast<uint32_t>(v)); }
  // Mac Roman text cut or padded with blanks to n bytes.
  void text(std::string_view macRoman, size_t n) {
    for (size_t i = 0; i < n; ++i) buf_.push_back(i < macRoman.size() ? uint8_t(macRoman[i]) : uint8_t(' '));
  }
  bool flushIfFull() { return buf_.size() < kChunkBytes || flush(); }
  bool flush() {
    if (failed_ || buf_.empty()) return !failed_;
    failed_ = !sink_(buf_);
    buf_.clear();
    return !failed_;
  }
  bool failed() const { return failed_; }

 private:
  const ChunkSink& sink_;
  std::vector<uint8_t> buf_;
  bool failed_ = false;
};

std::string withoutLeadingBlanks(const std::string& s) {
  const size_t at = s.find_first_not_of(' ');
  return at == std::string::npos ? std::string() : s.substr(at);
}

void writeHeader(Out& out, const DataFileView& file, int32_t cases, size_t channels) {
  out.u32(kMarkBits);
  out.u32(kSableVersionBits);
  out.single(float(channels));
  out.single(float(cases));
  out.single(file.meta->info[1]);
}

bool writeRows(Out& out, const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels,
               const std::function<void(int64_t, int64_t)>& progress) {
  const int64_t total = (int64_t(last) - first + 1) * int64_t(channels.size());
  int64_t done = 0;
  for (int32_t k = first; k <= last; ++k) {
    for (int16_t c : channels) out.single(file.channels[size_t(c)][k]);
    done += int64_t(channels.size());
    if (!out.flushIfFull()) return false;
    if (progress && (k - first) % 65536 == 0) progress(done, total);
  }
  if (progress) progress(total, total);
  return true;
}

void writeEnd(Out& out, const FileMeta& meta, int32_t last) {
  // The saved rows end at entry `last`: the end of the recording they hold.
  const SableClock end = sableEndFromStart(meta.startDate, meta.startTime, double(last) * double(meta.info[1]));
  for (int v : {end.month, end.day, end.year, end.hours, end.minutes, end.seconds}) out.single(float(v));
}

int32_t writeMarkers(Out& out, const FileMeta& meta, int32_t first, int32_t last) {
  std::vector<uint32_t> words;
  int32_t leftOut = 0;
  for (const Marker& m : meta.markers) {
    if (m.kase <= first || m.kase > last) continue;
    const int32_t position = m.kase - first;
    if (position > kLargestPosition || m.code < 0 || m.code > kLargestCode) {
      ++leftOut;
      continue;
    }
    words.push_back(uint32_t(m.code) * uint32_t(kSableMarkerScale) + uint32_t(position));
  }
  out.u32(uint32_t(words.size()));
  for (uint32_t w : words) out.u32(w);
  return leftOut;
}

void writeRecord(Out& out, const FileMeta& meta, int c) {
  out.text(rt::utf8ToMacRoman(withoutLeadingBlanks(meta.labels[size_t(c)])), 24);
  out.text({}, 16 + 32);
  out.text(sableTransformName(meta.variables[c][5]), 32);
  out.text({}, 32);
  out.u32(0);
  out.u32(0);
  for (int s = 1; s <= 31; ++s) out.single(s == 2 ? meta.variables[c][2] : s == 3 ? meta.variables[c][3] : 0.0f);
}

}  // namespace

std::string writeSableFile(const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels,
                           const ChunkSink& sink, const std::function<void(int64_t, int64_t)>& progress,
                           SableSaveReport* report) {
  if (!file.meta || first < 0 || last > file.nCases || first >= last || channels.empty())
    return "there are no cases to save.";
  for (int16_t c : channels)
    if (c < 1 || c > file.nChannels || c > kMaxChannels || !file.channels[size_t(c)]) return "a channel to save is missing.";
  const FileMeta& meta = *file.meta;
  Out out(sink);
  writeHeader(out, file, last - first, channels.size());
  if (!writeRows(out, file, first, last, channels, progress)) return "the disk refused it.";
  for (size_t k = 0; k < channels.size() * 9; ++k) out.single(kChannelSingle);
  writeEnd(out, meta, last);
  out.text(rt::utf8ToMacRoman(meta.comment), size_t(kSableCommentBytes));
  const int32_t leftOut = writeMarkers(out, meta, first, last);
  if (report) report->markersLeftOut = leftOut;
  // The note count and the reserved word, left blank: the file carries no notes.
  out.text({}, 8);
  for (int16_t c : channels) writeRecord(out, meta, c);
  return out.flush() ? std::string() : "the disk refused it.";
}

std::vector<uint8_t> encodeSableFile(const DataFileView& file, int32_t first, int32_t last,
                                     std::span<const int16_t> channels, SableSaveReport* report) {
  std::vector<uint8_t> bytes;
  const std::string error = writeSableFile(
      file, first, last, channels,
      [&bytes](std::span<const uint8_t> chunk) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        return true;
      },
      {}, report);
  return error.empty() ? bytes : std::vector<uint8_t>{};
}

}  // namespace qv
