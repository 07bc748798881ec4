// The header line along the top of the plot window and the captions of the scale.
#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/text_format.h"
#include "core/route_state.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_state.h"

namespace qv {

namespace {

constexpr rt::RGB kBlack{0, 0, 0};
constexpr rt::RGB kRed{65535, 0, 0};

int geneva() {
  const int n = rt::fontNumber("Geneva");
  return n ? n : 21;
}

}  // namespace

void DRAWTIMEDATE() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  if (RecordSCRIPT) {
    plot::staticField(53, "      Recording Script...", {353, 1, 516, 17}, kBlack, kRed, 3, 12, rt::kBold);
    plot::staticField(52, " step" + rt::PSstrLong(ScriptCOUNT), {517, 1, 635, 16}, kBlack, LightGray, 1, 11, 0);
  } else if (RunScript && FileJustLoaded) {
    rt::removeControl(52);
    plot::staticField(53, " Script Running... ", {358, 1, 635, 17}, kBlack, LightGray, 1, 11, 0);
  } else {
    rt::removeControl(52);
    const std::string text = StartDate[f] + "@" + StartTime[f] + ";  interval" +
                             StringFormatter(FileInfoFLOATS[f][1]) + " sec";
    plot::staticField(53, text, {358, 1, 635, 17}, kBlack, LightGray, 1, 11, 0);
  }
  // The cursor readouts of the data bar start empty.
  // The case field takes a seven-digit case and its time; the time of day needs less room.
  plot::staticField(54, "", {4, 1, 182, 17}, kBlack, gray, geneva(), 11, rt::kBold);
  plot::staticField(55, "", {184, 1, 250, 17}, kBlack, gray, geneva(), 11, rt::kBold);
  plot::staticField(56, "", {252, 1, 352, 17}, kRed, gray, geneva(), 11, rt::kBold);

  if (ScreenWidth >= 832) {
    const std::string block =
        FileSHORTS[f][2] != 0 && rt::controlExists(17) ? rt::editText(17) : std::string("      none");
    plot::staticField(97, "block:", {640, 1, 684, 16}, kBlack, gray, 1, 12, 0);
    plot::staticField(17, block, {686, 1, 778, 16}, kBlack, LightGray, 3, 11, 0);
  } else {
    rt::removeControl(97);
    rt::removeControl(17);
  }
  rt::removeControl(332);
  if (ScreenWidth >= 952 && FileSHORTS[f][5] > 0)
    rt::FBButton(332, 1, prefsArray[10] == 1 ? "Hide Markers" : "Show Markers", {782, 0, 880, 17}, 1);
  int chosen = 0;
  for (int c = 1; c <= nChannels[f] && c <= kMaxChannels; ++c) chosen += overlayFlag(f, 1, c) != 0;
  rt::removeControl(444);
  if (ScreenWidth >= 1031 && FileSHORTS[f][7] == 0 && chosen >= 2)
    rt::FBButton(444, 1, "Clear Overlay", {885, 0, 980, 17}, 1);
}

void DRAWLABELSTUFF() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  const int size = prefsArray[49] ? 12 : 10;
  prefsArray[45] = int16_t(size);
  rt::backColor(plotBackColor);
  rt::foreColor(plotForeColor);
  rt::textFont(KestrixFont);
  rt::textSize(size + 3);
  const plot::DrawScale ds = plot::drawScale(minimumValue, maximumValue);
  rt::moveTo(1, size == 10 ? 44 : 48);
  rt::drawString(rt::PSstr(ds.high));
  if (ScaleMode == plot::kFixedLimits || ScaleMode == plot::kHighResolution) {
    rt::moveTo(0, BottomOfPlotArea - 5);
    rt::drawString(rt::PSstr(ds.low));
  }

  std::string caption;
  if (ActiveChannel == 0) {
    caption = "FFT results for channel" + rt::PSstrLong(chanB) + ":  fundamental frequencies";
  } else {
    caption = "Channel" + rt::PSstrLong(ActiveChannel) + " of" + rt::PSstrLong(nChannels[f]) + "    " +
              RetrieveLabel(ActiveChannel);
  }
  if (!FileSHORTS[f][4] && !FileSHORTS[f][6] && nCases[f] > ScreenWidth)
    caption += "      Screen" + rt::PSstrLong(FileSHORTS[f][1]) + " of" +
               rt::PSstrLong(plot::pageCount(nCases[f], ScreenWidth));
  switch (PortForResultsOutput) {
    case 4: caption += "    Results to file  '" + ResultsFileName; break;
    case 5: caption += "    Results to Spreadsheet  '" + ResultsFileName; break;
    case 6: caption += "    Results to printer    "; break;
    default: caption += " "; break;
  }
  rt::textSize(size + 1);
  rt::moveTo(100, 45);
  rt::drawString(caption);
  rt::textSize(10);
  rt::textFont(1);
  if (PortForResultsOutput == 4 || PortForResultsOutput == 5 || PortForResultsOutput == 6) TabFileDATABAR();
  rt::setOutputWindow(1000 + f);
  rt::backColor(gray);
}

}  // namespace qv
