// Reading the own binary format into a DataFile.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "datafiles/binary_format.h"
#include "datafiles/array_reading.h"
#include "datafiles/byte_source.h"
#include "datafiles/file_facts.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_fixes.h"
#include "core/open_rules.h"
#include "runtime/bytes.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

constexpr size_t kDateBytes = 10, kTimeBytes = 8;
constexpr size_t kChannelRecordBytes = 5 * 4 + kLabelWidth;
constexpr size_t kTrailerBytes = 7 * 4;
constexpr size_t kLongestHead = 255;
// Read at once from the start of a file: more than the signature line, header, comment head,
// 40 channel records and the file values take.
constexpr size_t kFrontBytes = 4096;
constexpr uint8_t kCR = 13, kEndOfText = 27, kNotesMark = 240, kWordOneMark = 255;
constexpr uint8_t kQuote = 34, kMacRomanBullet = 165;

struct Header {
  int32_t cases = 0;
  int16_t channels = 0;
  float interval = 0;
  std::string date, time;  // Mac Roman
  float headLength = 0;
};

Header readHeader(rt::ByteReader& r, bool wideCount) {
  Header h;
  h.cases = wideCount ? r.i32be() : r.i16be();
  h.interval = r.f32be();
  h.channels = r.i16be();
  h.date = r.bytes(kDateBytes);
  h.time = r.bytes(kTimeBytes);
  h.headLength = r.f32be();
  return h;
}

bool countsFit(const Header& h) {
  return h.cases >= 1 && h.cases <= kMaxCases && h.channels >= 1 && h.channels <= kMaxChannels;
}

// A line of the text sections: the bytes up to a carriage return (not kept) or the end.
// False when the end was reached before the line began.
bool readLine(rt::ByteReader& r, std::string& line) {
  if (r.atEnd()) return false;
  line.clear();
  while (!r.atEnd()) {
    const uint8_t b = r.u8();
    if (b == kCR) break;
    line.push_back(char(b));
  }
  return true;
}

// A number item: line ends and blanks before it skipped, then up to a comma or line end.
bool readItem(rt::ByteReader& r, std::string& item) {
  item.clear();
  uint8_t b = 0;
  do {
    if (r.atEnd()) return false;
    b = r.u8();
  } while (b == ' ' || b == '\t' || b == kCR || b == '\n');
  while (b != ',' && b != kCR && b != '\n') {
    item.push_back(char(b));
    if (r.atEnd()) break;
    b = r.u8();
  }
  return true;
}

struct Reader {
  const ByteSource& source;
  const BinaryDecodeOptions& options;
  BinaryLoadResult res;

  void refuse(LoadFailure kind) {
    res.failure = kind;
    res.error = std::string(kind == LoadFailure::OutOfMemory ? kLoadMemoryMessage : kDamagedFileMessage);
    res.file = DataFile{};
  }

  // The marker count is the last field of the front; the pairs follow it in the file.
  // False when the count is no count or the pairs run past the end.
  bool readMarkers(rt::ByteReader& front, int32_t cases, uint64_t& offset) {
    const int16_t count = front.i16be();
    if (front.failed() || count < 0) return false;
    offset = front.pos();
    const bool wide = cases >= kSixteenBitCaseLimit;
    const size_t pairBytes = wide ? 8 : 4;
    std::vector<uint8_t> pairs(size_t(count) * pairBytes);
    if (!source.readAt(offset, pairs.data(), pairs.size())) return false;
    offset += pairs.size();
    rt::ByteReader r(pairs);
    BinaryLoadReport& rep = res.report;
    rep.markersInFile = count;
    rep.tooManyMarkers = count > kMaxMarkers;
    auto& markers = res.file.meta.markers;
    markers.reserve(size_t(std::min<int>(count, kMaxMarkers)));
    for (int k = 0; k < count; ++k) {
      Marker m;
      m.kase = wide ? r.i32be() : r.i16be();
      m.code = wide ? r.i32be() : r.i16be();
      if (m.kase < 1 || m.kase > cases)
        ++rep.markersDropped;
      else if (int(markers.size()) < kMaxMarkers)
        markers.push_back(m);
    }
    return true;
  }

  // Every array is allocated first, then filled straight from the source and turned to host
  // order in place: the file's bytes are never held twice. Channels are read in parallel.
  bool readArrays(uint64_t offset, const Header& h, bool bigEndian) {
    DataFile& f = res.file;
    const size_t entries = size_t(h.cases) + 1;
    for (int c = 0; c <= h.channels; ++c) {
      f.channels[size_t(c)] = options.allocate(h.cases);
      if (!f.channels[size_t(c)]) {
        res.failure = LoadFailure::OutOfMemory;
        return false;
      }
    }
    std::fill_n(f.channels[0].get(), entries, 0.0f);
    std::vector<float*> arrays;
    for (int c = 1; c <= h.channels; ++c) arrays.push_back(f.channels[size_t(c)].get());
    if (!fillArrays(source, offset, arrays, entries, bigEndian)) {
      res.failure = LoadFailure::Damaged;
      return false;
    }
    return true;
  }

  void readNotes(rt::ByteReader& r, int32_t cases) {
    BinaryLoadReport& rep = res.report;
    r.skip(1);
    std::string line;
    double count = readLine(r, line) ? std::trunc(rt::PSval(line)) : -1;
    if (!(count >= 0)) {
      rep.notesCut = true;
      return;
    }
    count = std::min(count, 1e9);
    rep.notesInFile = int32_t(count);
    auto& notes = res.file.meta.notes;
    for (int32_t k = 0; k < rep.notesInFile; ++k) {
      OnlineNote n;
      if (!readLine(r, n.caseText) || !readLine(r, n.timeText) || !readLine(r, n.text)) {
        rep.notesCut = true;
        return;
      }
      const double at = rt::PSval(n.caseText);
      if (!(at >= 1 && at <= cases)) {
        ++rep.notesDropped;
      } else if (int(notes.size()) >= kNotesKeptOnLoad) {
        ++rep.notesSkipped;
      } else {
        n.caseText = rt::macRomanToUtf8(n.caseText);
        n.timeText = rt::macRomanToUtf8(n.timeText);
        n.text = rt::macRomanToUtf8(n.text);
        notes.push_back(std::move(n));
      }
    }
  }

  // The comment, the notes and the word-one numbers, byte by byte to the end.
  void readTextSections(rt::ByteReader& r, const Header& h) {
    std::string comment;
    while (!r.atEnd()) {
      const uint8_t b = r.u8();
      if (b == kNotesMark) {
        readNotes(r, h.cases);
      } else if (b == kWordOneMark) {
        std::string item;
        for (int c = 0; c <= h.channels && readItem(r, item); ++c)
          res.file.meta.variables[c][1] = float(rt::PSval(item));
      } else if (b == kEndOfText) {
        // The writer closes the comment with a carriage return of its own.
        if (!comment.empty() && comment.back() == '\r') comment.pop_back();
      } else if (b >= 11 && b <= 229) {
        comment.push_back(char(b == kQuote ? kMacRomanBullet : b));
      }
    }
    res.file.meta.comment = rt::macRomanToUtf8(comment);
  }

  // Besides the markers caution, which has a window of its own.
  void describeDrops() {
    BinaryLoadReport& rep = res.report;
    auto& w = rep.warnings;
    if (rep.markersDropped > 0)
      w.push_back(markersDroppedLine(rep.markersDropped));
    if (rep.notesDropped > 0)
      w.push_back(std::to_string(rep.notesDropped) + " note(s) outside the file's cases were left out.");
    if (rep.notesSkipped > 0) w.push_back("Only the first" + rt::PSstrLong(kNotesKeptOnLoad) + " notes were loaded.");
    if (rep.notesCut) w.push_back("The notes are incomplete; those read whole were loaded.");
  }

  // The header and everything before the arrays; false when the file is damaged.
  bool readFront(rt::ByteReader& r, Header& h) {
    // The signature line: the file's first number, then a carriage return.
    const auto head = r.take(std::min<size_t>(r.size(), 256));
    const auto cr = std::find(head.begin(), head.end(), kCR);
    const int64_t signature = firstTextNumber(head);
    if (cr == head.end() || (signature != -999 && signature != -9999 && signature != -99999)) return false;
    const size_t start = size_t(cr - head.begin()) + 1;
    BinaryLoadReport& rep = res.report;
    rep.signature = int32_t(signature);

    r.seek(start);
    rep.thirtyTwoBitCounts = signature != -999;
    h = readHeader(r, rep.thirtyTwoBitCounts);
    if (signature == -999 && (h.cases <= 0 || h.channels < 1 || h.channels > kMaxChannels)) {
      // Some files signed "-999" carry a 32-bit case count.
      r.seek(start);
      h = readHeader(r, true);
      rep.thirtyTwoBitCounts = true;
    }
    if (r.failed() || !countsFit(h) || !std::isfinite(h.headLength)) return false;
    // The head repeats the start of the comment, which follows in full after the arrays.
    if (h.headLength >= 1.0f && (h.headLength > float(kLongestHead) || !r.skip(size_t(h.headLength)))) return false;

    FileMeta& m = res.file.meta;
    if (size_t(h.channels) * kChannelRecordBytes + 5 * 4 > r.remaining()) return false;
    for (int c = 1; c <= h.channels; ++c) {
      for (int w = 2; w <= 6; ++w) m.variables[c][w] = r.f32be();
      m.labels[size_t(c)] = rt::macRomanToUtf8(r.bytes(kLabelWidth));
    }
    for (int w : {2, 6, 4, 3, 5}) m.info[w] = r.f32be();
    return true;
  }

  // The trailer and the text sections: whatever follows the arrays.
  bool readTail(uint64_t offset, const Header& h) {
    std::vector<uint8_t> tail(size_t(source.size() - offset));
    if (!source.readAt(offset, tail.data(), tail.size())) return false;
    res.report.hasTrailer = !tail.empty();
    if (tail.empty()) return true;
    if (tail.size() < kTrailerBytes) return false;
    rt::ByteReader r(tail);
    res.file.meta.info[7] = r.f32be();
    for (int c = 1; c <= 6; ++c) res.file.meta.variables[c][14] = r.f32be();
    readTextSections(r, h);
    return true;
  }

  void run() {
    // Everything before the markers lies within the first few kilobytes.
    std::vector<uint8_t> front(size_t(std::min<uint64_t>(source.size(), kFrontBytes)));
    if (!source.readAt(0, front.data(), front.size())) return refuse(LoadFailure::Damaged);
    rt::ByteReader r(front);
    Header h;
    if (!readFront(r, h)) return refuse(LoadFailure::Damaged);
    uint64_t offset = 0;
    if (!readMarkers(r, h.cases, offset)) return refuse(LoadFailure::Damaged);

    const uint64_t arrayBytes = uint64_t(h.channels) * (uint64_t(h.cases) + 1) * 4;
    if (arrayBytes > source.size() - offset) return refuse(LoadFailure::Damaged);
    if (!readArrays(offset, h, res.report.signature != -99999)) return refuse(res.failure);
    if (!readTail(offset + arrayBytes, h)) return refuse(LoadFailure::Damaged);

    DataFile& f = res.file;
    FileMeta& m = f.meta;
    f.nCases = h.cases;
    f.nChannels = h.channels;
    const SampleIntervalCheck interval = sampleIntervalCheck(h.interval);
    res.report.zeroInterval = interval.needsWarning;
    m.info[1] = interval.interval;
    m.startDate = rt::macRomanToUtf8(h.date);
    m.startTime = rt::macRomanToUtf8(h.time);
    m.info[8] = startTimeOfDayMinutes(m.startTime);
    describeDrops();
  }
};

}  // namespace

BinaryLoadResult decodeBinaryFile(std::span<const uint8_t> bytes, const BinaryDecodeOptions& options) {
  return decodeBinaryFile(SpanSource(bytes), options);
}

BinaryLoadResult decodeBinaryFile(const ByteSource& source, const BinaryDecodeOptions& options) {
  Reader reader{source, options, {}};
  try {
    reader.run();
  } catch (const std::bad_alloc&) {
    reader.refuse(LoadFailure::OutOfMemory);
  }
  return std::move(reader.res);
}

}  // namespace qv
