// Reading a Sable ExpeData file into a DataFile.
#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>

#include "datafiles/file_facts.h"
#include "datafiles/load_fixes.h"
#include "core/open_rules.h"
#include "datafiles/sable_format.h"
#include "runtime/bytes.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

namespace {

constexpr size_t kChunkBytes = size_t(1) << 18;
constexpr int64_t kTileRows = 64;
constexpr unsigned kMostThreads = 8;
constexpr uint64_t kParallelFrom = uint64_t(16) << 20;
constexpr int kFirstNoteCode = 129, kLastNoteCode = 198;

uint32_t le32(const uint8_t* p) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap32(w);
  return w;
}

bool allOnesExponent(uint32_t bits) { return ((bits >> 23) & 0xFF) == 0xFF; }

// Blanks at the end of a fixed text field are padding.
std::string trimmedField(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

std::string twoWide(int v) {
  std::string s = std::to_string(v);
  return s.size() >= 2 ? s.substr(s.size() - 2) : " " + s;
}

struct Reader {
  const ByteSource& source;
  SampleArray (*allocate)(int32_t);
  SableLoadResult res;
  int32_t channels = 0, kept = 0, cases = 0;
  uint64_t offset = 0;

  void refuse(LoadFailure kind) {
    res.failure = kind;
    res.file = DataFile{};
  }

  // The next n bytes of the file, or nothing when the file ends first.
  bool next(size_t n, std::vector<uint8_t>& into) {
    if (offset > source.size() || n > source.size() - offset) return false;
    into.resize(n);
    if (!source.readAt(offset, into.data(), n)) return false;
    offset += n;
    return true;
  }

  // Rows first .. first + count - 1 of the data block, decoded into the kept arrays. A tile
  // of rows stays in the first-level cache while every kept channel takes its values from
  // it, so each byte of the buffer comes from memory once.
  bool decodeRows(uint64_t dataStart, int64_t first, int64_t count, std::vector<uint8_t>& buffer) {
    const size_t rowBytes = size_t(channels) * 4;
    buffer.resize(size_t(count) * rowBytes);
    if (!source.readAt(dataStart + uint64_t(first) * rowBytes, buffer.data(), buffer.size())) return false;
    for (int64_t r0 = 0; r0 < count; r0 += kTileRows) {
      const int64_t rows = std::min(kTileRows, count - r0);
      const uint8_t* tile = buffer.data() + size_t(r0) * rowBytes;
      for (int c = 1; c <= kept; ++c) {
        float* a = res.file.channels[size_t(c)].get() + first + r0;
        const uint8_t* p = tile + size_t(c - 1) * 4;
        for (int64_t r = 0; r < rows; ++r, p += rowBytes) a[r] = sableSample(le32(p));
      }
    }
    return true;
  }

  // The data block straight from the source, a few megabytes of rows at a time, in parallel.
  bool readData(uint64_t dataStart) {
    const int64_t rows = int64_t(cases) + 1;
    const int64_t rowsPerChunk = std::max<int64_t>(1, int64_t(kChunkBytes / (size_t(channels) * 4)));
    const int64_t chunks = (rows + rowsPerChunk - 1) / rowsPerChunk;
    const uint64_t total = uint64_t(rows) * uint64_t(channels) * 4;
    unsigned threads = std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()), kMostThreads);
    if (total < kParallelFrom) threads = 1;
    std::atomic<int64_t> nextChunk{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
      std::vector<uint8_t> buffer;
      try {
        for (int64_t k = nextChunk++; k < chunks && !failed; k = nextChunk++) {
          const int64_t first = k * rowsPerChunk;
          if (!decodeRows(dataStart, first, std::min(rowsPerChunk, rows - first), buffer)) failed = true;
        }
      } catch (const std::bad_alloc&) {
        failed = true;
      }
    };
    std::vector<std::jthread> helpers;
    try {
      for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(work);
    } catch (const std::system_error&) {
      // No more threads to be had: those started and this one share the work.
    }
    work();
    helpers.clear();
    return !failed;
  }

  // The header: false when the file is damaged (or has too many cases, as the report says).
  bool readHeader(float& interval) {
    std::vector<uint8_t> h;
    if (!next(kSableHeaderBytes, h)) return false;
    const uint32_t version = le32(&h[4]), c = le32(&h[8]), n = le32(&h[12]);
    if (allOnesExponent(version) || allOnesExponent(c) || allOnesExponent(n)) return false;
    const double channelCount = std::trunc(std::bit_cast<float>(c)), caseCount = std::trunc(std::bit_cast<float>(n));
    if (!(channelCount >= 1) || !(caseCount >= 1)) return false;
    if (caseCount > kMaxCases) {
      res.report.tooManyCases = true;
      return false;
    }
    // A row holds every channel: the rows must lie within the file.
    const double dataBytes = (caseCount + 1) * channelCount * 4;
    if (dataBytes > double(source.size() - offset)) return false;
    channels = int32_t(channelCount);
    cases = int32_t(caseCount);
    kept = std::min<int32_t>(channels, kMaxChannels);
    res.report.version = std::bit_cast<float>(version);
    res.report.channelsInFile = channels;
    interval = std::bit_cast<float>(le32(&h[16]));
    return true;
  }

  void readMarkers(std::span<const uint8_t> words, std::vector<OnlineNote>& notes) {
    SableLoadReport& rep = res.report;
    auto& markers = res.file.meta.markers;
    for (size_t k = 0; k + 4 <= words.size(); k += 4) {
      const uint32_t w = le32(&words[k]);
      Marker m{int32_t(w % kSableMarkerScale), int32_t(w / kSableMarkerScale)};
      if (m.kase < 1 || m.kase > cases) {
        ++rep.markersDropped;
        continue;
      }
      if (int(markers.size()) >= kMaxMarkers) continue;
      markers.push_back(m);
      if (m.code >= kFirstNoteCode && m.code <= kLastNoteCode && int(notes.size()) < kNotesKeptOnLoad) {
        OnlineNote note;
        note.caseText = rt::PSstrLong(m.kase);
        notes.push_back(note);
      }
    }
  }

  // Date and time, comment and markers; false when the file ends inside them.
  bool readTrailer() {
    std::vector<uint8_t> b;
    if (!next(size_t(channels) * 36 + 24 + kSableCommentBytes + 4, b)) return false;
    rt::ByteReader r(b);
    r.skip(size_t(channels) * 36);
    double end[6];
    for (double& v : end) {
      const uint32_t bits = r.u32le();
      v = allOnesExponent(bits) ? 0.0 : double(std::bit_cast<float>(bits));
    }
    FileMeta& m = res.file.meta;
    const SableStart start = sableStartFromEnd(end, double(cases) * double(m.info[1]));
    m.startDate = start.date;
    m.startTime = start.time;
    m.comment = rt::macRomanToUtf8(trimmedField(r.bytes(kSableCommentBytes)));
    const uint32_t count = r.u32le();
    if (count > uint32_t(INT32_MAX) || uint64_t(count) * 4 > source.size() - offset) return false;
    res.report.markersInFile = int32_t(count);
    std::vector<uint8_t> words;
    if (!next(size_t(count) * 4, words)) return false;
    readMarkers(words, m.notes);
    return true;
  }

  // Notes of the markers that opened them: their texts, also appended to the comment.
  void readNotes(rt::ByteReader& r, int32_t count) {
    FileMeta& m = res.file.meta;
    const double startSeconds = double(m.info[8]) * 60;
    for (int32_t n = 1; n <= count; ++n) {
      const std::string text = rt::macRomanToUtf8(trimmedField(r.bytes(kSableNoteBytes - 1)));
      r.skip(1);
      m.comment += "\r     " + rt::macRomanChar(0xA5) + "  marker" + rt::PSstrLong(n) + ":  " + text;
      if (size_t(n) > m.notes.size()) continue;
      OnlineNote& note = m.notes[size_t(n - 1)];
      double t = startSeconds + double(m.info[1]) * rt::PSval(note.caseText);
      if (!std::isfinite(t)) t = 0;
      t = std::fmod(t, 86400.0);
      if (t < 0) t += 86400.0;
      const int s = int(t);
      note.timeText = twoWide(s / 3600) + ":" + twoWide(s % 3600 / 60) + ":" + twoWide(s % 60);
      note.text = text;
    }
  }

  // Notes, the reserved word and a record a channel: labels, transforms, coefficients.
  bool readRecords() {
    const uint64_t left = source.size() - offset;
    const uint64_t recordBytes = 4 + uint64_t(channels) * kSableRecordBytes;
    std::vector<uint8_t> b;
    if (!next(4, b)) return false;
    const uint32_t m = le32(b.data());
    // Notes are there only when their count is one and the rest of the file is theirs and
    // the records'; a writer that leaves the count blank has none.
    const int32_t notes =
        m >= 1 && m <= uint32_t(kSableMostNotes) && left - 4 >= uint64_t(m) * kSableNoteBytes + recordBytes ? int32_t(m) : 0;
    if (!next(size_t(notes) * kSableNoteBytes + size_t(recordBytes), b)) return false;
    rt::ByteReader r(b);
    readNotes(r, notes);
    r.skip(4);
    FileMeta& meta = res.file.meta;
    for (int c = 1; c <= channels; ++c) {
      const std::string label = rt::macRomanToUtf8(r.bytes(24));
      r.skip(16 + 32);
      const std::string transform = r.bytes(32);
      r.skip(32 + 8);
      float slots[32];
      for (int s = 1; s <= 31; ++s) slots[s] = std::bit_cast<float>(r.u32le());
      if (c > kMaxChannels) continue;
      float* v = meta.variables[c];
      v[2] = 0, v[3] = 1, v[4] = 1;
      meta.labels[size_t(c)] = rt::fitChars(" " + label, kLabelWidth);
      if (const std::optional<float> code = sableTransformCode(transform)) v[5] = *code;
      v[2] = slots[2];
      v[3] = v[5] == 8.0f ? 1.0f : slots[3];
    }
    res.report.hasLabels = channels >= 1;
    return !r.failed();
  }

  bool allocateArrays() {
    DataFile& f = res.file;
    for (int c = 0; c <= kept; ++c) {
      f.channels[size_t(c)] = allocate(cases);
      if (!f.channels[size_t(c)]) return false;
    }
    std::fill_n(f.channels[0].get(), size_t(cases) + 1, 0.0f);
    return true;
  }

  void describe() {
    SableLoadReport& rep = res.report;
    if (rep.markersDropped > 0) rep.warnings.push_back(markersDroppedLine(rep.markersDropped));
  }

  void run() {
    float interval = 0;
    if (!readHeader(interval)) return refuse(LoadFailure::Damaged);
    if (!allocateArrays()) return refuse(LoadFailure::OutOfMemory);
    const uint64_t dataStart = offset;
    if (!readData(dataStart)) return refuse(LoadFailure::Damaged);
    offset = dataStart + (uint64_t(cases) + 1) * uint64_t(channels) * 4;

    DataFile& f = res.file;
    FileMeta& m = f.meta;
    f.nCases = cases;
    f.nChannels = int16_t(kept);
    const SampleIntervalCheck check = sampleIntervalCheck(interval);
    res.report.zeroInterval = check.needsWarning;
    m.info[1] = std::isfinite(interval) ? interval : 0.0f;
    for (int c = 1; c <= kept; ++c) m.labels[size_t(c)] = rt::fitChars(kSableNoLabel, kLabelWidth);
    if (res.report.version > 1.0f && !readTrailer()) return refuse(LoadFailure::Damaged);
    m.info[8] = float(startTimeOfDayMinutes(m.startTime));
    if (offset < source.size() && !readRecords()) return refuse(LoadFailure::Damaged);
    m.info[1] = check.interval;
    m.info[2] = 100.0f, m.info[4] = 760.0f, m.info[5] = 1.0f, m.info[6] = 1.0f, m.info[7] = 8.0f;
    describe();
  }
};

}  // namespace

SableLoadResult decodeSableFile(const ByteSource& source, SampleArray (*allocate)(int32_t)) {
  Reader reader{source, allocate ? allocate : allocateSamples, {}};
  try {
    reader.run();
  } catch (const std::bad_alloc&) {
    reader.refuse(LoadFailure::OutOfMemory);
  }
  return std::move(reader.res);
}

}  // namespace qv
