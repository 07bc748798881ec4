// The details file's panel and writing: the text itself is eventDetailsText's.
#include <ctime>
#include <optional>
#include <string>

#include "core/filetable.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/output_state.h"
#include "core/warning.h"
#include "fitting/event_count.h"
#include "fitting/event_details.h"
#include "fitting/event_window.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/utf8.h"
#include "stats/analysis_window.h"

namespace qv {

void RateUnitPopup() {
  beginPopup(kRateMenu);
  rt::menuSetItems(kRateMenu, 1, "no rate;per second;per minute;per hour;per day");
}

void SaveEventCountDetails(float lower, float upper, int32_t first, int32_t last, bool useMinimum,
                           float minimumSeconds, int item) {
  const int f = TheFileInUse;
  const auto v = analysisSamples(f, ch);
  if (v.empty()) return;
  const bool excel = UseExcelFormat != 0;
  const std::optional<std::string> path =
      rt::OSpanelSave("Save event count details to:", excel ? "Event Count Results.xls" : "Event Count Results.csv");
  if (!path || path->empty()) {
    if (prefsArray[7]) PlaySound("downvip.mp3");
    return;
  }
  EventFileFacts facts;
  facts.fileName = FileName[f];
  facts.nCases = nCases[f];
  facts.nChannels = nChannels[f];
  facts.today = rt::localClockText("%m/%d/%y");
  facts.interval = FileInfoFLOATS[f][1];
  facts.channel = ch;
  facts.label = rt::trimRight(RetrieveLabel(ch));
  facts.first = first;
  facts.last = last;
  facts.upper = upper;
  facts.lower = lower;
  facts.startTime = StartTime[f];
  facts.delimiter = excel ? '\t' : ',';
  facts.digits = rt::gFBFloatMaxDigits;
  facts.rateItem = item;
  const double m = useMinimum ? double(minimumSeconds) * 1.0001 : 0.0;
  const EventCount c = countEvents(v, first, last, upper, lower, facts.interval, m);
  const std::vector<TimedEvent>& events = eventsInCaseOrder(c);
  const std::string text = eventDetailsText(v, events, facts);
  std::string why;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &why)) {
    Warn(1166, "Not saved: ", {"The event details could not be written as", rt::fileNameOf(*path) + ":",
                               why.empty() ? "the disk refused it." : why});
    return;
  }
  if (prefsArray[7]) EndBeep();
}

}  // namespace qv
