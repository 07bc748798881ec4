#include "datafiles/file_data_values.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "core/filetable.h"
#include "output/calendar.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

namespace {

const char* const kInfoNames[7] = {"",     "sample interval", "flow",          "flow temperature",
                                   "B.P.", "effective volume", "mass"};

bool twoDigits(std::string_view s, size_t at, int most) {
  const char a = s[at], b = s[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return false;
  return (a - '0') * 10 + (b - '0') <= most;
}

bool sameValue(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Sets `value` from an edited field, or names the field when its text is refused.
template <class Check>
void takeValue(const FieldText& field, float& value, const char* name, Check check, FileDataOutcome& out) {
  if (!field.edited()) return;
  if (const std::optional<float> v = check(field.typed)) value = *v;
  else out.refused.emplace_back(name);
}

}  // namespace

std::string labelCell(std::string_view typed) { return rt::fitChars(typed, kLabelWidth); }

std::optional<float> startTimeMinutes(std::string_view text) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  if (!twoDigits(text, 0, 23) || !twoDigits(text, 3, 59) || !twoDigits(text, 6, 59)) return std::nullopt;
  const std::optional<int32_t> seconds = parseStartTimeSeconds(text);
  if (!seconds) return std::nullopt;
  return float(*seconds / 60.0);
}

std::optional<float> finiteValue(std::string_view text) {
  const double v = rt::PSval(text);
  if (!std::isfinite(v) || std::fabs(v) > double(std::numeric_limits<float>::max())) return std::nullopt;
  return float(v);
}

std::optional<float> intervalValue(std::string_view text) {
  const std::optional<float> v = finiteValue(text);
  if (!v || !(*v > 0)) return std::nullopt;
  return v;
}

FileDataOutcome applyFileData(const FileDataEntry& entry, FileDescription& d) {
  FileDataOutcome out;
  const FileDescription before = d;
  for (size_t i = 0; i < entry.labels.size() && i < d.labels.size(); ++i)
    if (entry.labels[i].edited()) d.labels[i] = labelCell(entry.labels[i].typed);
  takeValue(entry.info[1], d.info[1], kInfoNames[1], intervalValue, out);
  for (int w = 2; w <= 6; ++w) takeValue(entry.info[w], d.info[w], kInfoNames[w], finiteValue, out);
  if (entry.time.edited()) {
    if (const std::optional<float> minutes = startTimeMinutes(entry.time.typed)) {
      d.time = entry.time.typed;
      d.info[8] = *minutes;
    } else {
      out.refused.emplace_back("start time");
    }
  }
  if (entry.date.edited()) {
    // A file may have no date; a date it has is a real one, as the date columns read it.
    if (rt::trimRight(entry.date.typed).empty() || parseStartDate(entry.date.typed)) d.date = entry.date.typed;
    else out.refused.emplace_back("start date");
  }
  takeValue(entry.fio2, d.fio2, "FiO2", finiteValue, out);
  takeValue(entry.fico2, d.fico2, "FiCO2", finiteValue, out);
  takeValue(entry.rq, d.rq, "RQ", finiteValue, out);
  out.fileChanged = d.labels != before.labels || d.date != before.date || d.time != before.time;
  for (int w : {1, 2, 3, 4, 5, 6, 8}) out.fileChanged = out.fileChanged || !sameValue(d.info[w], before.info[w]);
  return out;
}

std::vector<std::string> refusedFieldLines(const std::vector<std::string>& names) {
  std::string list;
  for (size_t i = 0; i < names.size(); ++i) list += (i ? ", " : "") + names[i];
  return {"These values were not taken and keep their old values:", list + ".",
          "The interval must be a number above 0, every value a number,",
          "the start date mm-dd-yyyy, and the start time hh:mm:ss",
          "(hours 00-23, minutes and seconds 00-59)."};
}

}  // namespace qv
