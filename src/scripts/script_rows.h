#pragma once
// What one row of the script views says about a step: its label, its main value and the
// texts of its parameters, and for a transformation the three values a user may change.
#include <span>
#include <string>
#include <vector>

namespace qv {

struct ScriptRow {
  bool listed = false;   // a labelled or deleted step; an empty or unknown code shows nothing
  bool deleted = false;  // code 99
  std::string label;
  std::string mainValue;           // the "channel" column
  std::vector<std::string> texts;  // the parameter texts, left to right
  bool transformValues = false;    // a transformation: 'a', 'b' and the exponent follow
  float a = 0, b = 0, exponent = 0;
};

// The row of a step record (28 words).
ScriptRow scriptRow(std::span<const float> words);

// The name of a transform code of a transformation step ("" for codes without one).
std::string transformName(int code);

// The notice a deleted step shows in its row.
inline constexpr const char* kDeletedStepText = " *  this step has been deleted  *";

}  // namespace qv
