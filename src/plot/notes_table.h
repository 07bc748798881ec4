#pragma once
// The on-line notes of each open file: up to 300 a slot, each the case number as text, the
// time text and the note text. The count is NumberOfNotes[slot].
#include <string>
#include <vector>

namespace qv {

constexpr int kMaxNotes = 300;

struct OnlineNote {
  std::string caseText;
  std::string timeText;
  std::string text;
};

extern std::vector<OnlineNote> fileRemarks[21];

}  // namespace qv
