// The file's comment text printed into the output window under an analysis's results.
#include <algorithm>
#include <string>

#include "core/filetable.h"
#include "core/kit.h"
#include "plot/notes_list.h"
#include "plot/plot.h"
#include "runtime/windows.h"

namespace qv {

void PrintTheComments(int16_t y) {
  const int f = TheFileInUse;
  const std::string text = slotIsOpen(f) ? CommentContainer[f] : std::string();
  SetTextStyle(KestrixFont, 12, 0);
  rt::moveTo(1, y);
  rt::drawString("Comments:  ");
  const int x0 = rt::penPosition().x;
  rt::textSize(10);
  constexpr int kRow = 13;
  const int height = rt::windowFunction(3), width = rt::windowFunction(2);
  // Rows stop 45 pixels above the window's bottom.
  const int rows = std::max(1, (height - 45 - y) / kRow + 1);
  const auto measure = [](const std::string& s) { return rt::stringWidth(s); };
  const auto lines = plot::commentRows(text, measure, std::max(50, width - x0 - 5), rows);
  for (size_t i = 0; i < lines.size(); ++i) {
    rt::moveTo(x0, y + int(i) * kRow);
    rt::drawString(lines[i]);
  }
  rt::moveTo(1, y + int(lines.size()) * kRow);
}

}  // namespace qv
