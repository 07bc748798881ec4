// The typed baselines of the "Baseline Correction" window: a start and an end value over the
// file, or one constant. The values are taken on the OK button beside the fields or Return.
#include <cmath>
#include <string>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/script_state.h"
#include "core/typed_number.h"
#include "core/view_state.h"
#include "editing/baseline.h"
#include "editing/baseline_points.h"
#include "editing/baseline_window.h"
#include "editing/edit_frame.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

const rt::Rect kFieldsArea{230, 148, 318, 222};

// The file shown whole while a typed line is asked for, so the line can be judged on it.
void showWholeFile() {
  const int f = TheFileInUse;
  if (FileSHORTS[f][kCompressedWord] != 0 || nCases[f] <= ScreenWidth) return;
  FileSHORTS[f][kCompressedWord] = 1;
  FileSHORTS[f][kZoomedWord] = 0;
  if (!rt::windowExists(1000 + f)) return;
  plot::takeActiveChannelScale();
  DrawPlot(0, 0, 0, 0);
}

void buildFields(bool constant) {
  rt::setOutputWindow(kBaselineWindow);
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = EFBackColor = 1;
  if (constant) {
    PrintAt(234, 162, "Enter baseline:");
  } else {
    PrintAt(234, 162, "Start:");
    buildef(1, kTypedStartField, "0", 272, 150, 312, 168, 3, 1);
    PrintAt(234, 186, "End:");
  }
  buildef(1, kTypedEndField, "0", constant ? 234 : 272, 174, 312, 192, 3, 1);
  rt::FBButton(kTypedOK, 1, constant ? "Value OK" : "Points OK", {234, 198, 312, 220}, 4);
}

void removeFields() {
  if (!rt::windowExists(kBaselineWindow)) return;
  rt::setOutputWindow(kBaselineWindow);
  for (int id : {kTypedStartField, kTypedEndField, kTypedOK})
    if (rt::controlExists(id)) rt::removeControl(id);
  rt::eraseRect(kFieldsArea);
}

std::optional<double> fieldNumber(int id, const char* name) {
  const std::string text = rt::editTextIn(kBaselineWindow, id);
  if (auto v = typedNumber(text)) return v;
  refuseEdit(0, "Baseline Correction",
             {std::string("The ") + name + " must be a number; \"" + text + "\" is not one.", "No line was drawn."});
  return std::nullopt;
}

enum class Wait { Taken, LeaveMethod, LeaveWindow };

// Waits for the OK button beside the fields or Return; other buttons of the window do nothing
// meanwhile, except Cancel and the close box, which leave the window.
Wait waitForValues(bool constant) {
  for (;;) {
    action = eventID = 0;
    const auto [a, id] = takeAction();
    if ((a == 4 && id == kBaselineWindow) || (a == 1 && id == kBaselineCancel)) return Wait::LeaveWindow;
    if (a == 1 && id == kSelectAgain) return Wait::LeaveMethod;
    if (!((a == 1 && id == kTypedOK) || (a == 16 && (id == 13 || id == 0)))) continue;
    const auto end = fieldNumber(kTypedEndField, constant ? "baseline" : "end value");
    const auto start = constant ? std::optional<double>(0) : fieldNumber(kTypedStartField, "start value");
    if (!start || !end) continue;
    if (constant) {
      ValueOfA = float(*end);
      ValueOfB = 0;
    } else {
      const BaselineLine l = typedLine(*start, *end, nCases[TheFileInUse]);
      ValueOfA = l.a;
      ValueOfB = l.b;
    }
    return Wait::Taken;
  }
}

}  // namespace

MethodEnd typedBaseline(int16_t method) {
  const bool constant = method == kTypedConstant;
  showWholeFile();
  setBaselineWord(4, method);
  buildFields(constant);
  const Wait w = waitForValues(constant);
  removeFields();
  if (w == Wait::LeaveWindow) return MethodEnd::LeaveWindow;
  return w == Wait::Taken ? MethodEnd::Line : MethodEnd::Nothing;
}

int16_t TEXTstartANDendBaseline(int16_t) {
  typedBaseline(kTypedBeginEnd);
  return 0;
}

int16_t ConstantTEXTbaseline(int16_t) {
  typedBaseline(kTypedConstant);
  return 0;
}

}  // namespace qv
