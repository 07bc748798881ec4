#include "datafiles/text_data_format.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "datafiles/text_items.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

namespace {

// --- writing ---------------------------------------------------------------------

class DigitsScope {
 public:
  explicit DigitsScope(int digits) : saved_(rt::gFBFloatMaxDigits) { rt::gFBFloatMaxDigits = digits; }
  ~DigitsScope() { rt::gFBFloatMaxDigits = saved_; }
  DigitsScope(const DigitsScope&) = delete;
  DigitsScope& operator=(const DigitsScope&) = delete;

 private:
  int saved_;
};

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  void text(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
  void ch(char c) { out_.push_back(uint8_t(c)); }
  void real(double x) { text(rt::PSstr(x)); }
  void integer(long long n) { text(rt::PSstrLong(n)); }
  void quoted(std::string_view utf8) {
    ch('"');
    text(rt::utf8ToMacRoman(utf8));
    ch('"');
  }
  void endLine() { ch('\r'); }

 private:
  std::vector<uint8_t>& out_;
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

int32_t progressStep(int32_t total) { return total / 256 + 1; }

}  // namespace

TextWriteResult encodeTextDataFile(const DataFileView& file, int32_t first, int32_t last,
                                   std::span<const int16_t> channels, const TextProgress& progress) {
  TextWriteResult result;
  result.error = checkRequest(file, first, last, channels);
  if (!result.ok()) return result;

  DigitsScope digits(std::max(rt::gFBFloatMaxDigits, 5));
  const FileMeta& m = *file.meta;
  const int32_t count = last - first;
  std::vector<uint8_t>& bytes = result.bytes;
  bytes.reserve(size_t(count) * channels.size() * 10 + 4096);
  Writer w(bytes);

  w.integer(count), w.ch(','), w.real(m.info[1]), w.ch(','), w.integer(long(channels.size())), w.endLine();
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

  std::vector<Marker> kept;
  for (const Marker& mk : m.markers)
    if (mk.kase > first && mk.kase <= last) kept.push_back(mk);
  w.integer(long(kept.size())), w.endLine();
  for (const Marker& mk : kept) w.integer(mk.kase - first), w.ch(','), w.real(mk.code), w.endLine();

  std::vector<const float*> data;
  for (int16_t c : channels) data.push_back(file.channels[size_t(c)]);
  const int32_t step = progressStep(count);
  for (int32_t k = first + 1; k <= last; ++k) {
    for (const float* p : data) w.real(p[k]), w.ch(',');
    w.endLine();
    if (progress && (k - first) % step == 0) progress(k - first, count);
  }

  w.real(m.info[7]), w.endLine();
  for (int c = 1; c <= 6; ++c) {
    if (c > 1) w.ch(',');
    w.real(m.variables[c][14]);
  }
  w.endLine();
  if (progress) progress(count, count);
  return result;
}

// --- reading ---------------------------------------------------------------------

namespace {

// A number of the file as a sample: beyond the range of a float it is an infinity.
float toFloat(double v) {
  if (v > double(FLT_MAX)) return std::numeric_limits<float>::infinity();
  if (v < -double(FLT_MAX)) return -std::numeric_limits<float>::infinity();
  return float(v);
}

bool inRange(double v, double lo, double hi) { return v >= lo && v <= hi; }

std::string textItem(TextItemReader& r) { return rt::macRomanToUtf8(r.next()); }

TextReadResult refused(int16_t kind) {
  TextReadResult r;
  r.refusal = kind;
  return r;
}

}  // namespace

TextReadResult decodeTextDataFile(std::span<const uint8_t> bytes, const TextProgress& progress) {
  TextItemReader r(bytes);
  const double cases = r.integer();
  const float interval = toFloat(r.real());
  const double channels = r.integer();
  if (!inRange(cases, kTextMinCases, kMaxCases) || !inRange(channels, 1, kMaxChannels)) return refused(kRefusedFormat);

  DataFile f;
  f.nCases = int32_t(cases);
  f.nChannels = int16_t(channels);
  FileMeta& m = f.meta;
  m.info[1] = interval;
  m.startDate = textItem(r);
  m.startTime = textItem(r);
  m.comment = textItem(r);

  for (int c = 1; c <= f.nChannels; ++c) {
    for (int k = 2; k <= 6; ++k) m.variables[c][k] = toFloat(r.real());
    m.labels[size_t(c)] = rt::fitChars(textItem(r), kLabelWidth);
  }
  for (int k : {2, 6, 4, 3, 5}) m.info[k] = toFloat(r.real());

  const double markers = r.integer();
  if (!inRange(markers, 0, INT16_MAX)) return refused(kRefusedDamaged);
  TextReadResult result;
  result.markersInFile = int32_t(markers);
  for (int32_t k = 1; k <= result.markersInFile; ++k) {
    const double kase = r.integer(), code = r.integer();
    if (k > kMaxMarkers) continue;
    // A marker must point at a case of the file; one that cannot is dropped.
    if (!inRange(kase, 1, f.nCases) || !inRange(code, INT32_MIN, INT32_MAX)) continue;
    m.markers.push_back({int32_t(kase), int32_t(code)});
  }

  // Every value takes at least one byte (its separator or line end): a header announcing
  // more than the rest of the file could hold is damaged, however short a file may be.
  const uint64_t values = uint64_t(f.nCases) * uint64_t(f.nChannels);
  if (values > uint64_t(r.remainingBytes()) + 1) return refused(kRefusedDamaged);

  for (int c = 0; c <= f.nChannels; ++c) {
    f.channels[size_t(c)] = allocateSamples(f.nCases);
    if (!f.channels[size_t(c)]) return refused(kRefusedNoMemory);
    std::fill_n(f.channels[size_t(c)].get(), size_t(f.nCases) + 1, 0.0f);
  }
  std::vector<float*> data;
  for (int c = 1; c <= f.nChannels; ++c) data.push_back(f.channels[size_t(c)].get());
  const int32_t step = progressStep(f.nCases);
  for (int32_t k = 1; k <= f.nCases; ++k) {
    if (r.atEnd()) break;
    for (float* p : data) p[k] = toFloat(r.real());
    if (progress && k % step == 0) progress(k, f.nCases);
  }
  for (float* p : data) p[0] = p[1];

  if (!r.atEnd()) m.info[7] = toFloat(r.real());
  for (int c = 1; c <= 6 && !r.atEnd(); ++c) m.variables[c][14] = toFloat(r.real());
  if (progress) progress(f.nCases, f.nCases);
  result.file = std::move(f);
  return result;
}

}  // namespace qv
