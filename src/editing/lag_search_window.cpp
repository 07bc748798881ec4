// The best-fit lag search of the Lag window (windows 40 and 10).
#include "editing/lag_search_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <span>
#include <string>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/best_lag.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kToolWindow = 4, kSetupWindow = 40, kChooserWindow = 10;
constexpr int kMaxLagField = 112, kLagField = 111;
constexpr int kSelectSecond = 1, kSetupCancel = 2, kSelectionOK = 41;
constexpr int kSetupWidth = 320, kSetupHeight = 230;
constexpr int kChooserRows = 20, kChooserColumn = 230;

std::span<const float> channelSpan(int f, int channel) {
  return {channelData(f, channel), size_t(nCases[f]) + 1};
}

std::string trimmedLabel(int channel) {
  std::string s = RetrieveLabel(channel);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// Beside the Lag window, or to its left when the screen ends first.
rt::Rect setupPlace() {
  const rt::Rect tool = rt::windowExists(kToolWindow) ? rt::windowContentRect(kToolWindow) : rt::Rect{10, 400, 332, 750};
  const rt::Rect screen = rt::screenRect();
  int left = tool.right + 8;
  if (left + kSetupWidth > screen.right) left = std::max(0, tool.left - 8 - kSetupWidth);
  const int top = std::clamp(tool.top, 40, screen.bottom - kSetupHeight - 10);
  return {left, top, left + kSetupWidth, top + kSetupHeight};
}

void buildSetupWindow(float interval, int32_t begin) {
  const rt::Rect r = setupPlace();
  BuildWINDOW(kSetupWindow, "Best-fit Lag Setup", int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom),
              6);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(20, 32, "Maximum lag:");
  EFForeColor = EFBackColor = 1;
  // The largest lag the block allows: reads stop at case 1.
  buildef(1, kMaxLagField, rt::PSstr(double(begin - 1) * interval), 115, 19, 205, 37, 3, 1);
  PrintAt(215, 32, "seconds");
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(20, 60, "A smaller value will reduce search time.");
  PrintAt(20, 76, "A negative value will lag-delay this channel.");
  rt::FBButton(kSelectSecond, 1, "Select Second Channel...", {130, 190, 300, 212}, 4);
  rt::FBButton(kSetupCancel, 1, "Cancel", {30, 190, 110, 212}, 1);
}

// The typed maximum in cases, truncated toward zero; a warning and nothing for a text that is
// not a number.
std::optional<int32_t> typedMaximumLag(int f) {
  double v = 0;
  const double interval = FileInfoFLOATS[f][1];
  if (!rt::PSvalStrict(rt::editTextIn(kSetupWindow, kMaxLagField), v) || !std::isfinite(v / interval)) {
    Warn(1166, "Best-fit Lag Setup: ", {"The maximum lag must be a number of seconds."});
    return std::nullopt;
  }
  const double cases = std::clamp(std::trunc(v / interval), -double(nCases[f]), double(nCases[f]));
  return int32_t(cases);
}

// "Channel for Comparison": the second channel, 0 when the window is closed.
int16_t chooseComparisonChannel(int f) {
  HideTheToolBar();
  const int n = nChannels[f];
  const int columns = n > kChooserRows ? 2 : 1, rows = std::min(n, kChooserRows);
  const int width = 20 + columns * kChooserColumn, height = 70 + rows * 22;
  const rt::Rect screen = rt::screenRect();
  const int left = (screen.right - width) / 2, top = std::max(40, (screen.bottom - height) / 2);
  BuildWINDOW(kChooserWindow, "Channel for Comparison", int16_t(left), int16_t(top), int16_t(left + width),
              int16_t(top + height), 6);
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = 1; k <= n; ++k) {
    const int x = 10 + ((k - 1) / kChooserRows) * kChooserColumn, y = 10 + ((k - 1) % kChooserRows) * 22;
    rt::FBButton(k, 1, rt::PSstrLong(k) + "  " + trimmedLabel(k), {x, y, x + kChooserColumn - 10, y + 20}, 3);
  }
  const rt::Rect okBox{width - 130, height - 40, width - 20, height - 16};
  rt::FBButton(kSelectionOK, 0, "selection OK", okBox, 1);
  int16_t chosen = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4 && id == kChooserWindow) {
      chosen = 0;
      break;
    }
    if (a == 1 && id >= 1 && id <= n) {
      if (chosen) rt::setButtonStateIn(kChooserWindow, chosen, 1);
      chosen = int16_t(id);
      rt::setButtonStateIn(kChooserWindow, chosen, 2);
      rt::setOutputWindow(kChooserWindow);
      rt::FBButton(kSelectionOK, 1, "Selection OK", okBox, 4);
      continue;
    }
    if (chosen && ((a == 1 && id == kSelectionOK) || a == 16)) break;
  }
  rt::closeWindow(kChooserWindow);
  return chosen;
}

void showBestSoFar(BestLag best, float interval) {
  rt::setOutputWindow(kSetupWindow);
  rt::eraseRect({10, 130, kSetupWidth - 10, 180});
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(20, 148, "r-squared = " + rt::PSstr(best.rsquared));
  PrintAt(20, 168, "  lag = " + rt::PSstr(double(best.lag) * interval) + " sec");
  rt::flushWindow(kSetupWindow);
}

}  // namespace

float BestLagRegression(int32_t lag, int16_t channel) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || channel < 1 || channel > nChannels[f] || FileSHORTS[f][kBlockStateWord] != 2)
    return std::numeric_limits<float>::quiet_NaN();
  const int64_t first = int64_t(BeginBlock[f]) - lag, last = int64_t(EndBlock[f]) - lag;
  if (first < 1 || last > nCases[f] || BeginBlock[f] < 1 || EndBlock[f] > nCases[f])
    return std::numeric_limits<float>::quiet_NaN();
  return lagRSquared(channelSpan(f, ActiveChannel), channelSpan(f, channel), BeginBlock[f], EndBlock[f], lag);
}

namespace {

bool searchBestLag() {
  const int f = TheFileInUse;
  const float interval = FileInfoFLOATS[f][1];
  const int32_t begin = BeginBlock[f], end = EndBlock[f];
  const std::optional<int32_t> typed = typedMaximumLag(f);
  if (!typed) return false;
  const int32_t m = limitSearchLag(*typed, begin, end, nCases[f]);
  if (m != *typed) rt::setEditTextIn(kSetupWindow, kMaxLagField, rt::PSstr(double(m) * interval));
  const int16_t second = chooseComparisonChannel(f);
  if (second == 0) return true;
  rt::setOutputWindow(kSetupWindow);
  rt::setCursor(rt::Cursor::Wait);
  buildProgressBAR(20, 100, kSetupWidth - 20, 114, std::max<int32_t>(std::abs(m), 1), kSetupWindow);
  const auto progress = [&](int64_t scanned, BestLag best) {
    rt::setOutputWindow(kSetupWindow);
    UpdateProgressBar(int32_t(scanned));
    showBestSoFar(best, interval);
  };
  const int32_t lo = std::min(m, 0), hi = std::max(m, 0);
  const BestLag best =
      bestLagSearch(channelSpan(f, ActiveChannel), channelSpan(f, second), begin, end, lo, hi, progress);
  rt::setCursor(rt::Cursor::Arrow);
  rt::setEditTextIn(kToolWindow, kLagField, rt::PSstr(double(best.lag) * interval));
  return true;
}
}  // namespace

void CalculateBestLag() { searchBestLag(); }

void BestFitLagTime() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || FileSHORTS[f][kBlockStateWord] != 2 || nChannels[f] < 2) return;
  const int32_t begin = BeginBlock[f], end = EndBlock[f];
  if (begin < 1 || end > nCases[f] || begin > end) return;
  buildSetupWindow(FileInfoFLOATS[f][1], begin);
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kSetupCancel) || (a == 4 && id == kSetupWindow)) break;
    if (((a == 1 && id == kSelectSecond) || a == 16) && searchBestLag()) break;
  }
  rt::closeWindow(kSetupWindow);
  RestoreTheToolBar();
}

}  // namespace qv
