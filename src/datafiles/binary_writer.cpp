// Writing the own binary format from a file's samples and description.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "core/text_format.h"
#include "datafiles/binary_format.h"
#include "runtime/bytes.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

constexpr size_t kLongestHead = 254;
constexpr uint8_t kCR = 13, kEndOfText = 27, kNotesMark = 240, kWordOneMark = 255;

// The comment in Mac Roman. The bytes that open the sections after it would cut the
// comment short when read back, so they become question marks.
std::string commentBytes(std::string_view utf8) {
  std::string s = ownFormatText(utf8);
  for (char& ch : s) {
    const uint8_t b = uint8_t(ch);
    if (b == kEndOfText || b == kNotesMark || b == kWordOneMark) ch = '?';
  }
  return s;
}

// One line of a note: a line end inside it would shift every line after it.
std::string noteLine(std::string_view utf8) {
  std::string s = rt::utf8ToMacRoman(utf8);
  std::replace(s.begin(), s.end(), '\r', ' ');
  std::replace(s.begin(), s.end(), '\n', ' ');
  return s;
}

bool inRange(double at, int32_t first, int32_t last) { return at > first && at <= last; }

std::string badRequest(const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels) {
  if (!file.meta || first < 0 || last > file.nCases || last <= first) return "There are no cases to save.";
  if (channels.empty() || channels.size() > size_t(kMaxChannels)) return "There are no channels to save.";
  for (int16_t c : channels)
    if (c < 1 || c > file.nChannels || !file.channels[size_t(c)]) return "There are no channels to save.";
  return {};
}

void writeHead(rt::ByteWriter& w, const DataFileView& file, int32_t first, int32_t last,
               std::span<const int16_t> channels, std::string_view date, std::string_view time,
               const std::string& comment) {
  const FileMeta& m = *file.meta;
  const int32_t count = last - first;
  const bool wide = count >= kSixteenBitCaseLimit;
  w.bytes(wide ? "-9999" : "-999");
  w.u8(kCR);
  if (wide)
    w.i32be(count);
  else
    w.i16be(int16_t(count));
  w.f32be(m.info[1]);
  w.i16be(int16_t(channels.size()));
  w.fixedText(rt::utf8ToMacRoman(date), 10);
  w.fixedText(rt::utf8ToMacRoman(time), 8);
  const std::string head = comment.substr(0, kLongestHead);
  w.f32be(float(head.size()));
  w.bytes(head);
  for (int16_t c : channels) {
    for (int k = 2; k <= 6; ++k) w.f32be(m.variables[c][k]);
    w.fixedText(rt::utf8ToMacRoman(m.labels[size_t(c)]), kLabelWidth);
  }
  for (int k : {2, 6, 4, 3, 5}) w.f32be(m.info[k]);

  std::vector<Marker> kept;
  for (const Marker& mk : m.markers)
    if (mk.kase > first && mk.kase <= last && kept.size() < size_t(kMaxMarkers)) kept.push_back(mk);
  w.i16be(int16_t(kept.size()));
  for (const Marker& mk : kept) {
    if (wide) {
      w.i32be(mk.kase - first);
      w.i32be(mk.code);
    } else {
      w.i16be(int16_t(mk.kase - first));
      w.i16be(int16_t(mk.code));
    }
  }
}

void writeTail(rt::ByteWriter& w, const FileMeta& m, int32_t first, int32_t last, const std::string& comment) {
  w.f32be(m.info[7]);
  for (int c = 1; c <= 6; ++c) w.f32be(m.variables[c][14]);
  w.bytes(comment);
  w.u8(kCR);
  w.u8(kEndOfText);
  if (m.notes.empty()) return;
  int32_t count = 0;
  for (const OnlineNote& n : m.notes) count += inRange(rt::PSval(n.caseText), first, last);
  w.u8(kNotesMark);
  w.u8(kCR);
  w.bytes(rt::PSstrLong(count));
  w.u8(kCR);
  for (const OnlineNote& n : m.notes) {
    const double at = rt::PSval(n.caseText);
    if (!inRange(at, first, last)) continue;
    w.bytes(first == 0 ? noteLine(n.caseText) : rt::PSstrLong(int64_t(at) - first));
    w.u8(kCR);
    w.bytes(noteLine(n.timeText));
    w.u8(kCR);
    w.bytes(noteLine(n.text));
    w.u8(kCR);
  }
}

// The bytes before and after the samples of a file of these channels and cases.
void writeFrame(rt::ByteWriter& head, rt::ByteWriter& tail, const DataFileView& file, int32_t first, int32_t last,
                std::span<const int16_t> channels, std::string_view date, std::string_view time) {
  const std::string comment = commentBytes(file.meta->comment);
  writeHead(head, file, first, last, channels, date, time, comment);
  writeTail(tail, *file.meta, first, last, comment);
}

// Entries done..done + n - 1 of one channel's stretch (src is its first entry) as the file
// holds them: the stretch's first entry little-endian, the others big-endian.
void storeChannelEntries(uint8_t* out, const float* src, size_t done, size_t n) {
  if (n == 0) return;
  if (done == 0) {
    storeSamplesLittleEndian(out, src, 1);
    storeSamplesBigEndian(out + 4, src + 1, n - 1);
  } else {
    storeSamplesBigEndian(out, src + done, n);
  }
}

}  // namespace

std::string writeFPBinary(const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels,
                          std::string_view date, std::string_view time, const BinarySink& sink) {
  std::string error = badRequest(file, first, last, channels);
  if (!error.empty()) return error;
  try {
    rt::ByteWriter head, tail;
    writeFrame(head, tail, file, first, last, channels, date, time);
    if (!sink(head.buffer())) return std::string(kBinarySinkRefused);
    // A piece small enough to stay in cache between its making and the sink's copy of it.
    constexpr size_t kPieceSamples = kBinaryChunkBytes / 4;
    std::vector<uint8_t> piece(kBinaryChunkBytes);
    const size_t entries = size_t(last - first) + 1;
    for (int16_t c : channels) {
      const float* src = file.channels[size_t(c)] + first;
      for (size_t done = 0; done < entries;) {
        const size_t n = std::min(kPieceSamples, entries - done);
        storeChannelEntries(piece.data(), src, done, n);
        if (!sink(std::span<const uint8_t>(piece.data(), n * 4))) return std::string(kBinarySinkRefused);
        done += n;
      }
    }
    if (!sink(tail.buffer())) return std::string(kBinarySinkRefused);
  } catch (const std::bad_alloc&) {
    return std::string(kSaveMemoryMessage);
  }
  return {};
}

BinarySaveResult saveFPBinary(const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels,
                              std::string_view date, std::string_view time) {
  BinarySaveResult res;
  res.error = badRequest(file, first, last, channels);
  if (!res.error.empty()) return res;
  try {
    rt::ByteWriter head, tail;
    writeFrame(head, tail, file, first, last, channels, date, time);
    const size_t entries = size_t(last - first) + 1;
    res.bytes.resize(head.size() + channels.size() * entries * 4 + tail.size());
    uint8_t* out = res.bytes.data();
    std::memcpy(out, head.buffer().data(), head.size());
    out += head.size();
    for (int16_t c : channels) {
      storeChannelEntries(out, file.channels[size_t(c)] + first, 0, entries);
      out += entries * 4;
    }
    std::memcpy(out, tail.buffer().data(), tail.size());
  } catch (const std::bad_alloc&) {
    res.bytes = {};
    res.error = std::string(kSaveMemoryMessage);
  }
  return res;
}

}  // namespace qv
