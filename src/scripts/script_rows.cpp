#include "scripts/script_rows.h"

#include <array>
#include <cmath>

#include "runtime/numtext.h"
#include "core/script_recorder.h"
#include "scripts/replay_words.h"
#include "scripts/script_steps.h"

namespace qv {

namespace {

// Case numbers and counts go past the range of codes: below 1e9.
int truncated(float w) { return wholeWord(w, std::nextafter(1e9f, 0.0f)); }

std::string num(float w) { return rt::PSstr(w); }

int smoothingWidth(int choice) {
  constexpr std::array<int, 10> kWidths{3, 5, 7, 9, 11, 15, 19, 25, 35, 51};
  if (choice >= 1 && choice <= 10) return kWidths[size_t(choice - 1)];
  return choice == 41 ? 3 : 0;
}

std::vector<std::string> baselineTexts(std::span<const float> w) {
  const std::string head = "baseline method: ";
  switch (truncated(w[4])) {
    case 2: return {head + "automatic"};
    case 3:
    case 7: return {head + "cursor start, end"};
    case 6: return {head + "multi-cursor"};
    case 8: return {head + "periodic"};
    case 5: return {head + "constant", num(w[5])};
    case 4: return {head + "text start, end", num(w[5]), num(w[6])};
    default: return {head};
  }
}

std::vector<std::string> parameterTexts(int code, std::span<const float> w) {
  switch (code) {
    case 3: return baselineTexts(w);
    case 6: return {"cases: " + rt::PSstrLong(smoothingWidth(truncated(w[4]))), "cycles: " + num(w[5])};
    case 7: return {"threshold: " + num(w[4]), "max: " + num(w[5]), "min:" + num(w[6])};
    case 8:
    case 9:
    case 10: {
      std::vector<std::string> t{"mode " + num(w[9]), "flow: " + num(w[5]), "RQ:" + num(w[15])};
      if (w[8] != 0.0f) t.push_back("instantaneous");
      return t;
    }
    case 11: return {transformName(truncated(w[4]))};
    case 32: return {"mode: " + num(w[11]), "units: " + num(w[8]), "mass unit: " + num(w[7]), "salinity: " + num(w[17])};
    case 40:
      return {"downgoing? " + num(w[4]), "cutoff: " + num(w[6]), "sidepoints: " + num(w[7]),
              w[5] == 0.0f ? "fixed: " + num(w[8]) : std::string("interpolate")};
    case 41: return {"0-100? " + num(w[5]), "max: " + num(w[6]), "min: " + num(w[7])};
    default: return {};
  }
}

}  // namespace

std::string transformName(int code) {
  switch (code) {
    case 1: return "Z transform";
    case 2: return "polynomial";
    case 3: return "invert";
    case 4: return "change sign";
    case 5: return " a + b * X^c";
    case 6: return "a - X";
    case 7: return "X - a";
    case 8: return "a \u00F7 X";
    case 9: return "X \u00F7 a";
    case 10: return "\u221A X";
    case 11: return " X squared";
    case 12: return " ln (X) ";
    case 13: return "log10 (X) ";
    case 14: return "e ^ X";
    case 15: return "10 ^ X";
    case 16: return "a / (X ^ c) ";
    case 17: return "absolute value";
    case 18: return "fixed Q10";
    case 20: return "breakpoint";
    case 22: return "add channels";
    case 23: return "subtract channels";
    case 24: return "multiply channels";
    case 25: return "divide channels";
    case 26: return "Q10 correction";
    default: return {};
  }
}

ScriptRow scriptRow(std::span<const float> w) {
  ScriptRow row;
  if (w.size() < 28) return row;
  const int code = truncated(w[1]);
  row.deleted = code == kStepDeleted;
  row.label = ScriptLabel(code);
  row.listed = row.deleted || !row.label.empty();
  if (!row.listed) return row;
  if (row.deleted) {
    row.label = kDeletedStepText;
    return row;
  }
  if (code == 1 || code == 2 || code == 13 || code == 14 || code == 19 || code == 30) row.mainValue = num(w[2]);
  row.texts = parameterTexts(code, w);
  if (code == 11) {
    row.transformValues = true;
    row.a = w[8], row.b = w[9], row.exponent = w[10];
  }
  return row;
}

}  // namespace qv
