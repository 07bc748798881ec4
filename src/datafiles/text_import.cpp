#include "datafiles/text_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>

#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

namespace {

constexpr std::string_view kBullet = "\u2022";
constexpr size_t kMaxLabelChars = 30;

bool isSeparator(char c) { return c == ',' || c == '\t'; }

bool validUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = uint8_t(s[i++]);
    if (c < 0x80) continue;
    const size_t more = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    if (more == 0 || s.size() - i < more) return false;
    for (size_t k = 0; k < more; ++k)
      if ((uint8_t(s[i++]) >> 6) != 2) return false;
  }
  return true;
}

// A field's number: the fast decimal reading, else the runtime's text-to-number conversion
// (a unit after the number, a "+" sign, hexadecimal), which gives 0 for text.
float fieldValue(std::string_view f) {
  while (!f.empty() && (f.front() == ' ' || f.front() == '"')) f.remove_prefix(1);
  while (!f.empty() && (f.back() == ' ' || f.back() == '"')) f.remove_suffix(1);
  if (f.empty()) return 0.0f;
  float v = 0;
  const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), v);
  if (ec == std::errc() && end == f.data() + f.size()) return v;
  return float(rt::PSval(f));
}

// The bytes that may end a field or start a quoted one.
constexpr auto kFieldMark = [] {
  std::array<bool, 256> m{};
  m[uint8_t(',')] = m[uint8_t('\t')] = m[uint8_t('"')] = true;
  return m;
}();

// Calls take(column, text) for each field of a data line, columns from 1; a quoted field is
// passed with its quotes (its numbers read the same).
template <class Take>
void forEachField(std::string_view line, Take&& take) {
  int column = 1;
  size_t start = 0;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (!kFieldMark[uint8_t(c)]) continue;  // most bytes are digits, blanks and points
    if (c == '"') quoted = !quoted;
    else if (!quoted && isSeparator(c)) {
      take(column++, line.substr(start, i - start));
      start = i + 1;
    }
  }
  take(column, line.substr(start));
}

// Reads the fields of a data line into their channels at entry `at` (a column with no channel
// is skipped) and returns the count of fields, as forEachField and fieldValue would. Most
// fields are a number between blanks up to a separator: each is read once, where it starts;
// from the first that is not (quotes, a unit, an empty field) the rest of the line goes field
// by field.
int readFields(std::string_view line, const std::array<float*, kImportColumns + 1>& into, size_t at) {
  const char* p = line.data();
  const char* const end = p + line.size();
  int column = 1;
  while (p < end) {
    const char* q = p;
    while (q < end && *q == ' ') ++q;
    float v = 0;
    const auto [stop, ec] = std::from_chars(q, end, v);
    if (ec != std::errc()) break;
    q = stop;
    while (q < end && *q == ' ') ++q;
    if (q != end && !isSeparator(*q)) break;
    if (column <= kImportColumns && into[size_t(column)]) into[size_t(column)][at] = v;
    if (q == end) return column;
    p = q + 1;
    ++column;
  }
  int last = column;
  forEachField(std::string_view(p, size_t(end - p)), [&](int k, std::string_view field) {
    last = column + k - 1;
    if (last <= kImportColumns && into[size_t(last)]) into[size_t(last)][at] = fieldValue(field);
  });
  return last;
}

std::string unquoted(std::string_view f) {
  if (f.size() < 2 || f.front() != '"' || f.back() != '"') return std::string(f);
  std::string out;
  for (size_t i = 1; i + 1 < f.size(); ++i) {
    out += f[i];
    if (f[i] == '"' && i + 2 < f.size() && f[i + 1] == '"') ++i;
  }
  return out;
}

std::string blankLabel() { return std::string(kMaxLabelChars, ' '); }

std::vector<std::string> labelsOf(std::string_view labelLine, bool haveLine, const ImportRequest& r) {
  std::vector<std::string> fields;
  if (haveLine) fields = splitFields(labelLine);
  std::vector<std::string> labels;
  for (int col = 1; col <= kImportColumns; ++col) {
    if (!r.load[size_t(col)]) continue;
    if (r.labelLine == 0) {
      labels.push_back(rt::fitChars("input channel" + rt::PSstrLong(col), kMaxLabelChars));
      continue;
    }
    const std::string text = size_t(col) <= fields.size() ? importText(rt::trimRight(fields[size_t(col) - 1])) : "";
    labels.push_back(rt::charCount(text) < 2 ? blankLabel() : rt::fitChars(text, kMaxLabelChars));
  }
  return labels;
}

bool blankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// The lines up to the last that holds anything: blank lines at the end of a file are no cases.
int64_t countLines(std::span<const uint8_t> bytes) {
  LineCursor cursor(bytes);
  std::string_view line;
  int64_t n = 0, upToLastFilled = 0;
  while (cursor.next(line)) {
    ++n;
    if (!blankLine(line)) upToLastFilled = n;
  }
  return upToLastFilled;
}

ImportResult refused(std::string why) {
  ImportResult r;
  r.refusal = std::move(why);
  return r;
}

}  // namespace

LineCursor::LineCursor(std::span<const uint8_t> bytes)
    : text_(reinterpret_cast<const char*>(bytes.data()), bytes.size()) {
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  nextLF_ = find('\n', pos_);
  nextCR_ = find('\r', pos_);
  nextQuote_ = find('"', pos_);
}

size_t LineCursor::nextLineEnd(size_t from) {
  if (nextLF_ < from) nextLF_ = find('\n', from);
  if (nextCR_ < from) nextCR_ = find('\r', from);
  return std::min(nextLF_, nextCR_);
}

size_t LineCursor::lineEndFrom(size_t from) {
  const size_t size = text_.size();
  size_t end = nextLineEnd(from);
  if (nextQuote_ < from) nextQuote_ = find('"', from);
  if (nextQuote_ >= end) return end;  // no quote on the line: most lines of data
  bool quoted = false, fieldStart = true;
  for (size_t i = from;;) {
    if (i >= end) {
      // A line end inside a quoted field belongs to it, when a quote further on closes it.
      if (!quoted || end >= size || find('"', end) >= size) return end;
      i = end + 1;
      end = nextLineEnd(i);
      continue;
    }
    const char c = text_[i++];
    if (quoted) {
      if (c != '"') continue;
      if (i < size && text_[i] == '"') ++i;  // a doubled quote is a quote inside the field
      else quoted = false;
    } else if (c == '"' && fieldStart) {
      quoted = true;
    } else {
      fieldStart = isSeparator(c) || (fieldStart && c == ' ');
    }
  }
}

size_t LineCursor::find(char c, size_t from) const {
  if (from >= text_.size()) return text_.size();
  const void* at = std::memchr(text_.data() + from, c, text_.size() - from);
  return at ? size_t(static_cast<const char*>(at) - text_.data()) : text_.size();
}

bool LineCursor::next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const size_t end = lineEndFrom(pos_);
  line = text_.substr(pos_, end - pos_);
  pos_ = end;
  if (pos_ < text_.size()) {
    const bool cr = text_[pos_++] == '\r';
    if (cr && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  }
  return true;
}

std::vector<std::string> splitFields(std::string_view line) {
  std::vector<std::string> fields;
  forEachField(line, [&](int, std::string_view f) { fields.push_back(unquoted(f)); });
  return fields;
}

std::string importText(std::string_view bytes) {
  if (validUtf8(bytes)) return std::string(bytes);
  std::string out;
  for (char c : bytes) rt::appendUtf8(out, char32_t(uint8_t(c)));
  return out;
}

std::string previewLine(std::string_view line) {
  std::string shown(line);
  if (!shown.empty() && shown.front() == '\f') shown.erase(0, 1);
  std::replace_if(shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  if (shown.find_first_of(",\t") == std::string::npos) return importText(" " + shown);
  std::string out = " ";
  bool first = true;
  for (const std::string& f : splitFields(shown)) {
    if (f.empty()) continue;
    if (!first) out += kBullet;
    out += importText(f);
    first = false;
  }
  return out + rt::macRomanChar(0xA8);
}

ImportPreview previewImport(std::span<const uint8_t> bytes) {
  ImportPreview p;
  LineCursor cursor(bytes);
  std::string_view line, last;
  while (int(p.lines.size()) < kImportPreviewLines && cursor.next(line)) {
    // A row shows the head of its line: a line of megabytes is neither copied nor laid out.
    if (line.size() > kPreviewLineBytes) {
      size_t cut = kPreviewLineBytes;
      while (cut > 0 && (uint8_t(line[cut]) & 0xC0) == 0x80) --cut;
      std::string shown = previewLine(line.substr(0, cut));
      const std::string lineEnd = rt::macRomanChar(0xA8);
      if (shown.ends_with(lineEnd)) shown.resize(shown.size() - lineEnd.size());
      p.lines.push_back(shown + "\u2026");
    } else {
      p.lines.push_back(previewLine(line));
    }
    last = line;
  }
  if (p.lines.empty()) return p;
  forEachField(last, [&](int, std::string_view f) {
    if (p.columns++ < kImportColumns) p.columnTexts.push_back(importText(rt::trimRight(unquoted(f))));
  });
  return p;
}

int selectedColumns(const ImportRequest& r) {
  int n = 0;
  for (int c = 1; c <= kImportColumns; ++c) n += r.load[size_t(c)];
  return n;
}

std::optional<double> importInterval(std::string_view typed) {
  double v = 0;
  if (!rt::PSvalStrict(typed, v) || !std::isfinite(v) || v <= 0 || float(v) <= 0 || !std::isfinite(float(v)))
    return std::nullopt;
  return v;
}

ImportResult stageImport(std::span<const uint8_t> bytes, const ImportRequest& r,
                         const std::function<bool(size_t, int64_t)>& progress) {
  ImportResult result;
  const int n = selectedColumns(r);
  if (n < 1) return refused("No column was selected to load.");
  if (!(r.interval > 0) || !std::isfinite(float(r.interval)))
    return refused("The sample interval must be a number of seconds above 0.");
  if (r.firstDataLine < 1) return refused("No line was chosen for the data to begin.");

  const int64_t dataLines = countLines(bytes) - (r.firstDataLine - 1);
  const int64_t toRead = std::min(dataLines, r.maxLines);
  if (toRead < 2)
    return refused("The file has fewer than two lines of data from the line chosen on.");

  try {
    DataFile f;
    f.nCases = int32_t(toRead - 1);
    f.nChannels = int16_t(n);
    std::array<float*, kImportColumns + 1> into{};
    auto allocated = [&](SampleArray& a) {
      a = allocateSamples(f.nCases);
      if (!a) throw std::bad_alloc();
      return a.get();
    };
    int16_t ch = 0, lastColumn = 0;
    for (int col = 1; col <= kImportColumns; ++col)
      if (r.load[size_t(col)]) into[size_t(col)] = allocated(f.channels[size_t(++ch)]), lastColumn = int16_t(col);
    // The interpolation row starts with no case marked.
    std::fill_n(allocated(f.channels[0]), size_t(f.nCases) + 1, 0.0f);

    LineCursor cursor(bytes);
    std::string_view line, labelLine;
    bool haveLabel = false;
    for (int k = 1; k < r.firstDataLine && cursor.next(line); ++k)
      if (k == r.labelLine) labelLine = line, haveLabel = true;
    int64_t read = 0;
    while (read < toRead && cursor.next(line)) {
      if (r.labelLine == r.firstDataLine + read) labelLine = line, haveLabel = true;
      const size_t at = size_t(read);
      // A row shorter than the columns chosen reads 0 in the rest, as an empty field does.
      for (int col = readFields(line, into, at) + 1; col <= lastColumn; ++col)
        if (into[size_t(col)]) into[size_t(col)][at] = 0.0f;
      ++read;
      if (progress && read % 4096 == 0 && progress(cursor.position(), read)) break;
    }
    if (read < 2) return refused("The reading was stopped before two lines of data were read.");
    f.nCases = int32_t(read - 1);
    result.cut = read < dataLines;
    result.linesRead = read;

    for (int c = 1; c <= n; ++c) {
      float* s = f.channels[size_t(c)].get();
      const int32_t last = f.nCases;
      // A wild last value (an instrument's end-of-record code) is replaced by the one
      // before; a large value that follows on from its neighbour is data and stays.
      if (std::fabs(s[last]) > 10000.0f && std::fabs(double(s[last]) - s[last - 1]) > 10000.0) s[last] = s[last - 1];
    }
    const std::vector<std::string> labels = labelsOf(labelLine, haveLabel, r);
    for (int c = 1; c <= n; ++c) f.meta.labels[size_t(c)] = labels[size_t(c) - 1];
    f.meta.info[1] = float(r.interval);
    f.meta.info[2] = 1.0f, f.meta.info[4] = 760.0f, f.meta.info[5] = 1.0f, f.meta.info[6] = 1.0f;
    f.meta.name = r.name;
    f.meta.startTime = "00:00:00";
    f.meta.startDate = "00-00-" + std::to_string(r.year);
    f.meta.comment = "(no comments) ";
    result.file = std::move(f);
  } catch (const std::bad_alloc&) {
    result.file.reset();
    result.refusal = "There is not enough memory to hold the data of this file.";
  }
  return result;
}

}  // namespace qv
