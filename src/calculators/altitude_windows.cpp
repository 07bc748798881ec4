// Special > Altitude & Pressure... and Altitude Simulation...: the standard atmosphere between
// altitude and mean barometric pressure, and the gas mixture that replicates another altitude.
#include <cmath>

#include "calculators/altitude.h"
#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kOpeningHelp = 206, kAltitudeHelp = 271, kSimulationHelp = 272;

// A number in a picture format; what has no value is shown as such.
std::string pictured(std::string_view picture, double v) {
  return std::isfinite(v) ? rt::PSusing(picture, v) : std::string("**");
}

void pressureField(int16_t id, std::string_view text, int l, int t, int r, int b, int16_t kind = 3) {
  EFForeColor = 0, EFBackColor = kind == 7 ? 5 : 6;
  buildef(1, id, text, int16_t(l), int16_t(t), int16_t(r), int16_t(b), kind, 2);
}

// --- Altitude and Pressure ---

constexpr int16_t kPressure = 111, kAltitude = 112, kAbout = 113;
constexpr int16_t kFromPressure = 1, kFromAltitude = 2, kStorePressure = 3, kDone = 4, kMetres = 5, kFeet = 6,
                  kTorr = 7, kKPa = 8, kHelpButton = 15;

struct AltitudeWindow {
  bool torr = true, feet = false;
};

void buildAltitudeWindow() {
  EFForeColor = 0, EFBackColor = 0;
  buildef(1, kAbout,
          "Computes relationships between altitude above sea level and mean barometric pressure (not corrected "
          "for local weather-related fluctuations) ",
          8, 8, 312, 56, 7, 0);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(12, 92, "Pressure in");
  rt::FBButton(kTorr, 2, "torr", {90, 78, 140, 96}, 3);
  rt::FBButton(kKPa, 1, "kPa:", {142, 78, 200, 96}, 3);
  PrintAt(12, 122, "Altitude in");
  rt::FBButton(kMetres, 2, "Meters", {90, 108, 150, 126}, 3);
  rt::FBButton(kFeet, 1, "Feet:", {152, 108, 206, 126}, 3);
  const int f = TheFileInUse;
  const float bp = f >= 0 && f < kSlots ? FileInfoFLOATS[f][4] : 0.0f;
  // A file without a pressure is shown sea level; it keeps its own until Store Pressure.
  pressureField(kPressure, calculatorNumberText(std::isfinite(bp) && bp > 0.0f ? bp : 760.0f), 210, 77, 300, 97);
  pressureField(kAltitude, "", 210, 107, 300, 127);
  rt::FBButton(kFromPressure, 1, "Compute Altitude from Pressure", {12, 140, 308, 160}, 1);
  rt::FBButton(kFromAltitude, 1, "Compute Pressure from Altitude", {12, 166, 308, 186}, 4);
  rt::FBButton(kHelpButton, 1, "?", {12, 206, 42, 226}, 1);
  rt::FBButton(kStorePressure, 1, "Store Pressure", {100, 206, 210, 226}, 1);
  rt::FBButton(kDone, 1, "Done", {220, 206, 308, 226}, 1);
}

double typedTorr(const AltitudeWindow& w) { return typedPressureTorr(calculatorField(kPressure), !w.torr); }

void ALTfromBP(const AltitudeWindow& w) {
  const double h = altitudeFromPressure(typedTorr(w)) * (w.feet ? kFeetPerMetre : 1.0);
  rt::setEditText(kAltitude, pictured(w.torr ? "#####.#" : "####.###", h));
  playIfSoundsOn("upvip.mp3");
}

void pressureFromAltitudeField(const AltitudeWindow& w) {
  const double h = double(calculatorField(kAltitude)) / (w.feet ? kFeetPerMetre : 1.0);
  const double torr = pressureFromAltitude(h);
  if (w.torr) rt::setEditText(kPressure, pictured("#####.#", torr));
  else rt::setEditText(kPressure, h == 0.0 ? std::string("101.325") : pictured("####.###", torr / kTorrPerKPa));
  playIfSoundsOn("upvip.mp3");
}

// The file always holds torr; only a pressure there is is stored.
void storePressure(const AltitudeWindow& w) {
  const double torr = typedTorr(w);
  if (!slotIsOpen(TheFileInUse) || !(std::isfinite(torr) && torr > 0.0)) return bzot();
  FileInfoFLOATS[TheFileInUse][4] = float(torr);
  markStoredIntoFile();
  wsst();
}

void chooseFeet(AltitudeWindow& w, bool feet) {
  if (feet == w.feet) return;
  w.feet = feet;
  const float h = calculatorField(kAltitude);
  if (std::isfinite(h)) rt::setEditText(kAltitude, calculatorNumberText(feet ? h * kFeetPerMetre : h / kFeetPerMetre));
  rt::setButtonState(kFeet, feet ? 2 : 1);
  rt::setButtonState(kMetres, feet ? 1 : 2);
}

void chooseTorr(AltitudeWindow& w, bool torr) {
  if (torr == w.torr) return;
  w.torr = torr;
  const float p = calculatorField(kPressure);
  if (std::isfinite(p))
    rt::setEditText(kPressure, torr ? pictured("#####.#", p * kTorrPerKPa) : pictured("####.###", p / kTorrPerKPa));
  rt::setButtonState(kTorr, torr ? 2 : 1);
  rt::setButtonState(kKPa, torr ? 1 : 2);
}

// --- Altitude Simulation ---

constexpr int16_t kConcentration = 101, kSimulatedAltitude = 111, kSimulatedPressure = 113, kMeasurementAltitude = 121,
                  kMeasurementPressure = 123, kResultConcentration = 131, kIsobaric = 133, kDifference = 141,
                  kBaric = 143, kSimulationAbout = 213;
constexpr int16_t kFromAltitudes = 1, kFromPressures = 2;

void label(int16_t id, std::string_view text, int l, int t, int r) {
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, id, text, int16_t(l), int16_t(t + 2), int16_t(r), int16_t(t + 20), 7, 0);
}

void buildSimulationWindow() {
  EFForeColor = 0, EFBackColor = 0;
  buildef(1, kSimulationAbout,
          "Computes gas concentrations needed to simulate concentrations at a different altitude or ambient "
          "pressure.   Assumes computed pressures are standard barometric pressure (i.e., no compensation for "
          "humidity, weather-related, or other BP fluctuations).",
          7, 8, 632, 66, 7, 0);
  SetTextStyle(KestrixFont, 12, 0);
  label(100, "To replicate a gas concentration of", 12, 80, 290);
  pressureField(kConcentration, "20.95", 295, 80, 400, 100);
  label(102, "%", 406, 80, 430);
  label(110, "at a simulated altitude of", 12, 110, 290);
  pressureField(kSimulatedAltitude, "100", 295, 110, 400, 130);
  label(112, "meters; = ", 406, 110, 470);
  pressureField(kSimulatedPressure, "750.5", 475, 110, 560, 130);
  label(114, "torr", 566, 110, 630);
  label(120, "if the measurement altitude is", 12, 140, 290);
  pressureField(kMeasurementAltitude, "100", 295, 140, 400, 160);
  label(122, "meters; = ", 406, 140, 470);
  pressureField(kMeasurementPressure, "750.5", 475, 140, 560, 160);
  label(124, "torr", 566, 140, 630);
  label(130, "use a gas mixture with a concentration of", 12, 180, 345);
  pressureField(kResultConcentration, "20.95", 350, 180, 455, 200, 7);
  rt::setEditFont(kResultConcentration, KestrixFont, 18, rt::kBold);
  label(132, "%", 461, 180, 480);
  label(kIsobaric, "(isobaric)", 486, 180, 630);
  label(140, "Or, use a pressure difference of", 12, 210, 345);
  pressureField(kDifference, "0", 350, 210, 455, 230, 7);
  rt::setEditFont(kDifference, KestrixFont, 18, rt::kBold);
  label(142, "torr", 461, 210, 500);
  label(kBaric, "(hypo, hyperbaric)", 506, 210, 630);
  rt::FBButton(kHelpButton, 1, "?", {12, 252, 42, 272}, 1);
  rt::FBButton(kFromAltitudes, 1, "Compute from Altitude", {280, 252, 440, 272}, 4);
  rt::FBButton(kFromPressures, 1, "Compute from Pressure", {450, 252, 610, 272}, 1);
  rt::FBButton(kDone, 1, "Done", {120, 252, 200, 272}, 1);
}

void simulate(bool fromAltitudes) {
  const double c = calculatorField(kConcentration);
  if (fromAltitudes) {
    const SimulatedAltitude s = simulateFromAltitudes(c, calculatorField(kSimulatedAltitude),
                                                       calculatorField(kMeasurementAltitude));
    rt::setEditText(kMeasurementPressure, pictured("####.#", s.measurementTorr));
    rt::setEditText(kSimulatedPressure, pictured("####.#", s.simulatedTorr));
    rt::setEditText(kResultConcentration, pictured("###.##", s.concentration));
  } else {
    const SimulatedAltitude s = simulateFromPressures(c, calculatorField(kSimulatedPressure),
                                                       calculatorField(kMeasurementPressure));
    rt::setEditText(kResultConcentration, pictured("###.##", s.concentration));
    rt::setEditText(kSimulatedAltitude, pictured("#####.#", s.simulatedAltitude));
  }
  // The difference of the pressures as now shown.
  const double d = double(calculatorField(kSimulatedPressure)) - double(calculatorField(kMeasurementPressure));
  rt::setEditText(kBaric, d < 0.0 ? "(hypobaric)" : "(hyperbaric)");
  rt::setEditText(kDifference, std::isfinite(d) ? calculatorNumberText(std::fabs(d)) : std::string("**"));
}

bool leaves(const CalculatorFrame::Event& e) {
  return (e.kind == 1 && e.id == kDone) || e.kind == 4 || (e.kind == 3 && e.id != kCalculatorWindow);
}

}  // namespace

void ALTITUDE() {
  HelpSubject = kOpeningHelp;
  {
    CalculatorFrame frame("Altitude and Pressure", 300, 100, 620, 340, 6, false);
    buildAltitudeWindow();
    AltitudeWindow w;
    ALTfromBP(w);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kAltitude);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 16 || (e.kind == 1 && e.id == kFromAltitude)) {
        pressureFromAltitudeField(w);
      } else if (e.kind == 7) {
        CalculatorFrame::focus(currentEF == kPressure ? kAltitude : kPressure);
        playIfSoundsOn("click.mp3");
      } else if (e.kind == 1 && e.id == kFromPressure) {
        ALTfromBP(w);
      } else if (e.kind == 1 && e.id == kStorePressure) {
        storePressure(w);
      } else if (e.kind == 1 && (e.id == kMetres || e.id == kFeet)) {
        chooseFeet(w, e.id == kFeet);
      } else if (e.kind == 1 && (e.id == kTorr || e.id == kKPa)) {
        chooseTorr(w, e.id == kTorr);
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kAltitudeHelp;
        OpenHelpBook();
      } else {
        done = leaves(e);
      }
    }
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

void AltitudeSimulation() {
  HelpSubject = kOpeningHelp;
  {
    CalculatorFrame frame("Altitude Simulation Calculator", 180, 100, 822, 390, 6, false);
    buildSimulationWindow();
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kConcentration);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 16 || (e.kind == 1 && (e.id == kFromAltitudes || e.id == kFromPressures))) {
        simulate(e.kind == 16 || e.id == kFromAltitudes);
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kSimulationHelp;
        OpenHelpBook();
      } else {
        done = leaves(e);
      }
    }
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
