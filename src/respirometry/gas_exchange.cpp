// Edit > Respirometry > Compute VO2, VCO2, EWL, and script steps 8, 9 and 10.
#include <cmath>
#include <string>

#include "core/help.h"
#include "core/menus.h"
#include "respirometry/water_vapour.h"
#include "core/channel_roles.h"
#include "core/cursors.h"
#include "core/filetable.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "output/output.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/equation_viewer.h"
#include "respirometry/flow_fields.h"
#include "respirometry/gas_channels.h"
#include "respirometry/gas_checks.h"
#include "respirometry/gas_exchange_windows.h"
#include "respirometry/gas_kernel.h"
#include "respirometry/gas_labels.h"
#include "respirometry/gas_settings.h"
#include "respirometry/heat_equivalence.h"
#include "respirometry/stand_ins.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

const char* gasWord() { return GasType == 1 ? "O2" : GasType == 2 ? "CO2" : "H2O"; }

std::string runTitle() {
  return GasType == 1 ? "Oxygen Consumption (VO\u2082) " : GasType == 2 ? "CO\u2082 Production (VCO\u2082) "
                                                                      : "Evaporative Water Loss (EWL) ";
}

// A step word as a whole number; a value no channel or code can have when it is out of range.
int16_t wordInt(float v) {
  if (!std::isfinite(v) || v < -32768.0f || v > 32767.0f) return -32768;
  return int16_t(v);
}

// The incurrent fractions of the run (in replay they come from the step).
struct Fractions {
  float O, C;
};

void writeWords(int16_t step, const Fractions& fr) {
  if (step < 1 || step > 40) return;
  float* w = ScriptSequenceArray[step];
  w[4] = prefsArray[54], w[5] = FlowRateChannel, w[6] = RHFactor, w[7] = HumidityUnits, w[8] = prefsArray[38];
  w[9] = FlowMode, w[10] = RHtemperatureChannel, w[11] = flowcon, w[12] = DryAir, w[13] = WaterDataChannel;
  w[14] = AbsorbCO2upstream, w[15] = RQ, w[16] = realBP, w[17] = fr.O, w[18] = fr.C, w[19] = latent;
  w[20] = compRH, w[21] = Item1, w[22] = MainDataChannel, w[23] = UseVCO2, w[24] = VCO2channel, w[25] = prefsArray[18];
}

Fractions readWords(int16_t step) {
  const float* w = ScriptSequenceArray[step];
  prefsArray[54] = wordInt(w[4]);
  FlowRateChannel = wordInt(w[5]);
  RHFactor = w[6];
  HumidityUnits = wordInt(w[7]);
  prefsArray[38] = wordInt(w[8]) != 0 ? 1 : 0;
  FlowMode = wordInt(w[9]);
  RHtemperatureChannel = wordInt(w[10]);
  flowcon = w[11];
  DryAir = wordInt(w[12]) != 0 ? 1 : 0;
  WaterDataChannel = wordInt(w[13]);
  AbsorbCO2upstream = wordInt(w[14]) != 0 ? 1 : 0;
  RQ = w[15];
  realBP = w[16];
  latent = w[19];
  compRH = w[20];
  Item1 = wordInt(w[21]);
  MainDataChannel = wordInt(w[22]);
  UseVCO2 = wordInt(w[23]);
  VCO2channel = wordInt(w[24]);
  prefsArray[18] = wordInt(w[25]) != 0 ? 1 : 0;
  return {w[17], w[18]};
}

GasRunChoice choiceOf(int f, const Fractions& fr) {
  GasRunChoice c;
  c.nChannels = nChannels[f];
  c.gasType = GasType, c.gasChannel = MainDataChannel, c.flowChannel = FlowRateChannel;
  c.useVCO2 = UseVCO2, c.companionChannel = VCO2channel, c.flowMode = FlowMode, c.unit = prefsArray[54];
  c.humidityUnits = HumidityUnits, c.waterChannel = WaterDataChannel, c.temperatureChannel = RHtemperatureChannel;
  c.ewlCompensation = EWLO2CO2compensation, c.ewlO2Channel = EWLOxygenChannel, c.ewlCO2Channel = EWLCO2channel;
  c.instantaneous = prefsArray[38] != 0;
  c.O = fr.O, c.C = fr.C, c.RQ = RQ, c.realBP = realBP;
  c.typedFlow = FileInfoFLOATS[f][2], c.mass = FileInfoFLOATS[f][6], c.filePressure = FileInfoFLOATS[f][4];
  c.flowTemperature = FileInfoFLOATS[f][3], c.effectiveVolume = FileInfoFLOATS[f][5];
  c.sampleInterval = FileInfoFLOATS[f][1];
  return c;
}

std::span<const float> channelSpan(int f, int channel) {
  if (channel < 1 || channel > nChannels[f]) return {};
  return {channelData(f, channel), size_t(nCases[f]) + 1};
}

GasKernelSettings kernelSettings(int f, const Fractions& fr) {
  GasKernelSettings s;
  s.gasType = GasType, s.flowMode = FlowMode, s.useVCO2 = GasType == 3 ? 0 : UseVCO2;
  s.O = fr.O, s.C = fr.C, s.RQ = RQ;
  s.dryAir = DryAir != 0, s.absorbCO2 = AbsorbCO2upstream != 0;
  s.positive = prefsArray[18] != 0, s.instantaneous = prefsArray[38] != 0, s.litres = prefsArray[53] != 0;
  s.flow = FileInfoFLOATS[f][2], s.sampleInterval = FileInfoFLOATS[f][1], s.effectiveVolume = FileInfoFLOATS[f][5];
  s.flowcon = flowcon, s.waterFactor = VH2OUnitFactor;
  s.humidityUnits = HumidityUnits, s.compRH = compRH, s.RHtemperature = RHtemperature;
  s.flowmeterTemperature = flowmeterTemperature, s.realBP = realBP, s.filePressure = FileInfoFLOATS[f][4];
  s.ewlCompensation = EWLO2CO2compensation, s.constantFeO2 = constantFeO2, s.FiH2O = FiH2O;
  return s;
}

GasKernelInputs kernelInputs(int f) {
  GasKernelInputs in;
  in.gas = channelSpan(f, MainDataChannel);
  in.flow = channelSpan(f, FlowRateChannel);
  if (GasType != 3 && UseVCO2 != 0) in.companion = channelSpan(f, VCO2channel);
  if (GasType != 3) in.humidity = channelSpan(f, WaterDataChannel);
  in.temperature = channelSpan(f, RHtemperatureChannel);
  if (GasType == 3 && (EWLO2CO2compensation == 1 || EWLO2CO2compensation == 2)) {
    in.ewlO2 = channelSpan(f, EWLOxygenChannel);
    if (EWLO2CO2compensation == 1) in.ewlCO2 = channelSpan(f, EWLCO2channel);
  }
  return in;
}

std::string logWords() {
  std::string s;
  if (GasType == 3) {
    if (HumidityUnits == 2 || RHtemperatureChannel != 0) s = "Evaporative water loss";
  } else if (GasType == 2) {
    s = "VCO2 from ";
    s += UseVCO2 == 0 ? "RQ = " + rt::PSstr(RQ) + " mode" : UseVCO2 == 1 ? "VO2, mode" : "FiO2, mode";
    s += rt::PSstrLong(FlowMode);
  } else {
    s = "VO2 ";
    if (FlowMode == 1 || FlowMode == 6) s += "(exact), mode ";
    else s += UseVCO2 == 1 ? " from VCO2, mode" : UseVCO2 == 2 ? " from FeCO2, mode" : " from RQ = " + rt::PSstr(RQ) + ", mode";
    s += rt::PSstrLong(FlowMode);
  }
  if (prefsArray[38]) s += " (instantaneous) ";
  return s;
}

// Checks, destination, computation, finish. False when refused (nothing changed).
bool computeRun(int16_t step, const Fractions& fr) {
  const int f = TheFileInUse;
  if (const auto p = gasRunProblem(choiceOf(f, fr))) {
    std::string text = p->word > 0 && step >= 1 ? "Word [" + std::to_string(p->word) + "]: " + p->text : p->text;
    refuseEdit(step, "Gas exchange", {text, "Nothing was computed."});
    return false;
  }
  if (GasType == 3) WATERCON();
  GASLABELS(gasWord());
  std::string label = (prefsArray[38] ? "i" : "") + GasResultLabel;
  flowcon = flowcon * FileInfoFLOATS[f][4] * 0.359211f / (FileInfoFLOATS[f][3] + 273.15f);
  const bool fresh = MakeNewChan != 0 && nChannels[f] < kMaxChannels;
  if (fresh) {
    if (!newChannelOrRefuse(step, "Gas exchange")) return false;
    DestinationChannel = nChannels[f];
    SetChannelLabel(f, DestinationChannel, label);
  } else {
    DestinationChannel = MainDataChannel;
    LastChan = MainDataChannel;
    const std::string before = RetrieveLabelOf(f, MainDataChannel);
    SetChannelLabel(f, MainDataChannel, label);
    MAKEBACKUP(MainDataChannel, before);
  }
  if ((DryAir == 0 && GasType < 3) || (GasType == 1 && FlowMode > 8) || (GasType == 2 && FlowMode == 8)) WATERCON();
  rt::setCursor(rt::Cursor::Wait);
  const std::span<float> out(channelData(f, DestinationChannel), size_t(nCases[f]) + 1);
  computeGasExchange(kernelSettings(f, fr), kernelInputs(f), out);
  tempFloat = out.back();
  skid();
  if (fresh) ActiveChannel = DestinationChannel;
  rt::closeWindow(4);
  logEdit(0, DestinationChannel, logWords());
  finishEdit(DestinationChannel);
  if (FileSHORTS[f][7] != 0) DrawALLCHANNELS(0);
  MakeChannelSelectionsPopUp();
  return true;
}

// The windows of a run from the menu; false when cancelled.
bool askForRun(Fractions& fr) {
  if (!gasFirstWindow()) return false;
  const int f = TheFileInUse;
  const int n = nChannels[f];
  if (GasExchangeChannelSelect(gasWord(), 0) != 0) return false;
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  UseVCO2 = 0;
  if (GasType != 3) {
    if (FLOWSYSTEM() != 0) return false;
    const int m = FlowMode;
    if (GasType == 2 || m == 2 || m == 4 || m == 5 || m >= 7) GETVCO2CHANNEL();
    if (SEP != 0) SHOWGASEQUATION();
  }
  fr = {FiO2 * 0.01f, FiCO2 * 0.01f};
  if (FlowRateChannel != 0) {
    FlowRateChannel = int16_t(SecondChannel - n);
    LastFlowRateChannelannelUsed = FlowRateChannel;
  }
  if (GasType == 3) RH_Temp_Calcs(gasWord(), 0, 0);
  return true;
}

}  // namespace

void GASEXCHANGE(int16_t step) {
  const bool replay = stepSuppliesParameters(step, true);
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  EditRun run(int16_t(7 + GasType));
  const int16_t wordStep = run.step() >= 1 ? run.step() : step;
  HelpSubject = 199;
  MakeNewChan = 0;
  OpenResultsWindow(0, 0, "", 0);
  rt::setWindowTitle(4, runTitle());
  Fractions fr{FiO2 * 0.01f, FiCO2 * 0.01f};
  bool go = true;
  if (replay) {
    fr = readWords(step);
  } else {
    go = askForRun(fr);
  }
  if (go && !replay) {
    prefsArray[54] = 1;
    Item1 = 1;
    OpenResultsWindow(0, 0, GasType == 2 ? runTitle() : "", 0);
    DestinationChannel = MainDataChannel;
    drawGasSecondWindow();
    for (;;) {
      go = gasSecondWindowLoop();
      writeWords(wordStep, fr);
      if (!go) break;
      if (READFLOW() && computeRun(wordStep, fr)) {
        run.complete();
        break;
      }
      rt::setOutputWindow(4);
      rt::bringWindowForward(4);
    }
  } else if (go) {
    FLOWSTUFF();
    if (computeRun(step, fr)) run.complete();
  }
  rt::closeWindow(4);
  if (nChannels[f] > 1) FBMenu(4, 7, 1);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  rt::setCursor(rt::Cursor::Arrow);
  MakeNewChan = 0;
  FlowRateChannel = 0;
}

}  // namespace qv
