// Writing the own text data format, streamed: the text goes to the sink a chunk at a time,
// so a file of hundreds of megabytes never stands whole in memory.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "datafiles/binary_format.h"
#include "datafiles/text_data_format.h"
#include "datafiles/text_items.h"
#include "runtime/macroman.h"
#include "runtime/number_chars.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

namespace {

int gInjectedMemoryFailures = 0;

// The file's characters gathered in one buffer of kTextChunkBytes, handed to the sink
// whenever the next piece might not fit.
class ChunkWriter {
 public:
  ChunkWriter(const TextSink& sink, int digits) : sink_(sink), digits_(digits) {
    if (gInjectedMemoryFailures > 0) {
      --gInjectedMemoryFailures;
      throw std::bad_alloc();
    }
    buf_ = std::make_unique<char[]>(kTextChunkBytes);
  }

  // Room for n more characters at end(); n is at most kTextChunkBytes.
  void makeRoom(size_t n) {
    if (kTextChunkBytes - used_ < n) flush();
  }
  char* end() { return buf_.get() + used_; }
  void setEnd(char* p) { used_ = size_t(p - buf_.get()); }

  void text(std::string_view s) {
    while (!s.empty()) {
      makeRoom(1);
      const size_t n = std::min(s.size(), kTextChunkBytes - used_);
      std::memcpy(end(), s.data(), n);
      used_ += n, s.remove_prefix(n);
    }
  }
  void ch(char c) {
    makeRoom(1);
    buf_[used_++] = c;
  }
  void real(double x) {
    makeRoom(rt::kNumberCharsMax);
    setEnd(rt::numberChars(end(), x, digits_));
  }
  void integer(long long n) { text(rt::PSstrLong(n)); }
  void quoted(std::string_view utf8) {
    ch('"');
    text(rt::utf8ToMacRoman(utf8));
    ch('"');
  }
  void endLine() { ch('\r'); }

  void flush() {
    if (used_ > 0 && !refused_) refused_ = !sink_({reinterpret_cast<const uint8_t*>(buf_.get()), used_});
    used_ = 0;
  }
  bool refused() const { return refused_; }
  int digits() const { return digits_; }

 private:
  const TextSink& sink_;
  const int digits_;
  std::unique_ptr<char[]> buf_;
  size_t used_ = 0;
  bool refused_ = false;
};

// A text as it can stand between double quotes on one line.
std::string quotable(std::string_view utf8, size_t maxChars) {
  std::string s;
  s.reserve(utf8.size());
  size_t n = 0;
  rt::forEachCodePoint(utf8, [&](char32_t cp) {
    if (n >= maxChars) return;
    if (cp == U'"') cp = U'\u2022';
    else if (cp == U'\r' || cp == U'\n') cp = U' ';
    rt::appendUtf8(s, cp);
    ++n;
  });
  return s;
}

std::string checkRequest(const DataFileView& f, int32_t first, int32_t last, std::span<const int16_t> channels) {
  if (!f.meta) return "no file to write";
  if (first < 0 || last < first || last > f.nCases) return "the case range lies outside the file";
  if (last - first < kTextMinCases) return "the text format needs at least 5 cases";
  if (channels.empty() || channels.size() > size_t(kMaxChannels)) return "no channels to write";
  for (int16_t c : channels)
    if (c < 1 || c > f.nChannels || !f.channels[size_t(c)]) return "a channel to write is not in the file";
  return {};
}

void writeHeader(ChunkWriter& w, const FileMeta& m, int32_t first, int32_t last, std::span<const int16_t> channels) {
  w.integer(last - first), w.ch(','), w.real(m.info[1]), w.ch(','), w.integer(long(channels.size())), w.endLine();
  w.quoted(quotable(m.startDate, TextItemReader::kMaxTextItem)), w.ch(',');
  w.quoted(quotable(m.startTime, TextItemReader::kMaxTextItem)), w.endLine();
  w.quoted(quotable(m.comment, kTextCommentChars)), w.endLine();

  for (int16_t c : channels) {
    for (int k = 2; k <= 6; ++k) w.real(m.variables[c][k]), w.ch(',');
    w.quoted(rt::fitChars(quotable(m.labels[size_t(c)], kLabelWidth), kLabelWidth));
    w.endLine();
  }
  for (int k : {2, 6, 4, 3, 5}) {
    if (k != 2) w.ch(',');
    w.real(m.info[k]);
  }
  w.endLine();

  int64_t kept = 0;
  for (const Marker& mk : m.markers) kept += mk.kase > first && mk.kase <= last;
  w.integer(kept), w.endLine();
  for (const Marker& mk : m.markers)
    if (mk.kase > first && mk.kase <= last) w.integer(mk.kase - first), w.ch(','), w.real(mk.code), w.endLine();
}

int32_t progressStep(int32_t total) { return total / 256 + 1; }

// One row per case, each value followed by a comma; false when the sink refused.
bool writeRows(ChunkWriter& w, const DataFileView& file, int32_t first, int32_t last,
               std::span<const int16_t> channels, const TextProgress& progress) {
  const float* data[kMaxChannels];
  size_t n = 0;
  for (int16_t c : channels) data[n++] = file.channels[size_t(c)];
  const size_t rowRoom = n * (rt::kNumberCharsMax + 1) + 1;
  const int digits = w.digits();
  const int32_t count = last - first, step = progressStep(count);
  int32_t untilProgress = step;
  for (int32_t k = first + 1; k <= last; ++k) {
    w.makeRoom(rowRoom);
    char* p = w.end();
    for (size_t i = 0; i < n; ++i) {
      p = rt::numberChars(p, data[i][k], digits);
      *p++ = ',';
    }
    *p++ = '\r';
    w.setEnd(p);
    if (--untilProgress == 0) {
      untilProgress = step;
      if (w.refused()) return false;
      if (progress) progress(k - first, count);
    }
  }
  return !w.refused();
}

}  // namespace

void injectTextWriteMemoryFailures(int count) { gInjectedMemoryFailures = count; }

std::string writeTextDataFile(const DataFileView& file, int32_t first, int32_t last,
                              std::span<const int16_t> channels, const TextSink& sink, const TextProgress& progress) {
  std::string error = checkRequest(file, first, last, channels);
  if (!error.empty()) return error;
  try {
    const FileMeta& m = *file.meta;
    ChunkWriter w(sink, std::max(rt::gFBFloatMaxDigits, 5));
    writeHeader(w, m, first, last, channels);
    if (!writeRows(w, file, first, last, channels, progress)) return std::string(kTextSinkRefused);
    w.real(m.info[7]), w.endLine();
    for (int c = 1; c <= 6; ++c) {
      if (c > 1) w.ch(',');
      w.real(m.variables[c][14]);
    }
    w.endLine();
    w.flush();
    if (w.refused()) return std::string(kTextSinkRefused);
    if (progress) progress(last - first, last - first);
    return {};
  } catch (const std::bad_alloc&) {
    return std::string(kSaveMemoryMessage);
  }
}

TextWriteResult encodeTextDataFile(const DataFileView& file, int32_t first, int32_t last,
                                   std::span<const int16_t> channels, const TextProgress& progress) {
  TextWriteResult result;
  result.error = writeTextDataFile(
      file, first, last, channels,
      [&result](std::span<const uint8_t> chunk) {
        result.bytes.insert(result.bytes.end(), chunk.begin(), chunk.end());
        return true;
      },
      progress);
  if (!result.ok()) result.bytes = {};
  return result;
}

}  // namespace qv
