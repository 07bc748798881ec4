#include "respirometry/flow_fields.h"

#include <cmath>
#include <cstdint>

#include "core/channel_roles.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/warning.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t FieldX = 0;

namespace {

constexpr int kFlowField = 221, kMassField = 222, kPressureField = 223, kTemperatureField = 224, kVolumeField = 225;
constexpr float kSmallestVolume = 0.1f;

bool numberIn(const std::string& text, float& out) {
  double v = 0;
  if (!rt::PSvalStrict(text, v) || !std::isfinite(float(v))) return false;
  out = float(v);
  return true;
}

std::string flowLabel() { return prefsArray[53] ? "flow (L/min):" : "flow (ml/min):"; }

int rowTop(int row) { return 13 + 32 * row; }

}  // namespace

FlowFieldCheck checkFlowFields(const FlowFieldTexts& t) {
  FlowFieldCheck c;
  auto refuse = [&c](const std::string& what) {
    c.message = what;
    return c;
  };
  if (t.flow) {
    float flow = 0;
    if (!numberIn(*t.flow, flow) || flow <= 0) return refuse("The flow rate must be a number greater than 0.");
    c.values.flow = flow;
  }
  if (!numberIn(t.mass, c.values.mass) || c.values.mass < 0) return refuse("The body mass must be a number of 0 g or more.");
  if (!numberIn(t.pressure, c.values.pressure) || c.values.pressure <= 0)
    return refuse("The barometric pressure must be a number greater than 0 torr.");
  if (!numberIn(t.temperature, c.values.temperature) || c.values.temperature <= -273.15f)
    return refuse("The flow temperature must be a number above -273.15 \u00B0C.");
  if (t.volume.find_first_not_of(" \t") == std::string::npos) {
    c.values.volume = kSmallestVolume;
  } else if (!numberIn(t.volume, c.values.volume) || c.values.volume < 0) {
    return refuse("The effective volume must be a number of 0 ml or more.");
  } else if (c.values.volume == 0) {
    c.values.volume = kSmallestVolume;
  }
  c.accepted = true;
  return c;
}

void FLOWSTUFF() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles) return;
  const bool typedFlow = FlowRateChannel == 0;
  GrayBOX(1, 134, int16_t(typedFlow ? 7 : 35), 312, 167);
  EFForeColor = EFBackColor = 1;
  struct Row {
    int id;
    std::string label;
    float value;
  };
  float volume = FileInfoFLOATS[f][5] == 0 ? kSmallestVolume : FileInfoFLOATS[f][5];
  const Row rows[] = {{kFlowField, flowLabel(), FileInfoFLOATS[f][2]},
                      {kMassField, "mass (g):", FileInfoFLOATS[f][6]},
                      {kPressureField, "B.P. (torr):", FileInfoFLOATS[f][4]},
                      {kTemperatureField, "flow temp (\u00B0C):", FileInfoFLOATS[f][3]},
                      {kVolumeField, "ef. volume (ml):", volume}};
  for (int i = typedFlow ? 0 : 1; i < 5; ++i) {
    const int top = rowTop(i);
    SetTextStyle(KestrixFont, 11, 0);
    PrintAt(140, top + 12, rows[i].label);
    buildef(1, int16_t(rows[i].id), rt::PSstr(rows[i].value), 240, int16_t(top), 305, int16_t(top + 16), 3, 1);
  }
  FieldX = kVolumeField;
}

bool READFLOW() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles) return false;
  FlowFieldTexts t;
  if (FlowRateChannel == 0) t.flow = rt::editText(kFlowField);
  t.mass = rt::editText(kMassField);
  t.pressure = rt::editText(kPressureField);
  t.temperature = rt::editText(kTemperatureField);
  t.volume = rt::editText(kVolumeField);
  const FlowFieldCheck c = checkFlowFields(t);
  if (!c.accepted) {
    Warn(1166, "Flow settings: ", {c.message, "None of the flow settings was changed."});
    return false;
  }
  if (c.values.flow) FileInfoFLOATS[f][2] = *c.values.flow;
  FileInfoFLOATS[f][6] = c.values.mass;
  FileInfoFLOATS[f][4] = c.values.pressure;
  FileInfoFLOATS[f][3] = c.values.temperature;
  FileInfoFLOATS[f][5] = c.values.volume;
  return true;
}

}  // namespace qv
