#include "scripts/script_file.h"

#include <cmath>

#include "datafiles/open_road.h"
#include "runtime/bytes.h"
#include "runtime/numtext.h"
#include "core/script_recorder.h"

namespace qv {

namespace {

bool wholeCode(float code) {
  if (!std::isfinite(code) || code != std::trunc(code)) return false;
  return (code >= 0.0f && code <= 45.0f) || code == float(kStepDeleted);
}

std::string stepText(int step) { return "Step" + rt::PSstrLong(step); }

constexpr float kOpenFileStep = 33.0f;

}  // namespace

std::vector<uint8_t> encodeScript(const ScriptImage& script) {
  rt::ByteWriter w;
  w.reserve(kScriptFileBytes);
  for (const auto& record : script.records)
    for (float word : record) w.f32be(word);
  w.i16be(script.autoscript);
  return w.take();
}

std::variant<ScriptImage, ScriptFileError> decodeScript(std::span<const uint8_t> bytes) {
  if (bytes.size() != kScriptFileBytes && bytes.size() != kScriptArrayBytes)
    return ScriptFileError{"It holds " + std::to_string(bytes.size()) + " bytes; a script file holds " +
                           std::to_string(kScriptFileBytes) + "."};
  rt::ByteReader r(bytes);
  ScriptImage script;
  for (auto& record : script.records)
    for (float& word : record) word = r.f32be();
  script.autoscript = bytes.size() == kScriptFileBytes ? r.i16be() : int16_t(0);
  if (r.failed()) return ScriptFileError{"It ends before its last record."};
  for (int k = 1; k <= kMostScriptSteps; ++k) {
    const auto& step = script.records[size_t(k)];
    if (step[0] != 0.0f && step[0] != 1.0f)
      return ScriptFileError{stepText(k) + " has a pause flag other than 0 or 1."};
    if (!wholeCode(step[1])) return ScriptFileError{stepText(k) + " has no valid operation code."};
    if (step[1] == kOpenFileStep && !(std::isfinite(step[2]) && step[2] == std::trunc(step[2]) && isOpeningType(int(step[2]))))
      return ScriptFileError{stepText(k) + " opens a file of a type no recording makes."};
  }
  if (script.autoscript != 0 && script.autoscript != 1)
    return ScriptFileError{"Its automatic-run switch is " + std::to_string(script.autoscript) + ", not 0 or 1."};
  return script;
}

ScriptImage currentScript() {
  ScriptImage script;
  for (int k = 0; k < kScriptRecords; ++k)
    for (int w = 0; w < kScriptWords; ++w) script.records[size_t(k)][size_t(w)] = ScriptSequenceArray[k][w];
  script.autoscript = autoscript;
  return script;
}

void installScript(const ScriptImage& script) {
  for (int k = 0; k < kScriptRecords; ++k)
    for (int w = 0; w < kScriptWords; ++w) ScriptSequenceArray[k][w] = script.records[size_t(k)][size_t(w)];
  autoscript = script.autoscript;
}

}  // namespace qv
