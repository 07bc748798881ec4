#include "plot/notes_list.h"

#include <algorithm>

#include "runtime/numtext.h"

namespace qv::plot {

std::string noteTitle(int k, const OnlineNote& note) {
  return "Note #" + rt::PSstrLong(k) + ", Sample" + note.caseText + ":  " + note.timeText;
}

std::string notesListText(const std::vector<OnlineNote>& notes, int count) {
  const int n = std::clamp(count, 0, int(notes.size()));
  std::string out;
  for (int k = 1; k <= n; ++k) {
    const OnlineNote& note = notes[size_t(k - 1)];
    out += "note #" + rt::PSstrLong(k) + "     sample" + note.caseText + "     time " + note.timeText + "\n";
    out += note.text + "\n";
    if (k < n) out += std::string(34, '_') + "\n";
  }
  return out;
}

std::string notesFileText(const std::string& list) { return std::string(39, '_') + "\n \n" + list + "\n"; }

int noteWindowCentre(int x, int width) {
  if (x > width - 460) x = width - 230;
  // A plot narrower than the window itself keeps its left edge.
  return std::max(x, 230);
}

}  // namespace qv::plot
