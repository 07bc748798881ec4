#include "output/spreadsheet.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "output/calendar.h"
#include "core/output_state.h"
#include "output/result_text.h"
#include "runtime/utf8.h"
#include "output/area_integral.h"
#include "output/stats_text.h"

namespace qv {

namespace {

bool on(int16_t v) { return v != 0; }
int16_t flip(int16_t v) { return v != 0 ? 0 : 1; }

bool firstNoteOn(const SpreadsheetOptions& o) { return on(o.Note_1) || on(o.Note_2); }

bool isScan(int16_t code) {
  return code == kCodeMeanMinimum || code == kCodeMeanMaximum || code == kCodeMostLevel ||
         code == kCodeMostVariable || code == kCodeMostVariablePointToPoint;
}

int16_t resultsPerLine(const SpreadsheetLine& line) {
  return line.NMultipleResults < 2 ? 2 : (line.NMultipleResults > 15 ? 15 : line.NMultipleResults);
}

std::string join(const std::vector<std::string>& cells, char sep) {
  std::string out;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) out += sep;
    out += cells[i];
  }
  return out;
}

// The columns after Variable that every group of a line has, captioned as the header
// writes them (later groups keep their own time and duration captions).
void appendTrailingCaptions(std::vector<std::string>& c, const SpreadsheetOptions& o,
                            bool firstGroup) {
  if (on(o.tabMode)) c.push_back("Analysis");
  if (on(o.dateColumn)) c.push_back(o.dateColumn == 1 ? "Day of year" : "Date");
  if (on(o.hourColumn)) c.push_back("Hour");
  if (on(o.elapsedColumn)) c.push_back("elapsed time @ start (min) ");
  if (on(o.tabTime)) {
    c.push_back(firstGroup ? "StrtTime" : "StartTime");
    c.push_back("EndTime");
  }
  if (on(o.deltatime)) c.push_back(firstGroup ? "Duration" : "Duration (sec) ");
  if (on(o.tabmass) && firstGroup) c.push_back("mass");
  if (on(o.tabStart)) {
    c.push_back("start");
    c.push_back("end");
  }
  if (on(o.tabChan)) {
    c.push_back("Channel");
    c.push_back("File");
  }
}

// What one report writes, with the line's place it takes.
struct RowContext {
  const ReportInputs& in;
  const SpreadsheetOptions& o;
  char sep;
  bool multiple;
  bool firstOfLine;
  bool lastOfLine;

  std::string number(double x) const {
    return std::isfinite(x) ? reportNumber(x, in.significantFigures) : std::string();
  }
  std::string count(double x) const {
    return std::isfinite(x) && std::fabs(x) < 1e15 ? wholeNumber((long long)x) : std::string();
  }
  std::string text(std::string_view s) const { return quoteCell(s, sep); }
  std::string clock(double kase) const {
    const double m = clockMinutes(kase, in.interval, in.startMinutes);
    return std::isfinite(m) ? MakeTimeString(m) : std::string();
  }
  std::string lineEnd() const { return !multiple || lastOfLine ? "\n" : std::string(1, sep); }
};

std::string dateCell(const RowContext& r) {
  const ReportInputs& in = r.in;
  const auto start = parseStartDate(in.StartDate);
  const auto seconds = parseStartTimeSeconds(in.StartTime);
  if (!start || !seconds) return "";
  const auto date = dateAtCase(*start, *seconds, in.interval, in.BeginBlock);
  if (!date) return "";
  return r.o.dateColumn == 1 ? wholeNumber(dayOfYear(*date)) : monthDayYearText(*date);
}

std::string hourCell(const RowContext& r) {
  double t = clockMinutes(r.in.x1float, r.in.interval, r.in.startMinutes);
  if (!std::isfinite(t)) return "";
  // Past a day the hour starts again; a whole day stays 24.
  if (t > 1440.0) {
    t = std::fmod(t, 1440.0);
    if (t == 0.0) t = 1440.0;
  }
  return r.number(t / 60.0);
}

std::string basicRow(const RowContext& r) {
  const ReportInputs& in = r.in;
  const SpreadsheetOptions& o = r.o;
  const int16_t code = in.AnalysisCode;
  const ResultScaling& s = in.scaling;
  std::vector<std::string> c;
  c.push_back(r.number(code == kCodeAreaIntegration
                           ? scaledIntegral(in.meanValue, in.nrPoints, s, in.IntegrationMode,
                                            in.IntegrationUnit, in.interval)
                           : s.level(in.meanValue)));
  c.push_back(code == kCodeAreaIntegration ? " " : r.number(s.spread(in.StandardDeviation)));
  c.push_back(wholeNumber(in.nrPoints > 0 ? in.nrPoints : 0));
  c.push_back(r.number(s.level(in.mi)));
  c.push_back(r.number(s.level(in.ma)));
  c.push_back(r.text(in.label(in.ch)));
  if (on(o.tabMode)) c.push_back(r.text(analysisName(code)));
  if (on(o.dateColumn)) c.push_back(dateCell(r));
  if (on(o.hourColumn)) c.push_back(hourCell(r));
  if (on(o.elapsedColumn)) c.push_back(r.number(double(in.BeginBlock) * in.interval / 60.0));
  if (on(o.tabTime)) {
    c.push_back(r.clock(in.x1float));
    c.push_back(code == kCodeRunningAverage ? " " : r.clock(in.SecondXvalue));
  }
  if (on(o.deltatime)) {
    const double d = code == kCodeDescriptiveStats ? double(in.EndAverage) - in.BeginAverage
                     : isScan(code)                 ? double(in.MMLpoints) - 1.0
                                                    : double(in.EndBlock) - in.BeginBlock;
    c.push_back(r.number(in.interval * d));
  }
  if (on(o.tabmass) && r.firstOfLine) c.push_back(r.number(in.mass));
  if (on(o.tabStart)) {
    int64_t first = in.BeginBlock, last = in.EndBlock;
    if (code == kCodeDescriptiveStats) {
      first = in.BeginAverage;
      last = in.EndAverage;
    } else if (isScan(code)) {
      // The window's own last case, as the duration and end-time columns count it.
      first = in.MMLBegin;
      last = int64_t(in.MMLBegin) + std::max(in.MMLpoints, int32_t(1)) - 1;
    }
    c.push_back(wholeNumber(first));
    c.push_back(wholeNumber(last));
  }
  if (on(o.tabChan)) {
    c.push_back(wholeNumber(in.ch));
    c.push_back(r.text(in.fileName));
  }
  return join(c, r.sep) + r.lineEnd();
}

// A frequency or time row (first) or an amplitude row of codes 15 and 44: three numbers,
// the label, then the items of the options.
std::string waveformRow(const RowContext& r, bool firstRow) {
  const ReportInputs& in = r.in;
  const SpreadsheetOptions& o = r.o;
  const bool waveform = in.AnalysisCode == kCodeWaveform;
  const std::string S(1, r.sep);
  std::string t;
  if (waveform && firstRow)
    t = r.number(60.0 / in.P) + S + r.number(60.0 * in.StandardDeviation / (in.P * in.P)) + S +
        r.count(in.dn);
  else if (waveform)
    t = r.number(in.dw / in.dn) + S + r.number(in.dxx) + S + r.count(in.dn);
  else if (firstRow)
    t = r.number(in.tmFloat) + S + r.number(in.ts) + S + wholeNumber(in.REnd);
  else
    t = r.number(in.meanValue) + S + r.number(in.StandardDeviation) + S + wholeNumber(in.REnd);
  t += S + r.text(in.label(in.ch)) + S;
  if (on(o.tabMode)) t += r.text(analysisName(in.AnalysisCode, firstRow ? 1 : 2)) + S;
  if (on(o.tabTime)) t += r.text(r.clock(in.x1float) + "-" + r.clock(in.SecondXvalue)) + S;
  if (on(o.tabmass)) {
    if (!firstRow || !r.multiple)
      t += r.number(in.mass) + S;
    else if (r.firstOfLine)
      t += S + r.number(in.mass) + S;
  }
  if (on(o.tabStart)) t += S + wholeNumber(in.BeginBlock) + S + wholeNumber(in.EndBlock);
  if (on(o.tabChan)) t += S + wholeNumber(in.ch) + S + r.text(in.fileName);
  return t + r.lineEnd();
}

bool selectorIs(std::string_view selector, char letter) {
  return selector.size() == 1 && (selector[0] == letter || selector[0] == letter + ('a' - 'A'));
}

}  // namespace

char spreadsheetSeparator(const SpreadsheetOptions& o) { return on(o.UseExcelFormat) ? '\t' : ','; }

std::string TabFileCommentsText(const SpreadsheetOptions& o, const SpreadsheetNotes& notes) {
  const char sep = spreadsheetSeparator(o);
  std::string t;
  if (firstNoteOn(o)) t += quoteCell(rt::leftChars(notes.note1, kMaxNoteChars), sep) + sep;
  if (on(o.Note_2)) t += quoteCell(rt::leftChars(notes.note2, kMaxNoteChars), sep) + sep;
  return t;
}

OptionButtonStates SETTABOPTIONS(SpreadsheetOptions& o) {
  if (on(o.Note_2)) o.Note_1 = 1;
  OptionButtonStates b;
  auto state = [](int16_t v) { return int16_t(v != 0 ? 2 : 1); };
  b.state[1] = state(o.tabTime);
  b.state[2] = state(o.deltatime);
  b.state[3] = state(o.tabmass);
  b.state[4] = state(o.tabStart);
  b.state[5] = state(o.tabChan);
  b.state[6] = state(o.tabMode);
  b.state[7] = state(o.Note_1);
  b.state[8] = state(o.Note_2);
  b.state[9] = state(o.UseExcelFormat);
  b.state[10] = on(o.UseExcelFormat) ? state(o.UseMultipleResults) : int16_t(0);
  b.state[11] = state(o.hourColumn);
  b.state[12] = state(o.dateColumn == 1);
  b.state[13] = state(o.dateColumn == 2);
  b.state[14] = state(o.elapsedColumn);
  return b;
}

SpreadsheetOptions clickSpreadsheetOption(SpreadsheetOptions o, int button) {
  switch (button) {
    case 1: o.tabTime = flip(o.tabTime); break;
    case 2: o.deltatime = flip(o.deltatime); break;
    case 3: o.tabmass = flip(o.tabmass); break;
    case 4: o.tabStart = flip(o.tabStart); break;
    case 5: o.tabChan = flip(o.tabChan); break;
    case 6: o.tabMode = flip(o.tabMode); break;
    case 7:
      o.Note_1 = flip(o.Note_1);
      if (!on(o.Note_1)) o.Note_2 = 0;
      break;
    case 8: o.Note_2 = flip(o.Note_2); break;
    case 9: o.UseExcelFormat = flip(o.UseExcelFormat); break;
    case 10:
      if (on(o.UseExcelFormat)) o.UseMultipleResults = flip(o.UseMultipleResults);
      break;
    case 11: o.hourColumn = flip(o.hourColumn); break;
    case 12: o.dateColumn = o.dateColumn == 1 ? 0 : 1; break;
    case 13: o.dateColumn = o.dateColumn == 2 ? 0 : 2; break;
    case 14: o.elapsedColumn = flip(o.elapsedColumn); break;
    default: break;
  }
  SETTABOPTIONS(o);
  return o;
}

std::string proposedResultsName(std::string_view fileName, int16_t route,
                                const SpreadsheetOptions& o) {
  std::string name = std::string(fileName) + " results";
  if (route == kRouteSpreadsheet) name += on(o.UseExcelFormat) ? ".txt" : ".csv";
  return name;
}

std::string spreadsheetHeader(const SpreadsheetOptions& o, int16_t NMultipleResults) {
  std::vector<std::string> c;
  if (firstNoteOn(o)) c.push_back("note#1");
  if (on(o.Note_2)) c.push_back("note#2");
  for (const char* caption : {"Mean", "SD", "N", "minimum", "maximum", "Variable"}) c.push_back(caption);
  appendTrailingCaptions(c, o, true);
  if (on(o.UseMultipleResults)) {
    const int16_t n = resultsPerLine({NMultipleResults, 0});
    for (int k = 2; k <= n; ++k) {
      c.push_back("Mean" + blankedNumber(k));
      for (const char* caption : {"SD", "N", "minimum", "maximum", "Variable"}) c.push_back(caption);
      appendTrailingCaptions(c, o, false);
    }
  }
  const char sep = spreadsheetSeparator(o);
  for (std::string& caption : c) caption = quoteCell(caption, sep);
  return join(c, sep) + "\n";
}

bool spreadsheetWritesRow(int16_t code) {
  if (code < kCodeDescriptiveStats || code == kCodeWaveformOpen) return false;
  switch (code) {
    case kCodeSlopeVsTime:
    case kCodeRegression:
    case kCodeTimeSeries:
    case kCodePolynomialReplay:
    case kCodeTimeIntegrating:
    case kCodeEventCounting:
    case kCodePolynomial: return false;
    default: return true;
  }
}

std::string analysisName(int16_t code, int row) {
  switch (code) {
    case kCodeDescriptiveStats: return "Basic stats";
    case kCodeMeanMinimum: return "mean minimum";
    case kCodeMeanMaximum: return "mean maximum";
    case kCodeMostLevel: return "most level";
    case kCodeMostVariable: return "most variable";
    case kCodeMostVariablePointToPoint: return "most variable (point-to-point)";
    case kCodeAreaIntegration: return "integral";
    case kCodeEffectiveVolume: return "eff.vol.(mL) ";
    case kCodeRunningAverage: return "run.average";
    case kCodeWaveform: return row == 1 ? "frequency/min" : "amplitude";
    case kCodePairDifferences: return row == 1 ? "time (seconds; P.D.) " : "amplitude (P.D.) ";
    default: return "";
  }
}

bool spreadsheetRowWantsNotes(int16_t code, const SpreadsheetOptions& o, const SpreadsheetLine& line) {
  if (!spreadsheetWritesRow(code) || !firstNoteOn(o)) return false;
  if (!on(o.UseMultipleResults)) return true;
  return line.NResultsPrinted + 1 > resultsPerLine(line) || line.NResultsPrinted < 1;
}

SpreadsheetRow PRINTTABFILE(const ReportInputs& in, const SpreadsheetOptions& o,
                            const SpreadsheetLine& line, std::string_view selector,
                            const SpreadsheetNotes& notes) {
  SpreadsheetRow row;
  row.line = line;
  if (!spreadsheetWritesRow(in.AnalysisCode)) return row;

  const bool multiple = on(o.UseMultipleResults);
  const int16_t perLine = resultsPerLine(line);
  int16_t place = 1;
  if (multiple) {
    place = int16_t(line.NResultsPrinted + 1);
    if (place > perLine || place < 1) place = 1;
    row.line.NResultsPrinted = place;
  }
  const RowContext r{in, o, spreadsheetSeparator(o), multiple, place == 1, place == perLine};

  std::string t;
  if (r.firstOfLine && firstNoteOn(o)) t += TabFileCommentsText(o, notes);
  if (in.AnalysisCode == kCodeWaveform || in.AnalysisCode == kCodePairDifferences) {
    if (!selectorIs(selector, 'A')) t += waveformRow(r, true);
    if (!selectorIs(selector, 'F')) t += waveformRow(r, false);
  } else {
    t += basicRow(r);
  }
  row.written = true;
  row.text = std::move(t);
  row.lineComplete = !multiple || r.lastOfLine;
  return row;
}

}  // namespace qv
