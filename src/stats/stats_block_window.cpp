// The statistics text block drawn into the results window from the composed texts.
#include <cmath>
#include <string>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/text_format.h"
#include "core/output_state.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/clicked_points_state.h"
#include "stats/stats_block.h"
#include "output/stats_text.h"

namespace qv {

namespace {

constexpr int kResultsWindow = 4;
constexpr rt::RGB kGreenText{0, 0x8000, 0};

struct FieldPlace {
  rt::Rect rect;
  int size = 12;
  int face = 0;
};

// Block analyses (mode 99) and the compact layout (mode 0).
struct Layout {
  FieldPlace mean, sd, cv, se, n, duration, range, total, rangeCaption, totalCaption;
};
const Layout kBlock{{{75, 48, 318, 66}, 14, rt::kBold}, {{75, 74, 175, 90}},        {{225, 74, 318, 90}},
                    {{75, 95, 175, 111}},                {{75, 118, 145, 134}, 14}, {{205, 118, 318, 134}, 11},
                    {{75, 140, 318, 156}, 11},           {{140, 160, 318, 176}},    {{8, 140, 70, 156}},
                    {{8, 160, 140, 176}}};
const Layout kCompact{{{65, 73, 260, 88}, 14, rt::kBold}, {{65, 98, 171, 112}}, {{218, 98, 312, 112}},
                      {{65, 120, 171, 134}},               {{218, 120, 312, 134}}, {{70, 151, 312, 165}, 11},
                      {{70, 151, 312, 165}, 11},           {{0, 0, 0, 0}},        {{23, 151, 68, 165}},
                      {{0, 0, 0, 0}}};

bool slotInUse(int f) { return f >= 0 && f < kMaxOpenFiles; }

// The fields live in the results window when it is open.
void toResultsWindow() {
  if (rt::windowExists(kResultsWindow)) rt::setOutputWindow(kResultsWindow);
}

void field(int id, const std::string& text, const FieldPlace& p, rt::RGB color) {
  if (!rt::controlExists(id)) rt::FBEditField(id, text, p.rect, 7);
  else rt::setEditText(id, text);
  rt::setEditFont(id, KestrixFont, p.size, p.face);
  rt::setEditColors(id, color, RGBwhite);
}

StatsText composedStats(bool withIntegratedTotal) {
  StatsTextInput in = publishedStatsTextInput(TheFileInUse, ch);
  in.withIntegratedTotal = withIntegratedTotal;
  return composeStatsText(in);
}

// The compact layout shows volumes in ml: no channel scaling and no closed-system rate.
StatsText composedVolumes() {
  StatsTextInput in = publishedStatsTextInput(TheFileInUse, 0);
  in.closedSystem.reset();
  in.withIntegratedTotal = false;
  return composeStatsText(in);
}

void clockLine(const std::string& text, int y) {
  if (text.empty()) return;
  rt::penNormal();
  rt::foreColor(VeryLightGray);
  rt::paintRect({0, y - 12, 320, y + 4});
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(kGreenText);
  PrintAt(1, y, text);
  rt::foreColor(RGBblack);
}

void values(const StatsText& t, const Layout& l) {
  field(kMeanField, t.mean, l.mean, RGBred);
  if (!t.sd.empty()) {
    field(kSDField, t.sd, l.sd, RGBblue);
    field(kCVField, t.cv, l.cv, RGBblue);
    field(kSEField, t.se, l.se, RGBblue);
    return;
  }
  // Below 3 cases there is no spread to show: an S.D. left from an earlier range would read
  // as this mean's.
  for (int id : {kSDField, kCVField, kSEField})
    if (rt::controlExists(id)) rt::setEditText(id, "");
}

void compactLayout(bool withValues) {
  const StatsText t = composedVolumes();
  clockLine(t.clockLine, 42);
  SetTextStyle(KestrixFont, 15, 0);
  rt::foreColor(RGBred);
  PrintAt(1, 85, "  Mean = ");
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblue);
  PrintAt(1, 109, "     S.D. = ");
  PrintAt(180, 109, "C.V. = ");
  PrintAt(1, 132, "     S.E. = ");
  PrintAt(180, 132, "n = ");
  rt::foreColor(RGBblack);
  field(kRangeCaption, "range:", kCompact.rangeCaption, kGreenText);
  if (!withValues) {
    // Placeholders, replaced by the values.
    StatsText blank;
    blank.mean = " ";
    blank.sd = blank.cv = blank.se = " ";
    values(blank, kCompact);
    field(kDurationField, " ", kCompact.duration, kGreenText);
    field(kNField, " ", kCompact.n, kGreenText);
    return;
  }
  values(t, kCompact);
  field(kDurationField, t.range, kCompact.duration, kGreenText);
  field(kNField, t.n, kCompact.n, kGreenText);
}

}  // namespace

void BasicStatsTextStuff(int16_t mode) {
  toResultsWindow();
  if (mode == 0) {
    compactLayout(false);
    return;
  }
  SetTextStyle(KestrixFont, 15, 0);
  rt::foreColor(RGBred);
  PrintAt(1, 62, "  Mean = ");
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblue);
  PrintAt(1, 86, "     S.D. = ");
  PrintAt(180, 86, "C.V. = ");
  PrintAt(1, 107, "     S.E. = ");
  rt::foreColor(kGreenText);
  const bool timed = row != 6 && AnalysisCode >= 0;
  if (timed) ELTime();
  field(kRangeCaption, "range:", kBlock.rangeCaption, kGreenText);
  if (row != 6 && AnalysisCode > 0) PrintAt(5, 195, "  rate unit: ");
  PrintAt(8, 130, "      n = ");
  PrintAt(150, 130, "duration");
  rt::foreColor(RGBblack);
}

void BasicSTATS(int16_t mode) {
  rt::setCursor(rt::Cursor::Arrow);
  toResultsWindow();
  if (mode == 0) {
    compactLayout(true);
    return;
  }
  const StatsText t = composedStats(false);
  clockLine(t.clockLine, 42);
  values(t, kBlock);
  if (row != 6 && AnalysisCode >= 0) ELTime();
  field(kRangeField, t.range, kBlock.range, kGreenText);
  if (mode < 99) DoINTEGRATION(0);
  if (slotInUse(TheFileInUse) && gPointersToFileData[TheFileInUse][0]) PutDatum(TheFileInUse, 0, 0, 10000.0f);
}

void ELTime() {
  toResultsWindow();
  const double interval = slotInUse(TheFileInUse) ? FileInfoFLOATS[TheFileInUse][1] : 0.0;
  const Duration d = elapsedDuration(nrPoints, interval, IntegrationUnit);
  minutes = d.overTenMinutes ? 1 : 0;
  field(kNField, std::to_string(nrPoints > 0 ? nrPoints : 0), kBlock.n, kGreenText);
  field(kDurationField, d.text(), kBlock.duration, kGreenText);
}

void DoINTEGRATION(int16_t) {
  toResultsWindow();
  if (row != 6 && AnalysisCode >= 0) field(kIntegratedTotalCaption, "integrated total = ", kBlock.totalCaption, kGreenText);
  const StatsText t = composedStats(true);
  nPoints = t.nPoints;
  for (int id : {kUnitSeconds, kUnitMinutes, kUnitHours, kUnitNone, kUnitDays})
    if (rt::controlExists(id)) rt::setButtonState(id, id == IntegrationUnit ? 2 : 1);
  field(kIntegratedTotalField, t.integratedTotal, kBlock.total, RGBblack);
}

void TIMESTATS() {
  ++row;
  const PairTimeStats& t = LastPairTimes;
  const int32_t n = nrPoints > 0 ? nrPoints : 0;
  const FieldPlace mean{{75, 55, 262, 73}, 14, rt::kBold};
  field(kMeanField, n > 0 ? rt::PSstr(t.mean) : std::string("no valid cases"), mean, RGBred);
  SetTextStyle(KestrixFont, 15, 0);
  rt::foreColor(RGBred);
  PrintAt(8, 69, "  Mean = ");
  PrintAt(266, 69, " sec");
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblue);
  const bool spread = n >= 3;
  if (spread) {
    PrintAt(8, 95, "    S.D. = ");
    PrintAt(174, 95, "C.V. = ");
    PrintAt(8, 118, "     S.E. = ");
  } else {
    rt::eraseRect({0, 80, 322, 122});
  }
  const std::string cv = t.mean != 0.0f ? StringFormatter(std::fabs(t.sd * 100.0f / t.mean)) + " %" : "**";
  field(112, spread ? rt::PSstr(t.sd) : "", {{75, 82, 170, 98}}, RGBblue);
  field(113, spread ? cv : "", {{220, 82, 318, 98}}, RGBblue);
  field(114, spread ? rt::PSstr(float(t.sd / std::sqrt(double(n)))) : "", {{75, 105, 170, 121}}, RGBblue);
  rt::foreColor(kGreenText);
  const std::string pad(12, ' ');
  rt::eraseRect({0, 170, 322, 210});
  if (n > 0) {
    PrintAt(8, 185, "range: " + rt::PSstr(t.min) + "  to" + rt::PSstr(t.max) + " sec" + pad);
    const int kept = rt::gFBFloatMaxDigits;
    rt::gFBFloatMaxDigits = 5;
    PrintAt(8, 205, "integrated time = " + rt::PSstr(double(n) * t.mean) + " sec" + pad);
    rt::gFBFloatMaxDigits = kept;
  }
  rt::foreColor(RGBblack);
}

}  // namespace qv
