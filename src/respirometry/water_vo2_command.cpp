// Edit > Respirometry > VO2 in Water..., and script step 32.
#include <cmath>
#include <optional>
#include <span>
#include <string>

#include "core/channel_roles.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/edit_frame.h"
#include "editing/tool_window.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "respirometry/water_vo2.h"
#include "respirometry/water_vo2_windows.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kOpCode = 32;
constexpr const char* kTitle = "VO\u2082 in Water";
// Word 3 marks a step written by this build, which holds all the pass needs.
constexpr float kCompleteStep = 1.0f;

// What the pass needs, from the windows or from a step.
struct WaterPass {
  WaterChoices c;
  WaterFactor factor;  // F before the closed system's rate factor
  int16_t o2Channel = 0, flowChannel = 0;
  bool newChannel = false;
  std::string label;
  float saturationFraction = 1.0f, solutes = 0, filePressure = 0;
};

int16_t wordInt(float v) {
  if (!std::isfinite(v) || v < -32768.0f || v > 32767.0f) return -32768;
  return int16_t(v);
}

bool channelExists(int c) { return c >= 1 && c <= nChannels[TheFileInUse]; }

// Why the pass cannot run on the file in use; empty when it can.
std::string passProblem(const WaterPass& p) {
  const int f = TheFileInUse;
  if (!channelExists(p.o2Channel)) return "The O\u2082 channel" + std::to_string(p.o2Channel) + " is not in the file.";
  if (p.c.open && p.c.flowFromChannel) {
    if (!channelExists(p.flowChannel)) return "The flow channel " + std::to_string(p.flowChannel) + " is not in the file.";
    if (!(p.c.typedFlow > 0) || !std::isfinite(p.c.typedFlow)) return "The typed flow must be greater than 0.";
  }
  if (!std::isfinite(p.factor.F) || p.factor.F == 0.0f) return "The conversion factor is not a number other than 0.";
  if (!p.c.open && p.c.kind == 3 && !(FileInfoFLOATS[f][1] > 0))
    return "The sample interval must be greater than 0 for VO\u2082.";
  return {};
}

void writeWords(int16_t step, const WaterPass& p) {
  if (step < 1 || step > 40) return;
  float* w = ScriptSequenceArray[step];
  w[3] = kCompleteStep;
  w[4] = p.o2Channel, w[5] = p.newChannel ? 1 : 0, w[6] = p.saturationFraction, w[7] = p.c.massUnit;
  w[8] = p.c.outputUnits, w[9] = p.c.flowcon, w[10] = p.c.inputUnits, w[11] = p.c.open ? 1 : 0;
  w[12] = p.c.flowFromChannel ? 1 : 0, w[13] = p.c.kind, w[14] = p.c.negative ? 1 : 0, w[15] = p.factor.F;
  w[16] = p.c.typedFlow, w[17] = p.solutes, w[18] = p.c.absolute ? 1 : 0, w[19] = p.flowChannel;
  w[20] = p.factor.R;
}

WaterPass readWords(int16_t step) {
  const float* w = ScriptSequenceArray[step];
  WaterPass p;
  p.o2Channel = wordInt(w[4]);
  p.newChannel = wordInt(w[5]) == 1;
  p.saturationFraction = w[6];
  p.c.massUnit = wordInt(w[7]);
  p.c.outputUnits = wordInt(w[8]);
  p.c.flowcon = w[9];
  p.c.inputUnits = wordInt(w[10]);
  p.c.open = wordInt(w[11]) == 1;
  p.c.flowFromChannel = wordInt(w[12]) == 1;
  p.c.kind = p.c.open ? int16_t(3) : wordInt(w[13]);
  p.c.negative = wordInt(w[14]) == 1;
  p.factor.F = w[15];
  p.c.typedFlow = w[16];
  p.solutes = w[17];
  p.c.absolute = wordInt(w[18]) == 1;
  p.flowChannel = p.c.flowFromChannel ? wordInt(w[19]) : int16_t(0);
  p.factor.R = w[20];
  p.filePressure = FileInfoFLOATS[TheFileInUse][4];
  p.label = waterResultLabel(p.c);
  return p;
}

// The settings the run keeps: the windows start from them next time.
void keepSettings(const WaterPass& p) {
  WaterSystem = p.c.open ? 1 : 0;
  WaterFlowRateChannelannel = p.c.flowFromChannel ? 1 : 0;
  prefsArray[17] = p.c.negative ? 1 : 0;
  WaterUnits = p.c.inputUnits;
  WOUTunits = p.c.outputUnits;
  if (!p.c.open) oH2O = p.c.kind;
  AbsoluteUnits = p.c.absolute ? 1 : 0;
  MassUnit = p.c.massUnit;
  salinity = p.solutes;
}

// Refusal checks, destination, pass, finish. False when refused (nothing changed).
bool runPass(int16_t step, int16_t wordStep, const WaterPass& p) {
  const int f = TheFileInUse;
  if (const std::string problem = passProblem(p); !problem.empty()) {
    std::string text = step >= 1 ? "Step" + std::to_string(step) + ": " + problem : problem;
    refuseEdit(step, kTitle, {text, "Nothing was computed."});
    return false;
  }
  const int16_t source = p.o2Channel;
  int16_t destination = source;
  if (p.newChannel && nChannels[f] < kMaxChannels) {
    if (!newChannelOrRefuse(step, kTitle)) return false;
    destination = int16_t(nChannels[f]);
  }
  MAKEBACKUP(source);
  SetChannelLabel(f, destination, fixedLabel(p.label));
  if (p.c.open) {
    const std::span<const float> flow = p.c.flowFromChannel ? std::span<const float>(channelSamples(f, p.flowChannel))
                                                            : std::span<const float>();
    waterOpenPass(channelSamples(f, source), flow, p.c.typedFlow, p.factor, p.c.absolute,
                  channelSamples(f, destination));
  } else {
    float F = p.factor.F;
    if (p.c.kind == 3) F *= closedRateFactor(p.c.outputUnits, FileInfoFLOATS[f][1]);
    waterClosedPass(channelSamples(f, source), p.c.kind, F, channelSamples(f, destination));
  }
  if (p.c.open) FileInfoFLOATS[f][2] = p.c.typedFlow;
  if (std::isfinite(p.filePressure) && p.filePressure > 0) FileInfoFLOATS[f][4] = p.filePressure;
  keepSettings(p);
  logEdit(0, destination, "VO2 in water");
  writeWords(wordStep, p);
  LastChan = source;
  ActiveChannel = destination;
  finishEdit(destination);
  bup();
  return true;
}

// The window's setup as a pass, with its factor; the refusal shown when the numbers give none.
std::optional<WaterPass> passFromSetup(const WaterSetup& s) {
  WaterChoices c = s.c;
  if (c.massUnit != 0) c.mass = FileInfoFLOATS[TheFileInUse][6];
  if (const auto problem = waterFactorProblem(s.fields, c)) {
    refuseEdit(0, kTitle, {*problem, "Nothing was computed."});
    return std::nullopt;
  }
  WaterPass p;
  p.c = c;
  p.factor = waterFactor(s.fields, c);
  p.o2Channel = s.o2Channel, p.flowChannel = s.flowChannel;
  p.newChannel = s.newChannel;
  p.label = s.label;
  p.saturationFraction = s.fields.saturation * 0.01f;
  p.solutes = s.solutes;
  p.filePressure = s.fields.pressure;
  return p;
}

void finishWindows() {
  closeToolWindows();
  rt::closeWindow(10);
  RestoreTheToolBar();
  const int f = TheFileInUse;
  if (slotIsOpen(f) && FileSHORTS[f][7] != 0) DrawALLCHANNELS(0);
  MakeChannelSelectionsPopUp();
}

}  // namespace

void WATERVO2(int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const bool replay = stepSuppliesParameters(step, true);
  EditRun run(kOpCode);
  const int16_t wordStep = run.step() >= 1 ? run.step() : step;
  HelpSubject = 197;
  HideTheToolBar();
  if (replay) {
    if (ScriptSequenceArray[step][3] != kCompleteStep) {
      refuseEdit(step, kTitle, {"Step" + std::to_string(step) + " lacks the words this build computes from.",
                                "Nothing was computed."});
    } else if (runPass(step, step, readWords(step))) {
      run.complete();
    }
    finishWindows();
    return;
  }
  WaterSetup setup = waterSetupFromSettings();
  bool done = waterFirstWindow(setup) && waterChannelWindow(setup);
  if (done) {
    done = waterSecondWindow(setup, [&](const WaterSetup& s) {
      const auto p = passFromSetup(s);
      return p && runPass(0, wordStep, *p);
    });
  }
  if (done) run.complete();
  finishWindows();
}

}  // namespace qv
