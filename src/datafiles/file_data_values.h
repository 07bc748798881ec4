#pragma once
// What Edit File Data writes back: the typed texts checked and turned into the file's
// description. A field left as it was shown keeps its stored value exactly (the text shown
// is rounded); a refused field keeps its old value and is named to the user.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The fields of the window, each as shown when it opened and as it stands now.
struct FieldText {
  std::string shown, typed;
  bool edited() const { return typed != shown; }
};

// Labels 1..n at 0..n-1; numbers by FileInfoFLOATS word (1 to 6); the settings apart.
struct FileDataEntry {
  std::vector<FieldText> labels;
  FieldText info[7];
  FieldText date, time, fio2, fico2, rq;
};

// The description the fields edit: 30-character labels, FileInfoFLOATS [0..9], the date and
// time texts, and the respirometry settings.
struct FileDescription {
  std::vector<std::string> labels;
  float info[10] = {};
  std::string date, time;
  float fio2 = 0, fico2 = 0, rq = 0;
};

struct FileDataOutcome {
  bool fileChanged = false;          // labels, words 1-6 and 8, the date or the time
  std::vector<std::string> refused;  // the names of the fields kept at their old values
};

// A label typed into a 30-character cell: cut or blank-padded, counting characters.
std::string labelCell(std::string_view typed);
// Minutes after midnight of a start time "hh:mm:ss" (hours 00-23, minutes and seconds
// 00-59); nothing for any other text.
std::optional<float> startTimeMinutes(std::string_view text);
// A sample interval: a finite number above 0.
std::optional<float> intervalValue(std::string_view text);
// Any other value: blank or non-numeric text gives 0, a value beyond a float is refused.
std::optional<float> finiteValue(std::string_view text);

// Applies the fields to the description.
FileDataOutcome applyFileData(const FileDataEntry& entry, FileDescription& d);

// The warning's lines for refused fields.
std::vector<std::string> refusedFieldLines(const std::vector<std::string>& names);

}  // namespace qv
