#pragma once
// The block of five fields that shows and sets the file's flow-system description (flow,
// body mass, barometric pressure, flow temperature, effective volume), and the rules a typed
// block must meet before any of it is stored.
#include <optional>
#include <string>

namespace qv {

// The last field of the block (the window's field order ends there).
extern int16_t FieldX;

struct FlowFieldTexts {
  std::optional<std::string> flow;  // absent when the flow comes from a channel
  std::string mass, pressure, temperature, volume;
};

struct FlowFieldValues {
  std::optional<float> flow;
  float mass = 0, pressure = 0, temperature = 0, volume = 0;
};

// Every text must be a number within its range: flow > 0, pressure > 0, temperature above
// absolute zero (the STP factor divides by it + 273.15), mass >= 0, volume >= 0 (0 or an
// empty field is 0.1 ml). On refusal, `message` names the field.
struct FlowFieldCheck {
  bool accepted = false;
  FlowFieldValues values;
  std::string message;
};
FlowFieldCheck checkFlowFields(const FlowFieldTexts& texts);

// Draws the block into the current output window from the file in use's values.
void FLOWSTUFF();
// Reads the block into the file in use's values: all of them, or none and a warning. True
// when stored.
bool READFLOW();

}  // namespace qv
