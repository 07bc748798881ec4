#include "datafiles/csv_export.h"

#include "datafiles/binary_format.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "output/calendar.h"
#include "output/result_text.h"
#include "runtime/macroman.h"
#include "runtime/number_chars.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

namespace {

// The text gathered in a buffer handed to the sink whenever the next row might not fit.
class CsvBuffer {
 public:
  explicit CsvBuffer(const TextSink& sink) : sink_(sink) { buf_.resize(kTextChunkBytes); }
  char* room(size_t n) {
    if (buf_.size() - used_ < n) {
      flush();
      if (buf_.size() < n) buf_.resize(n);
    }
    return buf_.data() + used_;
  }
  void done(char* end) { used_ = size_t(end - buf_.data()); }
  void text(std::string_view s) {
    char* p = room(s.size());
    std::memcpy(p, s.data(), s.size());
    done(p + s.size());
  }
  void flush() {
    if (used_ > 0 && !refused_) refused_ = !sink_({reinterpret_cast<const uint8_t*>(buf_.data()), used_});
    used_ = 0;
  }
  bool refused() const { return refused_; }

 private:
  const TextSink& sink_;
  std::vector<char> buf_;
  size_t used_ = 0;
  bool refused_ = false;
};

std::string unitName(int16_t units) { return units == 2 ? "(hr)" : units == 1 ? "(min)" : "(sec)"; }
double unitDivisor(int16_t units) { return units == 2 ? 3600.0 : units == 1 ? 60.0 : 1.0; }

std::string withoutLeadingBlank(std::string s) {
  if (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

std::string labelCell(const FileMeta& m, int16_t c, bool shortNames) {
  std::string label = rt::trimRight(m.labels[size_t(c)]);
  if (shortNames) label = rt::leftChars(label, 8);
  return label;
}

std::string joinCells(const std::vector<std::string>& cells, char sep) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) line += sep;
    line += quoteCell(cells[i], sep);
  }
  return line + '\n';
}

bool hasCounter(const CsvRequest& r) { return r.timeCounter && r.headerMode != kCsvIntervalLine; }

std::string headerText(const FileMeta& m, const CsvRequest& r) {
  const bool s = r.shortNames;
  std::string out;
  if (r.headerMode == kCsvIntervalLine)
    out = joinCells({"interval (" + withoutLeadingBlank(rt::PSstr(m.info[1])) + " sec)  " + m.startDate + " @ " +
                     m.startTime + "   channels"},
                    r.separator);
  std::vector<std::string> cells;
  if (r.dateColumn)
    cells.push_back(r.dateKind == 1 ? (s ? "day" : "day of year") : (s ? "date" : "date "));
  if (r.headerMode == kCsvTimeColumns) {
    cells.push_back((s ? "Te" : "Elapsed time ") + unitName(r.timeUnits));
    cells.push_back(s ? "Time" : "Time (hours) ");
  }
  if (hasCounter(r)) cells.push_back(s ? "Tcounter" : "Time counter");
  for (int16_t c : r.channels) cells.push_back(labelCell(m, c, s));
  if (r.interpolation) cells.push_back(s ? "Interpol" : "Interpolation status");
  if (r.markerColumn) cells.push_back("Marker");
  return out + joinCells(cells, r.separator);
}

std::string markerChar(int32_t code) {
  if (code == 200) return "\u00BB";
  if (code == 199) return "\u00AB";
  if (code < 1 || code > 255) return {};
  return rt::macRomanChar(uint8_t(code));
}

// Cases per time-counter period; 0 when the period is shorter than a sample.
int64_t counterPeriod(const CsvRequest& r, double interval) {
  if (!hasCounter(r) || !(interval > 0)) return 0;
  const double seconds = std::trunc(std::clamp(double(r.counterHours) * 3600.0, 0.0, 2147483647.0));
  return int64_t(std::trunc(seconds / interval));
}

struct RowContext {
  const DataFileView& file;
  const CsvRequest& r;
  double interval = 0, startSeconds = 0;
  int64_t period = 0;
  std::vector<Marker> markers;  // sorted by case
  size_t nextMarker = 0;
  double dateDays = -1;
  std::string dateText;
};

const std::string& dateCell(RowContext& x, int32_t k) {
  // Rows of one day share their date: the text is made once a day, not once a row.
  const double days = std::floor((x.interval * k + x.startSeconds) / 86400.0);
  if (days != x.dateDays) {
    x.dateDays = days;
    x.dateText = MakeDateString(x.file.meta->startDate, x.startSeconds, x.interval, k, x.r.dateKind == 1 ? 1 : 0);
    x.dateText = quoteCell(x.dateText, x.r.separator);
  }
  return x.dateText;
}

// A gap as spreadsheets and data frames read one: "NaN" with no blank before it (pandas reads
// " NaN" as text and turns the whole column into strings).
char* sampleChars(char* p, float v, int digits) {
  if (!std::isnan(v)) return rt::numberChars(p, v, digits);
  std::memcpy(p, "NaN", 3);
  return p + 3;
}

void writeRow(CsvBuffer& out, RowContext& x, int32_t k, const float* const* data, size_t n, int digits) {
  const CsvRequest& r = x.r;
  const char sep = r.separator;
  char* p = out.room((n + 4) * (rt::kNumberCharsMax + 1) + 2);
  bool any = false;
  auto cellStart = [&] {
    if (any) *p++ = sep;
    any = true;
  };
  if (r.dateColumn) {
    const std::string& d = dateCell(x, k);
    out.done(p);
    cellStart();
    out.done(p);
    out.text(d);
    p = out.room((n + 4) * (rt::kNumberCharsMax + 1) + 2);
  }
  if (r.headerMode == kCsvTimeColumns) {
    cellStart();
    p = rt::numberChars(p, double(k) * x.interval / unitDivisor(r.timeUnits), digits);
    cellStart();
    p = rt::numberChars(p, std::fmod(x.interval * k + x.startSeconds, 86400.0) / 3600.0, digits);
  }
  if (hasCounter(r)) {
    cellStart();
    const int64_t counter = x.period > 0 ? (int64_t(k) - r.first) / x.period + 1 : 0;
    p = rt::numberChars(p, double(counter), digits);
  }
  for (size_t i = 0; i < n; ++i) {
    cellStart();
    p = sampleChars(p, data[i][k], digits);
  }
  if (r.interpolation) {
    cellStart();
    p = rt::numberChars(p, r.interpolationFlags && k >= 1 ? r.interpolationFlags[k] : 0.0, digits);
  }
  if (r.markerColumn) {
    cellStart();
    std::string cell;
    while (x.nextMarker < x.markers.size() && x.markers[x.nextMarker].kase < k) ++x.nextMarker;
    for (size_t m = x.nextMarker; m < x.markers.size() && x.markers[m].kase == k; ++m)
      cell += markerChar(x.markers[m].code);
    if (!cell.empty()) {
      out.done(p);
      out.text(quoteCell(cell, sep));
      p = out.room(2);
    }
  }
  *p++ = '\n';
  out.done(p);
}

std::string checkRequest(const DataFileView& f, const CsvRequest& r) {
  if (!f.meta) return "no file to write";
  if (r.first < 0 || r.last > f.nCases) return "the case range lies outside the file";
  if (r.channels.empty() || r.channels.size() > size_t(kMaxChannels)) return "no channels to write";
  for (int16_t c : r.channels)
    if (c < 1 || c > f.nChannels || !f.channels[size_t(c)]) return "a channel to write is not in the file";
  return {};
}

}  // namespace

bool csvRowKept(int16_t test, float v, float threshold) {
  switch (test >= 125 ? test - 100 : test) {
    case 25: return v < threshold;
    case 26: return v <= threshold;
    case 27: return v == threshold;
    case 28: return v >= threshold;
    case 29: return v > threshold;
    default: return true;
  }
}

bool csvFilterActive(const CsvRequest& r, int16_t nChannels) {
  const int16_t t = r.filterTest >= 125 ? int16_t(r.filterTest - 100) : r.filterTest;
  return r.filterChannel >= 1 && r.filterChannel <= nChannels && t >= 25 && t <= 29;
}

std::string writeCsvFile(const DataFileView& file, const CsvRequest& r, const TextSink& sink,
                         const TextProgress& progress) {
  std::string error = checkRequest(file, r);
  if (!error.empty()) return error;
  try {
    CsvBuffer out(sink);
    out.text(headerText(*file.meta, r));
    RowContext x{file, r, 0, 0, 0, {}, 0, -1, {}};
    x.interval = file.meta->info[1];
    x.startSeconds = parseStartTimeSeconds(file.meta->startTime).value_or(0);
    x.period = counterPeriod(r, x.interval);
    if (r.markerColumn) {
      x.markers = file.meta->markers;
      std::stable_sort(x.markers.begin(), x.markers.end(),
                       [](const Marker& a, const Marker& b) { return a.kase < b.kase; });
    }
    const float* data[kMaxChannels];
    size_t n = 0;
    for (int16_t c : r.channels) data[n++] = file.channels[size_t(c)];
    const float* tested = csvFilterActive(r, file.nChannels) ? file.channels[size_t(r.filterChannel)] : nullptr;
    const int digits = std::max(r.digits, 5);
    const int32_t total = r.last - r.first;
    const int32_t step = std::max(total / 145, 50);
    for (int32_t k = r.first; k <= r.last; ++k) {
      if (!tested || csvRowKept(r.filterTest, tested[k], r.threshold)) writeRow(out, x, k, data, n, digits);
      if ((k - r.first) % step == 0) {
        if (out.refused()) return std::string(kTextSinkRefused);
        if (progress) progress(k - r.first, total);
      }
    }
    out.flush();
    if (out.refused()) return std::string(kTextSinkRefused);
    if (progress) progress(total, total);
    return {};
  } catch (const std::bad_alloc&) {
    return std::string(kSaveMemoryMessage);
  }
}

std::string csvText(const DataFileView& file, const CsvRequest& request) {
  std::string text;
  const std::string error = writeCsvFile(file, request, [&text](std::span<const uint8_t> chunk) {
    text.append(reinterpret_cast<const char*>(chunk.data()), chunk.size());
    return true;
  });
  return error.empty() ? text : std::string();
}

std::string markerListText(const std::vector<Marker>& markers, double interval, double startMinutes, char sep,
                           int digits) {
  const int d = std::max(digits, 5);
  auto number = [d](double v) {
    char buf[rt::kNumberCharsMax];
    return std::string(buf, rt::numberChars(buf, v, d));
  };
  std::string out = joinCells({"Case", "Elapsed time (min)", "Real time (h)", "Marker", "event type"}, sep);
  for (const Marker& m : markers) {
    const double e = double(m.kase) * interval / 60.0;
    double r = std::fmod(e / 60.0 + startMinutes / 60.0, 24.0);
    if (r < 0) r += 24.0;
    const char* event = m.code == 200 ? "begin interpolation"
                        : m.code == 199 ? "end interpolation"
                        : m.code == 82  ? "begin reference"
                        : m.code == 83  ? "end reference"
                        : m.code == 166 ? "sampling paused"
                                        : "";
    out += joinCells({rt::PSstrLong(m.kase), number(float(e)), number(float(r)), markerChar(m.code), event}, sep);
  }
  return out;
}

std::string blockExportName(std::string_view name, int32_t first, int32_t last) {
  for (std::string_view ext : {".KXdata", ".RIVozar", ".kxda", ".kxsc"})
    if (name.size() >= ext.size() && name.substr(name.size() - ext.size()) == ext) {
      name.remove_suffix(ext.size());
      break;
    }
  return std::string(name) + "; cases" + rt::PSstrLong(first) + " -" + rt::PSstrLong(last) + ".csv";
}

}  // namespace qv
