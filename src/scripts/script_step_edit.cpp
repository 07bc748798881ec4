// Window 500: the values of one step changed, or the step deleted.
#include <cmath>
#include <optional>

#include "core/event_state.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/typed_number.h"
#include "core/warning.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "scripts/script_steps.h"
#include "scripts/script_view.h"

namespace qv {

namespace {

constexpr int kCancel = 1, kAccept = 2, kDelete = 3;

void buildEditWindow(int16_t step) {
  BuildWINDOW(kStepEditWindow, " Modify Transform Values for Step" + rt::PSstrLong(step), 40, 140, 760, 255, 6);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(110, 15, "operation");
  PrintAt(290, 15, "transform");
  PrintAt(420, 15, "'a' value");
  PrintAt(520, 15, "'b' value");
  PrintAt(620, 15, "exponent");
  WriteTheScriptData(step, 28, 5, RowUse::Editor);
  rt::FBButton(kCancel, 1, "Cancel", {400, 80, 500, 100}, 1);
  rt::FBButton(kAccept, 1, "Accept Change", {550, 80, 700, 100}, 4);
  rt::FBButton(kDelete, 1, "Delete", {5, 30, 93, 50}, 2);
}

std::optional<float> typedValue(int field) {
  if (!rt::controlExists(field)) return std::nullopt;
  const auto v = typedNumber(rt::editText(field));
  if (!v) return std::nullopt;
  return float(*v);
}

// The typed values go into the step only when every one of them is good.
bool acceptTypedValues(int16_t step) {
  float* words = ScriptSequenceArray[step];
  if (stepCode(step) == 1) {
    const auto c = typedValue(kMainValueField + step);
    if (!c || *c != std::trunc(*c) || *c < 1 || *c > 40) {
      Warn(1166, "Step not changed: ", {"The channel must be a whole number from 1 to 40."});
      rt::setOutputWindow(kStepEditWindow);
      rt::setEditText(kMainValueField + step, rt::PSstr(words[2]));
      return false;
    }
    words[2] = *c;
  } else if (stepCode(step) == 11) {
    const auto a = typedValue(kValueAField + step), b = typedValue(kValueBField + step),
               e = typedValue(kExponentField + step);
    if (!a || !b || !e) {
      // Only the refused fields go back to the step's values; the good ones typed stay for
      // the next try.
      std::string refused;
      for (const auto& [ok, name] : {std::pair{a.has_value(), "'a'"}, std::pair{b.has_value(), "'b'"},
                                     std::pair{e.has_value(), "the exponent"}})
        if (!ok) refused += (refused.empty() ? "" : ", ") + std::string(name);
      Warn(1166, "Step not changed: ", {"Not a number: " + refused + ".", "'a', 'b' and the exponent must be numbers."});
      rt::setOutputWindow(kStepEditWindow);
      if (!a) rt::setEditText(kValueAField + step, rt::PSstr(words[8]));
      if (!b) rt::setEditText(kValueBField + step, rt::PSstr(words[9]));
      if (!e) rt::setEditText(kExponentField + step, rt::PSstr(words[10]));
      return false;
    }
    words[8] = *a, words[9] = *b, words[10] = *e;
  }
  return true;
}

}  // namespace

bool EditScriptStep(int16_t step) {
  if (step < 1 || step > kMostScriptSteps || !stepIsListed(step)) return false;
  SavedHandlers saved;
  buildEditWindow(step);
  installModalHandlers();
  action = eventID = 0;
  bool deleting = false, changed = false;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == kDelete) {
      deleting = !deleting;
      rt::setControlValue(kDelete, deleting ? 1 : 0);
    } else if (a == 1 && id == kCancel) {
      break;
    } else if ((a == 1 && id == kAccept) || (a == 4 && id == kStepEditWindow)) {
      if (deleting) {
        ScriptSequenceArray[step][1] = float(kStepDeleted);
        changed = true;
        break;
      }
      if (a == 4) break;
      if (acceptTypedValues(step)) {
        changed = true;
        break;
      }
    }
  }
  rt::closeWindow(kStepEditWindow);
  return changed;
}

}  // namespace qv
