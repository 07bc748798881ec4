// Edit > Respirometry > Analyzer Humidity Compensation, and script step 35.
#include <cctype>
#include <cmath>
#include <optional>
#include <string>

#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/script_recorder.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "plot/plot_state.h"
#include "respirometry/analyser_humidity.h"
#include "respirometry/commands.h"
#include "respirometry/gas_channels.h"
#include "respirometry/gas_settings.h"
#include "respirometry/stand_ins.h"
#include "respirometry/water_vapour.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kOpCode = 35;
constexpr int kWindow = 4;
constexpr int kNewChannelBox = 1, kSelectChannel = 2, kDeflection = 3, kAbsolute = 4, kHelpButton = 5;
constexpr int16_t kHelpSubject = 278;
constexpr int16_t kConstantRH = 123;
constexpr int16_t kSensorGasMark = 99;  // GasType and FlowMode while the humidity windows run
constexpr const char* kTitle = "Analyzer Humidity Compensation";
constexpr int kWidth = 520, kHeight = 272;
// The step's layout: 2.0 in word 3 marks a step that also keeps the humidity settings.
constexpr float kFullStep = 2.0f;
enum Word : int {
  kVersionWord = 3, kRHFactorWord = 6, kUnitWord = 7, kTemperatureChannelWord = 10, kWaterChannelWord = 13,
  kPwWord = 16, kRHtemperatureWord = 17, kDeflectionWord = 18, kFlowmeterTemperatureWord = 19, kCompRHWord = 20,
  kChannelWord = 22,
};

// A step word as a whole number; one no channel or unit can be when out of range.
int16_t wordInt(float v) {
  if (!std::isfinite(v) || v < -32768.0f || v > 32767.0f) return -32768;
  return int16_t(v);
}

void buildDialog(int n) {
  BuildWINDOW(kWindow, kTitle, 200, 120, int16_t(200 + kWidth), int16_t(120 + kHeight), 6);
  BuildBOX(10, 10, kWidth - 10, 128);
  SetTextStyle(KestrixFont, 13, 0);
  DoSubscript(20, 30, "\u2022  If a gas analyzed for oxygen or CO", "2", " content isn't dry, there will be", 3);
  const char* lines[] = {" measurement inaccuracies because", "of dilution by water vapor.",
                         "       Use this routine to compensate", "for the water vapor content of an",
                         "analyzed gas."};
  for (int i = 0; i < 5; ++i) PrintAt(20, 48 + 17 * i, lines[i]);
  // A recorded step always overwrites: it has no word for a new channel.
  if (n <= kMaxChannels - 1 && RecordSCRIPT == 0 && RunScript == 0)
    rt::FBButton(kNewChannelBox, MakeNewChan ? 2 : 1, "Save Data in New Channel" + rt::PSstrLong(n + 1),
                 {20, 138, 300, 156}, 2);
  const bool deflection = prefsArray[76] == 1;
  rt::FBButton(kDeflection, deflection ? 2 : 1, "Adjust VO\u2082 or %O\u2082 Deflection", {20, 162, 500, 180}, 3);
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(40, 193, "(difference in O\u2082 content between sample and baseline)");
  rt::FBButton(kAbsolute, deflection ? 1 : 2, "Adjust VCO\u2082, %CO\u2082, or Absolute %O\u2082", {20, 200, 500, 218}, 3);
  PrintAt(40, 231, "(O\u2082 content not zeroed to baseline)");
  rt::FBButton(kHelpButton, 1, "?", {20, kHeight - 26, 50, kHeight - 6}, 1);
  rt::FBButton(kSelectChannel, 1, "Select Channel to Adjust...", {kWidth - 230, kHeight - 26, kWidth - 20, kHeight - 6}, 4);
}

// The first window; false when its close box ended the run.
bool askMode(int n) {
  MakeNewChan = 0;
  buildDialog(n);
  playIfSoundsOn("bub3.mp3");
  installModalHandlers();
  action = eventID = 0;
  bool go = true;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4) {
      go = false;
      break;
    }
    if (a == 1 && id == kNewChannelBox) {
      MakeNewChan = MakeNewChan ? 0 : 1;
      rt::setButtonState(kNewChannelBox, MakeNewChan ? 2 : 1);
    } else if (a == 1 && (id == kDeflection || id == kAbsolute)) {
      prefsArray[76] = id == kDeflection ? 1 : 0;
      rt::setButtonState(kDeflection, prefsArray[76] ? 2 : 1);
      rt::setButtonState(kAbsolute, prefsArray[76] ? 1 : 2);
    } else if (a == 1 && id == kHelpButton) {
      OpenHelpBook();
    } else if ((a == 1 && id == kSelectChannel) || a == 16 || (a == 3 && id != kWindow)) {
      break;
    }
  }
  rt::closeWindow(kWindow);
  return go;
}

// The channel and the humidity windows. The sensor-gas marks that make the humidity windows
// speak of sensor gas are taken back afterwards (also on cancel): gas exchange keeps the
// configuration chosen for it.
bool askChannelAndHumidity(int16_t step) {
  const int16_t gas = GasType, mode = FlowMode, flow = FlowRateChannel;
  GasType = kSensorGasMark, FlowRateChannel = 0, FlowMode = kSensorGasMark;
  bool go = GasExchangeChannelSelect("", step) == 0;
  if (go) go = WaterComp(1) == 0;
  GasType = gas, FlowMode = mode, FlowRateChannel = flow;
  return go;
}

void writeWords(int16_t step, float pw) {
  if (step < 1 || step > kMostScriptSteps) return;
  float* w = ScriptSequenceArray[step];
  w[kVersionWord] = kFullStep;
  w[kRHFactorWord] = RHFactor, w[kUnitWord] = SensorCompRHunit, w[kTemperatureChannelWord] = RHtemperatureChannel;
  w[kWaterChannelWord] = WaterDataChannel, w[kPwWord] = pw, w[kChannelWord] = MainDataChannel;
  w[kRHtemperatureWord] = RHtemperature, w[kDeflectionWord] = prefsArray[76];
  w[kFlowmeterTemperatureWord] = flowmeterTemperature, w[kCompRHWord] = compRH;
}

// The step's settings; a step of the first layout leaves the humidity settings as they are.
float readWords(int16_t step) {
  const float* w = ScriptSequenceArray[step];
  RHFactor = w[kRHFactorWord];
  SensorCompRHunit = wordInt(w[kUnitWord]);
  RHtemperatureChannel = wordInt(w[kTemperatureChannelWord]);
  WaterDataChannel = wordInt(w[kWaterChannelWord]);
  MainDataChannel = wordInt(w[kChannelWord]);
  if (w[kVersionWord] == kFullStep) {
    RHtemperature = w[kRHtemperatureWord];
    prefsArray[76] = wordInt(w[kDeflectionWord]) == 1 ? 1 : 0;
    flowmeterTemperature = w[kFlowmeterTemperatureWord];
    compRH = w[kCompRHWord];
  }
  return w[kPwWord];
}

// What makes the settings unusable, naming the step word in replay.
std::optional<std::string> settingsProblem(int n, float pw) {
  const int16_t water = WaterDataChannel == 0 ? kConstantRH : WaterDataChannel;
  const int16_t unit = SensorCompRHunit;
  auto words = [](int word, const std::string& text) { return "Word [" + std::to_string(word) + "]: " + text; };
  if (MainDataChannel < 1 || MainDataChannel > n)
    return words(kChannelWord, "the channel to adjust must be one of channels 1 to " + std::to_string(n) + ".");
  if ((water < 1 || water > n) && water != kConstantRH)
    return words(kWaterChannelWord, "the humidity channel must be one of channels 1 to " + std::to_string(n) + ".");
  if (RHtemperatureChannel < 0 || RHtemperatureChannel > n)
    return words(kTemperatureChannelWord, "the temperature channel must be 0 or one of channels 1 to " + std::to_string(n) + ".");
  if (unit < 1 || unit > 4) return words(kUnitWord, "the humidity unit must be 1 to 4.");
  if (unit != 1 && water == kConstantRH)
    return words(kUnitWord, "a dew point or vapour reading needs a humidity channel, not the constant RH.");
  if (!std::isfinite(pw) || pw <= 0.0f) return words(kPwWord, "the pressure term must be a number above 0.");
  return std::nullopt;
}

std::span<const float> channelOrNone(int f, int channel) {
  if (channel < 1 || channel > nChannels[f]) return {};
  return {channelData(f, channel), size_t(nCases[f]) + 1};
}

AnalyserHumiditySettings passSettings(float pw) {
  AnalyserHumiditySettings s;
  s.unit = SensorCompRHunit, s.pw = pw, s.flowmeterTemperature = flowmeterTemperature;
  s.compRH = compRH, s.RHtemperature = RHtemperature, s.deflection = prefsArray[76] == 1;
  return s;
}

void showWorkingNotice(int32_t cases) {
  BuildWINDOW(kWindow, kTitle, 200, 120, int16_t(200 + kWidth), 170, 6);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 20, "Calculating the water vapor corrections...  (this must be performed for each of the");
  PrintAt(10, 38, rt::PSstrLong(cases) + " cases)");
}

// Checks, destination, the pass, finish. False when refused (nothing changed).
bool compensate(int16_t step, float pw, bool replay) {
  const int f = TheFileInUse;
  if (const auto p = settingsProblem(nChannels[f], pw)) {
    std::string text = replay ? *p : p->substr(p->find(':') + 2);
    if (!replay) text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
    refuseEdit(step, kTitle, {text, "Nothing was changed."});
    return false;
  }
  const int16_t water = WaterDataChannel == 0 ? kConstantRH : WaterDataChannel;
  int16_t destination = MainDataChannel;
  if (MakeNewChan != 0 && !replay) {
    ActiveChannel = MainDataChannel;
    const int n = nChannels[f];
    COPYCHAN(0);
    if (nChannels[f] != n + 1) return false;
    destination = nChannels[f];
  } else if (!MAKEBACKUP(MainDataChannel)) {
    refuseEdit(step, kTitle, {"There is no room for the undo copy of the channel.", "Nothing was changed."});
    return false;
  }
  MakeNewChan = 0;
  DestinationChannel = destination;
  WATERCON();
  showWorkingNotice(nCases[f]);
  rt::setCursor(rt::Cursor::Wait);
  AnalyserHumidityInputs in{channelOrNone(f, MainDataChannel), channelOrNone(f, water == kConstantRH ? 0 : water),
                            channelOrNone(f, SensorCompRHunit == 1 ? RHtemperatureChannel : 0)};
  const int32_t kept = compensateAnalyser(passSettings(pw), in, channelSamples(f, destination));
  rt::setCursor(rt::Cursor::Arrow);
  skid();
  ActiveChannel = ChangedChan = destination;
  std::string words = prefsArray[76] == 1 ? "humidity compensation, deflection" : "humidity compensation, absolute";
  if (kept > 0) words += "; " + std::to_string(kept) + " cases left uncorrected";
  logEdit(0, destination, words);
  finishEdit(destination);
  rt::closeWindow(kWindow);
  if (kept > 0 && !replay)
    Warn(1166, "Analyzer humidity compensation: ",
         {std::to_string(kept) + " cases had no water-vapour fraction from 0 to below 1 and were left as they were."});
  return true;
}

}  // namespace

void ANALYZER_HUMIDITY(int16_t step) {
  const bool replay = stepSuppliesParameters(step, true);
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  SavedHandlers savedHandlers;
  EditRun run(kOpCode);
  const int16_t wordStep = run.step() >= 1 ? run.step() : step;
  HelpSubject = kHelpSubject;
  float pw = 0.0f;
  if (replay) {
    MakeNewChan = 0;
    pw = readWords(step);
  } else {
    if (!askMode(nChannels[f]) || !askChannelAndHumidity(step)) {
      MakeNewChan = 0;
      return;
    }
    pw = 946.369f / realBP;
    writeWords(wordStep, pw);
  }
  if (compensate(step, pw, replay)) run.complete();
  MakeNewChan = 0;
  rt::closeWindow(kWindow);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
}

}  // namespace qv
