// Reading the own text data format (the writer is text_writer.cpp).
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

// A number of the file as a sample: beyond the range of a float it is an infinity.
float toFloat(double v) {
  if (v > double(FLT_MAX)) return std::numeric_limits<float>::infinity();
  if (v < -double(FLT_MAX)) return -std::numeric_limits<float>::infinity();
  return float(v);
}

bool inRange(double v, double lo, double hi) { return v >= lo && v <= hi; }

std::string textItem(TextItemReader& r) { return rt::macRomanToUtf8(r.next()); }

int32_t progressStep(int32_t total) { return total / 256 + 1; }

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
  }
  std::fill_n(f.channels[0].get(), size_t(f.nCases) + 1, 0.0f);
  std::vector<float*> data;
  for (int c = 1; c <= f.nChannels; ++c) data.push_back(f.channels[size_t(c)].get());
  const int32_t step = progressStep(f.nCases);
  int32_t k = 1;
  for (; k <= f.nCases && !r.atEnd(); ++k) {
    for (float* p : data) {
      double v;
      if (!r.plainReal(v)) v = r.real();
      p[k] = toFloat(v);
    }
    if (progress && k % step == 0) progress(k, f.nCases);
  }
  // The rows a short file lacks read as 0.
  for (float* p : data) std::fill(p + k, p + f.nCases + 1, 0.0f);
  for (float* p : data) p[0] = p[1];

  if (!r.atEnd()) m.info[7] = toFloat(r.real());
  for (int c = 1; c <= 6 && !r.atEnd(); ++c) m.variables[c][14] = toFloat(r.real());
  if (progress) progress(f.nCases, f.nCases);
  result.file = std::move(f);
  return result;
}

}  // namespace qv
