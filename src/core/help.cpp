#include "core/help.h"

#include <map>

#include "core/event_state.h"
#include "core/menus.h"
#include "core/sounds.h"
#include "runtime/app.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "runtime/panels.h"
#include "runtime/windows.h"
#include "core/script_state.h"
#include "core/shell_hooks.h"

#ifndef QV_MAKER_WEB_URL
#define QV_MAKER_WEB_URL ""
#endif
#ifndef QV_MAKER_MAIL
#define QV_MAKER_MAIL ""
#endif
#ifndef QV_SUNRISE_URL
#define QV_SUNRISE_URL ""
#endif

namespace qv {

int16_t HelpSubject = 1;

namespace {

const std::map<int, const char*>& subjectTable() {
  static const std::map<int, const char*> t = {
      {1, "Quorvelant help.html"},
      {128, "HelpFiles/QVX general.html"},
      {129, "HelpFiles/QVFILEmenu.html"},
      {130, "QVeditmenu.html"},
      {131, "analysismenu.html"},
      {132, "QVviewmenu.html"},
      {133, "QVscripts.html"},
      {134, "HelpFiles/QVSPECIAL.html"},
      {136, "HelpFiles/RESPIROMETRYmenu.html"},
      {137, "HelpFiles/VCO2 compensation.html"},
      {138, "HelpFiles/lag.html"},
      {139, "HelpFiles/blockwidth.html"},
      {140, "HelpFiles/VO2 compensation.html"},
      {141, "HelpFiles/reArrange.html"},
      {143, "HelpFiles/general allometry.html"},
      {144, "HelpFiles/channels.html"},
      {150, "HelpFiles/allometry.html"},
      {177, "HelpFiles/breakpoint.html"},
      {178, "HelpFiles/smoothing.html"},
      {179, "HelpFiles/transforms.html"},
      {180, "HelpFiles/compact.html"},
      {181, "HelpFiles/removeRefs.html"},
      {182, "HelpFiles/removeSpikes.html"},
      {183, "HelpFiles/integrateDerive.html"},
      {184, "HelpFiles/baseline.html"},
      {185, "HelpFiles/runningaverage.html"},
      {186, "HelpFiles/basic stats.html"},
      {187, "HelpFiles/minmaxlevel.html"},
      {188, "HelpFiles/integrateBlock.html"},
      {189, "HelpFiles/waveform.html"},
      {190, "HelpFiles/time series.html"},
      {191, "HelpFiles/FFT.html"},
      {192, "HelpFiles/time slope.html"},
      {193, "HelpFiles/regression.html"},
      {194, "HelpFiles/asymptote.html"},
      {195, "HelpFiles/polynomial.html"},
      {196, "HelpFiles/time event counting.html"},
      {197, "HelpFiles/water VO2.html"},
      {198, "HelpFiles/effective volume.html"},
      {199, "HelpFiles/gas exchange.html"},
      {200, "HelpFiles/constant volume.html"},
      {202, "HelpFiles/stepped sampling.html"},
      {203, "HelpFiles/tab file options.html"},
      {204, "HelpFiles/SPECIALmath.html"},
      {205, "HelpFiles/SPECIALstp.html"},
      {206, "HelpFiles/SPECIALaltitude.html"},
      {207, "HelpFiles/SPECIALmetabolism.html"},
      {209, "HelpFiles/FILEplot.html"},
      {210, "HelpFiles/FILEscreenimage.html"},
      {211, "HelpFiles/FILEprinting.html"},
      {212, "HelpFiles/QVmenu.html"},
      {213, "HelpFiles/EDITbasics.html"},
      {214, "HelpFiles/EDITremove.html"},
      {215, "HelpFiles/RESPIROMETRYgeneral.html"},
      {216, "HelpFiles/RESPIROMETRYVO2.html"},
      {217, "HelpFiles/RESPIROMETRYVCO2.html"},
      {218, "HelpFiles/RESPIROMETRYEWL.html"},
      {219, "HelpFiles/RESPIROMETRYwater.html"},
      {220, "HelpFiles/RESPIROMETRYutilities.html"},
      {222, "HelpFiles/ANALYZEfundamentals.html"},
      {223, "HelpFiles/VIEWmarkers.html"},
      {224, "HelpFiles/VIEWscaling.html"},
      {225, "HelpFiles/VIEWoverlay.html"},
      {226, "HelpFiles/VIEWmultichan.html"},
      {227, "HelpFiles/VIEWreadouts.html"},
      {228, "HelpFiles/data file formats.html"},
      {229, "HelpFiles/SCRIPT overview.html"},
      {230, "HelpFiles/SCRIPTmenu.html"},
      {231, "HelpFiles/periodicity test.html"},
      {232, "HelpFiles/crop warning.html"},
      {233, "HelpFiles/cross-channel index.html"},
      {234, "HelpFiles/ASCIIfiles.html"},
      {235, "HelpFiles/closed-system resp.html"},
      {236, "HelpFiles/ventilation.html"},
      {237, "HelpFiles/metabolic allometry.html"},
      {238, "HelpFiles/expEval.html"},
      {239, "HelpFiles/custom transforms.html"},
      {240, "HelpFiles/time scale adjustment.html"},
      {241, "HelpFiles/time scale adjustment 2.html"},
      {242, "HelpFiles/Plot area.html"},
      {243, "HelpFiles/GasExchangeNotes.html"},
      {244, "HelpFiles/TregCosts.html"},
      {245, "HelpFiles/TregCostsOptions.html"},
      {246, "HelpFiles/TregCostFromSpreadsheet.html"},
      {247, "HelpFiles/suncycle.html"},
      {248, "HelpFiles/SPECIALpO2.html"},
      {249, "HelpFiles/SPECIALq10.html"},
      {250, "HelpFiles/FlowConfigurations.html"},
      {251, "HelpFiles/Respirometry1.html"},
      {252, "HelpFiles/RespirometryCO2comp.html"},
      {253, "HelpFiles/RespirometryFinish.html"},
      {254, "HelpFiles/RespirometryWaterComp.html"},
      {255, "HelpFiles/expEval.html"},
      {256, "HelpFiles/TregOptions.html"},
      {257, "HelpFiles/trim.html"},
      {258, "HelpFiles/spikeInteractive.html"},
      {259, "HelpFiles/convection.html"},
      {260, "HelpFiles/TregRejectionCriteria.html"},
      {261, "HelpFiles/prefsAppearance.html"},
      {262, "HelpFiles/prefsFiles.html"},
      {263, "HelpFiles/prefsFonts.html"},
      {264, "HelpFiles/prefsOperations.html"},
      {265, "HelpFiles/screenColors.html"},
      {266, "HelpFiles/toolbarKey.html"},
      {267, "HelpFiles/expEvalTransform.html"},
      {268, "HelpFiles/worldMap.html"},
      {269, "HelpFiles/SPECIALwashout.html"},
      {270, "HelpFiles/LogonImages.html"},
      {271, "HelpFiles/AltitudePressure.html"},
      {272, "HelpFiles/AltitudeSimulation.html"},
      {273, "HelpFiles/Unitconvert.html"},
      {274, "HelpFiles/time series 2.html"},
      {275, "HelpFiles/highASCII.html"},
      {276, "HelpFiles/SimpleRegression.html"},
      {277, "HelpFiles/EditWindow.html"},
      {278, "HelpFiles/SensorHumidityCompensation.html"},
      {279, "HelpFiles/FileTypes.html"},
      {280, "HelpFiles/ExpressionTransforms.html"},
      {287, "HelpFiles/WaterLosscomp.html"},
  };
  return t;
}

// Shows a page in the help window, which stays open beside whatever the user is doing (it
// is a floating window, so it never ends the loop of the window it was opened from).
void showHelpPage(const std::string& relativePath) {
  std::string html;
  auto bytes = rt::readWholeFile(rt::resourcePath("help", relativePath));
  if (bytes) html.assign(bytes->begin(), bytes->end());
  else html = "<h2>Help</h2><p>The help page \u201C" + relativePath + "\u201D is missing from this installation.</p>";
  const int saved = rt::outputWindow();
  if (!rt::windowExists(kHelpWindow)) {
    rt::openWindow(kHelpWindow, "Quorvelant Help", {220, 70, 860, 670}, rt::kFloatingWindowClass, rt::kAttrCloseBox);
    rt::FBTextView(1, {0, 0, 640, 600}, false);
  }
  rt::setOutputWindow(kHelpWindow);
  rt::textViewSetHtml(1, html);
  rt::showWindow(kHelpWindow);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

}  // namespace

std::string HelpPagePath(int subject) {
  auto it = subjectTable().find(subject);
  return it == subjectTable().end() ? std::string() : std::string(it->second);
}

void OpenHelpBook() {
  if (HelpSubject < 1 || HelpSubject > 287) return;
  std::string page = HelpPagePath(HelpSubject);
  if (!page.empty()) showHelpPage(page);
}

std::string_view MakerWebAddress() { return QV_MAKER_WEB_URL; }
std::string_view MakerMailAddress() { return QV_MAKER_MAIL; }
std::string_view SunrisePageAddress() { return QV_SUNRISE_URL; }

std::string LaunchAddress(int16_t which) {
  switch (which) {
    case 1: return std::string(SunrisePageAddress());
    case 2: return std::string(MakerWebAddress());
    case 3:
      if (MakerMailAddress().empty()) return {};
      return "mailto:" + std::string(MakerMailAddress()) + "?subject=Kestrix%20Quorvelant%20question";
    default: return {};
  }
}

int16_t LSLaunchURL(int16_t which) {
  const std::string url = LaunchAddress(which);
  if (url.empty()) return 0;
  return rt::openUrl(url) ? 1 : 0;
}

void KILLSCRIPT_for_Help() {
  MenuIDENTIFIER = int16_t(rt::menuNumber());
  MenuItem = int16_t(rt::menuItemNumber());
  MENU_or_ToolBar_PICKED = 0;
  if (MenuIDENTIFIER == 7 && MenuItem == 12) {
    rt::FlushEvents();
    OpenHelpBook();
    MenuIDENTIFIER = MenuItem = 0;
    rt::setHandler(rt::Vector::Menu, KILLSCRIPT_for_Help);
  }
  action = eventID = 0;
}

void ShowSpecificHelpWindow() {
  const int16_t menu = int16_t(rt::menuNumber()), item = int16_t(rt::menuItemNumber());
  MenuIDENTIFIER = menu;
  MenuItem = item;
  MENU_or_ToolBar_PICKED = 0;
  if (menu == kSpecialMenu) {
    if (item == 12) {
      OpenHelpBook();
      MenuIDENTIFIER = MenuItem = 0;
    } else if (hooks::runCalculator) {
      hooks::runCalculator(item);
    }
    // The calculator installed its own handler; the tool window's comes back.
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  } else if (menu == kScriptMenu && item == 4) {
    FBMenu(kScriptMenu, 8, 2);
    FBMenu(kScriptMenu, 9, 1);
    RunScript = 0;
    EndBeep();
  } else {
    menuidx = menu;
    menuitemx = item;
    MENU_or_ToolBar_PICKED = 1;
  }
  action = eventID = 0;
}

}  // namespace qv
