#include "core/channel_list.h"

#include <algorithm>
#include <string>

#include "core/channel_roles.h"
#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/view_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t MainDataChannel = 0, SecondChannel = 0, FlowRateChannel = 0, yChan = 0;

namespace {

// Where the two panels differ.
struct Layout {
  int rowStep;     // pixels between rows
  int firstRow;    // top of the first radio button below the panel top
  int textBase;    // base line of row c is top + textBase + rowStep * c
  int noteBase;    // base line of the note below the panel top
  bool xSecond;    // second column numbered 40 + c (else n + c)
  bool plainHeading;
};

constexpr Layout kTranschan{18, 20, 15, 14, false, false};
constexpr Layout kTranschanX{19, 21, 15, 13, true, true};

int channelCount() {
  if (TheFileInUse < 0 || TheFileInUse >= kSlots) return 0;
  return std::clamp<int>(nChannels[TheFileInUse], 0, kMaxChannels);
}

void drawPanel(const Layout& L, std::string_view heading, std::string_view secondHeading, std::string_view note,
               int t, int mode, int x, int grey) {
  const int n = channelCount();
  const int b = t + L.rowStep * n + L.firstRow - 1;
  const bool twoColumns = mode == 1 && (yChan == 1 || FlowRateChannel != 0);
  const auto second = [&](int c) { return L.xSecond ? 40 + c : n + c; };

  if (grey) GrayBOX(1, int16_t(x + 2), int16_t(t + 2), int16_t(x + 38), int16_t(b));
  rt::foreColor(RGBblack);
  if (L.plainHeading) {
    SetTextStyle(KestrixFont, 13, 0);
    PrintAt(x + 6, t + 14, heading);
  } else {
    rt::FBEditField(1001, channelListHeading(heading), {x + 6, t + 3, x + 44, t + 18}, 7);
    rt::setEditFont(1001, KestrixFont, 13, 0);
  }
  int noteColumn = x + 55, textColumn = x + 50;
  if (twoColumns) {
    if (grey) {
      GrayBOX(1, int16_t(x + 85), int16_t(t + 2), int16_t(x + 314), int16_t(b));
      GrayBOX(1, int16_t(x + 43), int16_t(t + 2), int16_t(x + 81), int16_t(b));
    }
    // Centred between the column's line and the next one: the headings come with leading
    // spaces, and printed from the left their last letter ran into the channel names' line.
    SetTextStyle(KestrixFont, 13, 0);
    const std::string_view shown = secondHeading.substr(std::min(secondHeading.size(),
                                                                 secondHeading.find_first_not_of(' ')));
    PrintAt(x + 43 + std::max(2, (42 - rt::stringWidth(shown)) / 2), t + 15, shown);
    noteColumn = x + 94, textColumn = x + 85;
  } else if (grey) {
    GrayBOX(1, int16_t(x + 45), int16_t(t + 2), int16_t(x + 314), int16_t(b));
  }
  rt::foreColor(RGBblack);
  if (!note.empty()) {
    SetTextStyle(KestrixFont, 13, 0);
    PrintAt(noteColumn, t + L.noteBase, note);
  }
  for (int c = 1; c <= n; ++c) {
    const int y = t + L.firstRow + L.rowStep * (c - 1);
    rt::FBButton(c, 1, "", {x + 12, y, x + 28, y + 16}, 3);
    if (twoColumns) rt::FBButton(second(c), 1, "", {x + 55, y, x + 71, y + 16}, 3);
    else if (rt::controlExists(second(c))) rt::removeControl(second(c));
    SetTextStyle(KestrixFont, 13, 0);
    PrintAt(textColumn, t + L.textBase + L.rowStep * c, rt::PSstrLong(c) + ":  ");
    rt::drawString(RetrieveLabel(c));
  }

  if (rt::controlExists(ActiveChannel)) rt::setButtonState(ActiveChannel, 1);
  if (mode == 1 && (yChan == 1 || FlowRateChannel > 0)) {
    if (MainDataChannel >= 1 && MainDataChannel <= n) rt::setButtonState(MainDataChannel, 2);
    const int s = L.xSecond ? 40 + SecondChannel : n + SecondChannel;
    if (SecondChannel >= 1 && yChan == 1 && rt::controlExists(s)) rt::setButtonState(s, 2);
  }
}

}  // namespace

std::string_view channelListHeading(std::string_view heading) {
  static constexpr std::pair<std::string_view, std::string_view> kGases[] = {
      {"  O2", "O\u2082"},   {" CO2", "CO\u2082"},   {" H2O", "H\u2082O"},  {"O2", "VO\u2082"},
      {"VCO2", "VCO\u2082"}, {"%O2", "%O\u2082"},    {"%CO2", "%CO\u2082"},
  };
  for (const auto& [plain, shown] : kGases)
    if (heading == plain) return shown;
  return heading;
}

void TRANSCHAN(std::string_view heading, std::string_view secondHeading, std::string_view note, int16_t top,
               int16_t mode, int16_t left, int16_t grey) {
  drawPanel(kTranschan, heading, secondHeading, note, top, mode, left, grey);
}

void TRANSCHANX(std::string_view heading, std::string_view secondHeading, std::string_view note, int16_t top,
                int16_t mode, int16_t left, int16_t grey) {
  drawPanel(kTranschanX, heading, secondHeading, note, top, mode, left, grey);
}

}  // namespace qv
