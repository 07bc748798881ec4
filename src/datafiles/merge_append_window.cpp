// Window 17 of an append: the room left, the start time and date, the comments and, channel
// by channel, whose label the joint file keeps.
#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "datafiles/datafiles.h"
#include "datafiles/merge_windows.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kNewTime = 349, kNewDate = 350;
constexpr int kKeepOld = 247, kUseNew = 249, kBoth = 250;
constexpr int kAllOld = 245, kAllNew = 246, kAppendButton = 351, kCancelButton = 352;
constexpr int kRowsPerColumn = 20, kRowHeight = 18, kListTop = 250;
// A label's radio button: at least this wide, wider for a long label; the room of its mark.
constexpr int kLabelWidth = 250, kRadioMark = 30;

std::string grouped(int64_t n) {
  std::string digits = std::to_string(n < 0 ? -n : n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return (n < 0 ? "-" : "") + out;
}

// The joint size against the capacity, on a scale that shows small files too.
void gauge(int64_t joint) {
  const int left = 40, right = 560, top = 96;
  rt::frameRect({left, top, right, top + 12});
  const char* marks[] = {"0", "1%", "2%", "5%", "10%", "20%", "50%", "100%"};
  const double at[] = {0, 0.01, 0.02, 0.05, 0.10, 0.20, 0.50, 1.0};
  const auto x = [&](double fraction) {
    for (int k = 1; k < 8; ++k)
      if (fraction <= at[k])
        return left + int((k - 1 + (fraction - at[k - 1]) / (at[k] - at[k - 1])) * (right - left) / 7);
    return right;
  };
  rt::foreColor(RGBblue);
  rt::paintRect({left, top, x(double(joint) / kMaxCases), top + 12});
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 9, 0);
  for (int k = 0; k < 8; ++k) PrintAt(left + k * (right - left) / 7 - 6, top + 24, marks[k]);
}

std::string labelShown(bool has, const std::string& label) {
  return has ? rt::trimRight(label) : std::string("        no data ");
}

// Wide enough for the longest label of either file, in the font size given, so that none is cut.
int labelWidth(const DataFile& b, int channels, int size) {
  const int f = TheFileInUse;
  SetTextStyle(KestrixFont, int16_t(size), 0);
  int widest = 0;
  for (int k = 1; k <= channels; ++k) {
    widest = std::max(widest, rt::stringWidth(labelShown(k <= nChannels[f], RetrieveLabelOf(f, k))));
    widest = std::max(widest, rt::stringWidth(labelShown(k <= b.nChannels, b.meta.labels[size_t(k)])));
  }
  return std::max(kLabelWidth, widest + kRadioMark);
}

void buildAppendWindow(const SecondFile& second, const MergeChoices& c, int rows) {
  const int f = TheFileInUse;
  const DataFile& b = *second.file;
  const int channels = std::max<int>(nChannels[f], b.nChannels);
  const int groups = (channels + kRowsPerColumn - 1) / kRowsPerColumn;
  // Two groups of long labels take a smaller font rather than run off the screen.
  const int screen = rt::screenRect().width();
  int labelSize = 11, lw = labelWidth(b, channels, labelSize);
  while (labelSize > 8 && 20 + groups * (100 + 2 * lw) > screen - 20) lw = labelWidth(b, channels, --labelSize);
  const int groupWidth = 100 + 2 * lw;
  const int width = std::max(620, 20 + groups * groupWidth), height = kListTop + 30 + rows * kRowHeight + 70;
  const int left = std::max(0, std::min(60, (screen - width) / 2));
  BuildWINDOW(kMergeDetailWindow, "File Append:   Label Selection", int16_t(left), 40, int16_t(left + width),
              int16_t(40 + height), 6);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(20, 24, " current file:" + rt::PSstrLong(nCases[f]) + " cases");
  PrintAt(20, 42, " appending:" + rt::PSstrLong(b.nCases) + " cases");
  PrintAt(20, 60, " remaining: " + grouped(int64_t(kMaxCases) - nCases[f] - b.nCases) + " cases");
  gauge(int64_t(nCases[f]) + b.nCases);
  rt::FBButton(kNewTime, 1, "Use New Start Time:  " + b.meta.startTime, {20, 136, 300, 154}, 2);
  rt::FBButton(kNewDate, 1, "Use New Start Date:  " + b.meta.startDate, {20, 158, 300, 176}, 2);
  rt::FBButton(kKeepOld, c.commentMode == 0 ? 2 : 1, "Keep Old Comments", {320, 136, 580, 154}, 3);
  rt::FBButton(kUseNew, c.commentMode == 1 ? 2 : 1, "Use New Comments", {320, 158, 580, 176}, 3);
  rt::FBButton(kBoth, c.commentMode == 2 ? 2 : 1, "Include Both New and Old Comments", {320, 180, 580, 198}, 3);

  SetTextStyle(KestrixFont, 12, rt::kBold);
  for (int g = 0; g < groups; ++g) {
    PrintAt(20 + g * groupWidth + 90, kListTop - 8, "current file");
    PrintAt(20 + g * groupWidth + 90 + lw, kListTop - 8, "appended file");
  }
  SetTextStyle(KestrixFont, int16_t(labelSize), 0);
  for (int k = 1; k <= channels; ++k) {
    const int x = 20 + ((k - 1) / kRowsPerColumn) * groupWidth, y = kListTop + ((k - 1) % kRowsPerColumn) * kRowHeight;
    PrintAt(x, y + 13, "Channel" + rt::PSstrLong(k) + ":");
    const bool fromB = c.picker[size_t(k)] != 0;
    rt::FBButton(k, fromB ? 1 : 2, labelShown(k <= nChannels[f], RetrieveLabelOf(f, k)), {x + 80, y, x + 80 + lw, y + kRowHeight},
                 3);
    rt::FBButton(40 + k, fromB ? 2 : 1, labelShown(k <= b.nChannels, b.meta.labels[size_t(k)]),
                 {x + 85 + lw, y, x + 85 + 2 * lw, y + kRowHeight}, 3);
    // The labels are drawn in the font they were measured in.
    rt::setEditFont(k, KestrixFont, labelSize, 0);
    rt::setEditFont(40 + k, KestrixFont, labelSize, 0);
  }
  const int by = kListTop + rows * kRowHeight + 8;
  rt::FBButton(kAllOld, 1, "Use All These Labels", {100, by, 300, by + 22}, 1);
  rt::FBButton(kAllNew, 1, "Use All These Labels", {105 + lw, by, 305 + lw, by + 22}, 1);
  rt::FBButton(kCancelButton, 1, "Cancel", {width - 260, height - 36, width - 150, height - 12}, 1);
  rt::FBButton(kAppendButton, 1, "Append File", {width - 130, height - 36, width - 20, height - 12}, 4);
}

void pickLabel(MergeChoices& c, int k, bool fromB) {
  c.picker[size_t(k)] = fromB ? 1 : 0;
  rt::setButtonState(k, fromB ? 1 : 2);
  rt::setButtonState(40 + k, fromB ? 2 : 1);
}

}  // namespace

bool APPENDstatus(const SecondFile& second, MergeChoices& choices) {
  const int f = TheFileInUse;
  const DataFile& b = *second.file;
  choices = MergeChoices{};
  choices.commentMode = MergeFileCommentHandling;
  if (nChannels[f] == b.nChannels && prefsArray[62] == 1) {
    choices.commentMode = MergeFileCommentHandling = 2;
    for (int k = 1; k <= b.nChannels; ++k) choices.picker[size_t(k)] = 1;
    return true;
  }
  const int channels = std::max<int>(nChannels[f], b.nChannels);
  for (int k = 1; k <= channels; ++k)
    choices.picker[size_t(k)] = k <= b.nChannels && !(second.sable && k <= nChannels[f]) ? 1 : 0;
  SavedHandlers saved;
  HideTheToolBar();
  buildAppendWindow(second, choices, std::min(channels, kRowsPerColumn));
  installModalHandlers();
  bool append = true;
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForAction();
    if (action == 16 || (action == 3 && eventID != kMergeDetailWindow)) break;
    if (action == 4 || gQuitPending) {
      append = false;
      break;
    }
    if (action != 1) continue;
    const int id = eventID;
    if (id >= 1 && id <= channels) pickLabel(choices, id, false);
    else if (id > 40 && id <= 40 + channels) pickLabel(choices, id - 40, id - 40 <= b.nChannels);
    else if (id == kAllOld || id == kAllNew)
      for (int k = 1; k <= channels; ++k) pickLabel(choices, k, id == kAllNew && k <= b.nChannels);
    else if (id == kNewTime || id == kNewDate) {
      bool& flag = id == kNewTime ? choices.newStartTime : choices.newStartDate;
      flag = !flag;
      rt::setButtonState(id, flag ? 2 : 1);
    } else if (id == kKeepOld || id == kUseNew || id == kBoth) {
      choices.commentMode = int16_t(id == kKeepOld ? 0 : id == kUseNew ? 1 : 2);
      for (int r : {kKeepOld, kUseNew, kBoth}) rt::setButtonState(r, r == id ? 2 : 1);
    } else if (id == kAppendButton || id == kCancelButton) {
      append = id == kAppendButton;
      done = true;
    }
  }
  action = eventID = 0;
  rt::closeWindow(kMergeDetailWindow);
  RestoreTheToolBar();
  if (!append) MakeSlider();
  else MergeFileCommentHandling = choices.commentMode;
  return append;
}

}  // namespace qv
