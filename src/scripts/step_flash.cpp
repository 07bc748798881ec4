// The number of the step just recorded, flashed in the plot window's step field.
#include "core/colors.h"
#include "core/filetable.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "plot/draw_support.h"
#include "runtime/clock.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "core/script_recorder.h"

namespace qv {

namespace {

constexpr int kStepField = 52;
constexpr rt::Rect kStepFieldRect{517, 1, 635, 16};
constexpr rt::RGB kWhite{65535, 65535, 65535};
constexpr rt::RGB kRed{65535, 0, 0};

}  // namespace

void FLASHSCRIPTsequenceStep() {
  const int f = TheFileInUse;
  const std::string text = " step" + rt::PSstrLong(ScriptCOUNT);
  if (ScriptCOUNT >= kMostScriptSteps) RecordSCRIPT = 0;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(1000 + f);
  upvip();
  // Five phases of 20 ms, white and red in turn, ending white so the number stays readable.
  const uint32_t start = rt::TickCount();
  for (int phase = 1; phase <= 5; ++phase) {
    plot::staticField(kStepField, text, kStepFieldRect, phase % 2 ? kWhite : kRed, kRed, 1, 11, 0);
    rt::flushWindow(1000 + f);
    rt::waitUntilTick(start + uint32_t((phase * 20 * 60 + 999) / 1000));
  }
  plot::staticField(kStepField, text, kStepFieldRect, rt::RGB{0, 0, 0}, LightGray, 1, 11, 0);
  if (saved && rt::windowExists(saved)) rt::setOutputWindow(saved);
}

}  // namespace qv
