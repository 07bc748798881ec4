// "Stepped Sampling": blocks laid step by step around a start point, their means plotted
// against the time lag from it, a scatterplot of two channels' block means, and the export.
#include <algorithm>
#include <cmath>
#include <ctime>
#include <span>
#include <string>
#include <vector>

#include "core/backup_cache.h"
#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "plot/plot_state.h"
#include "rhythm/commands.h"
#include "rhythm/stepped_sampling.h"
#include "rhythm/tool_events.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kSteppedWindow = 4, kPlotWindow = 22, kPickWindow = 6;
constexpr int kLeftField = 101, kRightField = 102, kStartField = 103, kSizeField = 104, kSkipField = 105;
constexpr int kShowBlue = 125, kShowRed = 126, kShowGrey = 127;
constexpr int kStartOfFile = 131, kLeftAt = 132, kEndOfFile = 133, kRightAt = 134, kCentre = 135, kStartAt = 136;
constexpr int kSeconds = 137, kSamples = 138;
constexpr int kSave = 140, kStepPlot = 141, kDone = 142, kHelp = 143, kScatter = 144, kPlotOK = 150;
constexpr int16_t kSteppedHelp = 202;
constexpr int kWidth = 640, kHeight = 330, kPlotWidth = 640, kPlotHeight = 420;

struct Ends {
  int64_t left = 1, right = 1, start = 1;
  bool ok = true;
};

std::span<const float> channelSpan(int f, int c) { return {channelData(f, c), size_t(nCases[f]) + 1}; }

std::string trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// A typed case number; a text that is not a whole number gives -1, which no layout accepts.
int64_t typedCase(int field) {
  double v = 0;
  if (!rt::PSvalStrict(rt::editTextIn(kSteppedWindow, field), v) || !std::isfinite(v) || std::fabs(v) > 2e9) return -1;
  return int64_t(std::trunc(v));
}

float typedSeconds(int field) {
  double v = 0;
  if (!rt::PSvalStrict(rt::editTextIn(kSteppedWindow, field), v)) return std::nanf("");
  return float(v);
}

Ends endsChosen(int f) {
  Ends e;
  e.left = rt::buttonStateIn(kSteppedWindow, kStartOfFile) == 2 ? 1 : typedCase(kLeftField);
  e.right = rt::buttonStateIn(kSteppedWindow, kEndOfFile) == 2 ? nCases[f] : typedCase(kRightField);
  e.start = rt::buttonStateIn(kSteppedWindow, kCentre) == 2
                ? int64_t(BeginBlock[f]) + int64_t((EndBlock[f] - BeginBlock[f]) * 0.5)
                : typedCase(kStartField);
  return e;
}

void radioPair(int on, int off) {
  rt::setButtonStateIn(kSteppedWindow, on, 2);
  if (rt::buttonStateIn(kSteppedWindow, off) != 0) rt::setButtonStateIn(kSteppedWindow, off, 1);
}

void buildSteppedWindow(int f, const std::vector<bool>& chosen) {
  const int16_t left = int16_t((ScreenWidth - 640) / 2);
  BuildWINDOW(kSteppedWindow, "Stepped Sampling", left, 44, int16_t(left + kWidth), int16_t(44 + kHeight), 262);
  const bool block = FileSHORTS[f][kBlockStateWord] == 2;
  SetTextStyle(KestrixFont, 12, rt::kBold);
  struct Group { const char* title; int first, second, field; };
  const Group groups[] = {{"left end point", kStartOfFile, kLeftAt, kLeftField},
                          {"start point", kCentre, kStartAt, kStartField},
                          {"right end point", kEndOfFile, kRightAt, kRightField}};
  const char* firstTitles[] = {"Start of File", "Center of Block", "End of File"};
  std::string texts[3];
  if (block) {
    texts[0] = rt::PSstrLong(BeginBlock[f]);
    texts[1] = rt::PSstrLong(BeginBlock[f] + (EndBlock[f] - BeginBlock[f]) / 2);
    texts[2] = rt::PSstrLong(EndBlock[f]);
  } else {
    texts[0] = rt::PSstrLong(1), texts[1] = rt::PSstrLong(nCases[f] / 2), texts[2] = rt::PSstrLong(nCases[f]);
  }
  for (int g = 0; g < 3; ++g) {
    const int x = 10 + 210 * g;
    rt::foreColor(RGBblack);
    rt::frameRect({x, 10, x + 200, 96});
    SetTextStyle(KestrixFont, 12, rt::kBold);
    PrintAt(x + 8, 28, groups[g].title);
    rt::FBButton(groups[g].first, 1, firstTitles[g], {x + 8, 36, x + 190, 56}, 3);
    rt::FBButton(groups[g].second, 1, "At Sample #", {x + 8, 62, x + 110, 82}, 3);
    EFForeColor = EFBackColor = 1;
    buildef(1, int16_t(groups[g].field), texts[g], int16_t(x + 112), 62, int16_t(x + 192), 82, 3, 1);
  }
  if (block) {
    rt::setButtonState(kLeftAt, 2), rt::setButtonState(kRightAt, 2), rt::setButtonState(kCentre, 2);
  } else {
    rt::setButtonState(kStartOfFile, 2), rt::setButtonState(kEndOfFile, 2), rt::setButtonState(kStartAt, 2);
    rt::setButtonState(kCentre, 0);
  }
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(14, 124, "durations are in");
  rt::FBButton(kSeconds, 2, "Seconds", {120, 110, 200, 130}, 3);
  rt::FBButton(kSamples, 0, "Samples", {205, 110, 285, 130}, 3);
  PrintAt(14, 156, "             size of block");
  PrintAt(14, 184, "skip between blocks");
  EFForeColor = EFBackColor = 1;
  buildef(1, kSizeField, rt::PSstr(SteppedSampleInterval), 170, 142, 250, 162, 3, 1);
  buildef(1, kSkipField, rt::PSstr(SteppedSampleSkip), 170, 170, 250, 190, 3, 1);
  PrintAt(256, 156, "sec");
  PrintAt(256, 184, "sec");
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(330, 124, "show");
  rt::FBButton(kShowBlue, 2, " Positive Values (blue) ", {330, 130, 620, 148}, 2);
  rt::FBButton(kShowRed, 2, " Negative Values (red) ", {330, 150, 620, 168}, 2);
  rt::FBButton(kShowGrey, 2, " Mean of + and - Values (gray) ", {330, 170, 620, 188}, 2);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(14, 216, "channels:");
  for (int c = 1; c <= nChannels[f]; ++c) {
    const int x = 80 + 27 * ((c - 1) % 20), y = 202 + 26 * ((c - 1) / 20);
    rt::FBButton(c, chosen[size_t(c)] ? 2 : 1, std::to_string(c), {x, y, x + 25, y + 22}, 2);
  }
  const int by = kHeight - 36;
  rt::FBButton(kSave, 0, "Save as ASCII...", {10, by, 140, by + 24}, 1);
  rt::FBButton(kStepPlot, 1, "\u0394t Step Plot", {150, by, 270, by + 24}, 1);
  rt::FBButton(kScatter, nChannels[f] > 1 ? 1 : 0, "Scatterplot", {280, by, 380, by + 24}, 1);
  rt::FBButton(kHelp, 1, "?", {390, by, 420, by + 24}, 1);
  rt::FBButton(kDone, 1, "Done  -- Exit", {500, by, 630, by + 24}, 4);
}

rt::Rect plotPlace() {
  const rt::Rect w = rt::windowContentRect(kSteppedWindow);
  const int top = std::min(w.bottom + 30, rt::screenRect().bottom - kPlotHeight - 10);
  return {w.left, top, w.left + kPlotWidth, top + kPlotHeight};
}

// The plot frame and its axis texts; returns the drawing area.
rt::Rect buildPlotWindow(const std::string& title, const std::string& heading, const std::string& xTitle,
                         float xLo, float xHi, float yLo, float yHi) {
  const rt::Rect r = plotPlace();
  BuildWINDOW(kPlotWindow, title, int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 262);
  const rt::Rect area{70, 40, kPlotWidth - 30, kPlotHeight - 60};
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(70, 24, heading);
  rt::frameRect({area.left - 4, area.top - 4, area.right + 5, area.bottom + 5});
  SetTextStyle(KestrixFont, 11, 0);
  EFForeColor = EFBackColor = 0;
  buildef(0, 1, rt::PSstr(yHi), 2, int16_t(area.top - 8), 64, int16_t(area.top + 8), 7, 2);
  buildef(0, 2, rt::PSstr(yLo), 2, int16_t(area.bottom - 8), 64, int16_t(area.bottom + 8), 7, 2);
  buildef(0, 3, rt::PSstr(xLo), int16_t(area.left - 30), int16_t(area.bottom + 8), int16_t(area.left + 60),
          int16_t(area.bottom + 24), 7, 0);
  buildef(0, 4, rt::PSstr(xHi), int16_t(area.right - 90), int16_t(area.bottom + 8), int16_t(area.right + 5),
          int16_t(area.bottom + 24), 7, 2);
  PrintAt((area.left + area.right - rt::stringWidth(xTitle)) / 2, area.bottom + 40, xTitle);
  return area;
}

struct Scale {
  rt::Rect a;
  double xLo, xHi, yLo, yHi;
  rt::PointF at(double x, double y) const {
    const double fx = xHi > xLo ? (x - xLo) / (xHi - xLo) : 0.5, fy = yHi > yLo ? (y - yLo) / (yHi - yLo) : 0.5;
    return {a.left + fx * (a.right - a.left), a.bottom - fy * (a.bottom - a.top)};
  }
};

void dot(rt::PointF p, rt::RGB c) {
  rt::foreColor(c);
  rt::paintOval({int(p.x) - 2, int(p.y) - 2, int(p.x) + 3, int(p.y) + 3});
}

void drawSide(const Scale& s, const std::vector<SteppedBlock>& t, bool after, rt::RGB colour) {
  std::vector<rt::PointF> pts;
  const auto add = [&](const SteppedBlock& b) {
    if (std::isfinite(b.mean)) pts.push_back(s.at(std::fabs(b.seconds), b.mean));
  };
  if (after) {
    for (const auto& b : t)
      if (b.seconds >= 0) add(b);
  } else {
    for (auto it = t.rbegin(); it != t.rend(); ++it)
      if (it->seconds <= 0) add(*it);
  }
  if (pts.size() > 1) rt::strokePolyline(pts.data(), pts.size(), 1.0, colour, true);
  for (const auto& p : pts) dot(p, colour);
}

// The layout from the window's fields, or a warning and nothing.
bool layoutFromWindow(int f, bool scatter, SteppedLayout& l, Ends& e, float& size, float& skip) {
  size = typedSeconds(kSizeField), skip = typedSeconds(kSkipField);
  e = endsChosen(f);
  const auto r = steppedLayout(size, skip, FileInfoFLOATS[f][1], e.left, e.start, e.right, nCases[f], scatter);
  if (!r.error.empty()) {
    Warn(1166, "Stepped Sampling: ", {r.error});
    return false;
  }
  SteppedSampleInterval = size, SteppedSampleSkip = skip;
  l = r.layout;
  return true;
}

std::span<const float> interpolationFlags(int f) {
  if (!MakeInterpolationRecord()) return {};
  const float* row = BackupCacheRow(5);
  return row ? std::span<const float>(row, size_t(nCases[f]) + 1) : std::span<const float>();
}

// The table of `channel` and its plot (window 22); the number of blocks, 0 when refused.
int32_t DoAutocorrTest(int f, int16_t channel, std::vector<SteppedBlock>* table) {
  SteppedLayout l;
  Ends e;
  float size = 0, skip = 0;
  if (!layoutFromWindow(f, false, l, e, size, skip)) return 0;
  const float dt = FileInfoFLOATS[f][1];
  auto t = steppedBlocks(channelSpan(f, channel), l, int32_t(e.start), dt, interpolationFlags(f));
  float lo = INFINITY, hi = -INFINITY, far = 0;
  for (const auto& b : t) {
    if (std::isfinite(b.mean)) lo = std::min(lo, b.mean), hi = std::max(hi, b.mean);
    far = std::max(far, std::fabs(b.seconds));
  }
  if (lo > hi) lo = hi = 0;
  const rt::Rect area = buildPlotWindow("Stepped Sample Plot for Channel" + rt::PSstrLong(channel),
                                        "channel" + rt::PSstrLong(channel) + ":  " + trimmed(RetrieveLabelOf(f, channel)),
                                        "t in seconds", 0, far, lo, hi);
  const Scale s{area, 0, far, lo, hi};
  if (rt::buttonStateIn(kSteppedWindow, kShowGrey) == 2) {
    const auto line = steppedMeanLine(t);
    std::vector<rt::PointF> pts;
    for (size_t j = 0; j < line.size(); ++j)
      if (std::isfinite(line[j])) pts.push_back(s.at(double(j) * l.step * dt, line[j]));
    if (pts.size() > 1) rt::strokePolyline(pts.data(), pts.size(), 2.0, gray, true);
  }
  if (rt::buttonStateIn(kSteppedWindow, kShowBlue) == 2) drawSide(s, t, true, RGBblue);
  if (rt::buttonStateIn(kSteppedWindow, kShowRed) == 2) drawSide(s, t, false, RGBred);
  rt::flushWindow(kPlotWindow);
  playIfSoundsOn("upvip.mp3");
  rt::setButtonStateIn(kSteppedWindow, kSave, 1);
  rt::bringWindowForward(kSteppedWindow);
  const int32_t n = l.count();
  if (table) *table = std::move(t);
  return n;
}

void AutocorrXYplot(int f, int16_t x, int16_t y) {
  SteppedLayout l;
  Ends e;
  float size = 0, skip = 0;
  if (!layoutFromWindow(f, true, l, e, size, skip)) return;
  const auto mx = steppedMeans(channelSpan(f, x), l), my = steppedMeans(channelSpan(f, y), l);
  float xLo = INFINITY, xHi = -INFINITY, yLo = INFINITY, yHi = -INFINITY;
  for (size_t k = 0; k < mx.size(); ++k) {
    if (!std::isfinite(mx[k]) || !std::isfinite(my[k])) continue;
    xLo = std::min(xLo, mx[k]), xHi = std::max(xHi, mx[k]), yLo = std::min(yLo, my[k]), yHi = std::max(yHi, my[k]);
  }
  if (xLo > xHi) xLo = xHi = yLo = yHi = 0;
  const rt::Rect area = buildPlotWindow(
      "Scatterplot of Channel" + rt::PSstrLong(x) + " (X) and Channel" + rt::PSstrLong(y) + " (Y) ",
      "Y: " + trimmed(RetrieveLabelOf(f, y)), "X: " + trimmed(RetrieveLabelOf(f, x)), xLo, xHi, yLo, yHi);
  const Scale s{area, xLo, xHi, yLo, yHi};
  for (size_t k = 0; k < mx.size(); ++k) {
    if (!std::isfinite(mx[k]) || !std::isfinite(my[k])) continue;
    const rt::PointF p = s.at(mx[k], my[k]);
    rt::foreColor(RGBblack);
    rt::frameOval({int(p.x) - 2, int(p.y) - 2, int(p.x) + 3, int(p.y) + 3});
  }
  rt::flushWindow(kPlotWindow);
  playIfSoundsOn("upvip.mp3");
  rt::bringWindowForward(kSteppedWindow);
}

// "Select Channels for X and Y": the two channels, or nothing when the window was closed.
bool pickScatterChannels(int f, int16_t& x, int16_t& y) {
  const int n = nChannels[f];
  const int height = 60 + 18 * n + 40;
  const rt::Rect w = rt::windowContentRect(kSteppedWindow);
  const int top = std::max(40, std::min<int>(w.top, rt::screenRect().bottom - height - 10));
  BuildWINDOW(kPickWindow, "Select Channels for X and Y", int16_t(w.right + 10 > ScreenWidth - 340 ? 10 : w.right + 10),
              int16_t(top), int16_t((w.right + 10 > ScreenWidth - 340 ? 10 : w.right + 10) + 330), int16_t(top + height),
              262);
  const int16_t savedY = yChan;
  yChan = 1;
  TRANSCHAN("   X", "   Y", "channel label", 10, 1, 10, 0);
  yChan = savedY;
  for (int c = 1; c <= n; ++c) rt::setButtonState(c, 1), rt::setButtonState(n + c, 1);
  rt::FBButton(kPlotOK, 0, "OK - Plot", {220, height - 34, 320, height - 10}, 4);
  x = y = 0;
  bool ok = false;
  for (;;) {
    const auto [a, id, menuPicked] = nextToolEvent();
    if (a == 4 && id == kPickWindow) break;
    if (a != 1) continue;
    if (id == kPlotOK && x && y) {
      ok = true;
      break;
    }
    int16_t& which = id <= n ? x : y;
    const int16_t c = int16_t(id <= n ? id : id - n);
    if (id < 1 || id > 2 * n) continue;
    if (which) rt::setButtonStateIn(kPickWindow, id <= n ? which : n + which, 1);
    which = c;
    rt::setButtonStateIn(kPickWindow, id, 2);
    if (x && y) rt::setButtonStateIn(kPickWindow, kPlotOK, 1);
  }
  rt::closeWindow(kPickWindow);
  return ok;
}

void saveTables(int f, const std::vector<bool>& chosen) {
  const bool tabs = UseExcelFormat != 0;
  std::vector<int> channels;
  for (int c = 1; c <= nChannels[f] && channels.size() < 10; ++c)
    if (chosen[size_t(c)]) channels.push_back(c);
  if (channels.empty()) channels.push_back(ActiveChannel);
  SteppedLayout l;
  Ends e;
  float size = 0, skip = 0;
  if (!layoutFromWindow(f, false, l, e, size, skip)) return;
  const auto path = rt::OSpanelSave("Fle name for autocorrelation results",
                                    tabs ? "autocorrelation data.xls" : "autocorrelation data.csv");
  if (!path) return;
  SteppedExport x;
  x.fileName = FileName[f], x.date = rt::localClockText("%m/%d/%y"), x.nCases = nCases[f], x.nChannels = nChannels[f];
  x.size = size, x.skip = skip, x.dt = FileInfoFLOATS[f][1], x.startPoint = int32_t(e.start);
  x.separator = tabs ? '\t' : ',', x.digits = rt::gFBFloatMaxDigits;
  const auto flags = interpolationFlags(f);
  std::vector<std::vector<SteppedBlock>> tables;
  for (int c : channels) {
    x.channels.push_back(c);
    x.labels.push_back(trimmed(RetrieveLabelOf(f, c)));
    tables.push_back(steppedBlocks(channelSpan(f, c), l, x.startPoint, x.dt, flags));
  }
  const std::string text = steppedExportText(x, tables);
  std::string why;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &why))
    Warn(1166, "Stepped Sampling: ", {"The file could not be written.", why});
}

}  // namespace

void AUTOCORRELATE() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  if (SteppedSampleInterval < 0) SteppedSampleInterval = 60.0f;
  SavedHandlers saved;
  HideTheToolBar();
  std::vector<bool> chosen(size_t(kMaxChannels) + 1, false);
  const int16_t active = ActiveChannel >= 1 && ActiveChannel <= nChannels[f] ? ActiveChannel : 1;
  chosen[size_t(active)] = true;
  buildSteppedWindow(f, chosen);
  installModalHandlers();
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  for (;;) {
    const ToolEvent e = nextToolEvent(kSteppedHelp);
    if (e.menuPicked) break;
    const int a = e.action, id = e.id;
    if ((a == 4 && id == kSteppedWindow) || (a == 1 && id == kDone)) break;
    if (a == 4 && id == kPlotWindow) {
      rt::closeWindow(kPlotWindow);
      rt::bringWindowForward(kSteppedWindow);
      continue;
    }
    if (a != 1) continue;
    rt::setOutputWindow(kSteppedWindow);
    if (id >= 1 && id <= nChannels[f]) {
      chosen[size_t(id)] = !chosen[size_t(id)];
      rt::setButtonStateIn(kSteppedWindow, id, chosen[size_t(id)] ? 2 : 1);
      if (chosen[size_t(id)]) DoAutocorrTest(f, int16_t(id), nullptr);
      continue;
    }
    switch (id) {
      case kStartOfFile: radioPair(kStartOfFile, kLeftAt); break;
      case kLeftAt: radioPair(kLeftAt, kStartOfFile); break;
      case kEndOfFile: radioPair(kEndOfFile, kRightAt); break;
      case kRightAt: radioPair(kRightAt, kEndOfFile); break;
      case kCentre: radioPair(kCentre, kStartAt); break;
      case kStartAt:
      case kStartField:
        if (id == kStartField) Click();
        radioPair(kStartAt, kCentre);
        break;
      case kShowBlue:
      case kShowRed:
      case kShowGrey: rt::setButtonStateIn(kSteppedWindow, id, rt::buttonStateIn(kSteppedWindow, id) == 2 ? 1 : 2); break;
      case kStepPlot: DoAutocorrTest(f, active, nullptr); break;
      case kSave:
        saveTables(f, chosen);
        DoAutocorrTest(f, active, nullptr);
        break;
      case kScatter: {
        int16_t x = 0, y = 0;
        if (pickScatterChannels(f, x, y)) AutocorrXYplot(f, x, y);
        rt::bringWindowForward(kSteppedWindow);
        break;
      }
      case kHelp: {
        const bool plot = rt::windowExists(kPlotWindow);
        if (plot) rt::hideWindow(kPlotWindow);
        OpenHelpBook();
        if (plot) rt::showWindow(kPlotWindow);
        break;
      }
      default: break;
    }
  }
  for (int w : {int(kSteppedWindow), int(kPlotWindow), 966}) rt::closeWindow(w);
  RestoreTheToolBar();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
}

}  // namespace qv
