#include "output/results_count.h"

#include <string>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kCountField = 18;
constexpr int kMinimumPlotWidth = 1100;

int plotWindowOfFileInUse() {
  const int f = TheFileInUse;
  return f >= 0 && f < kMaxOpenFiles && rt::windowExists(1000 + f) ? 1000 + f : 0;
}

void countField(int window, std::string_view text, int font) {
  const int saved = rt::outputWindow();
  rt::setOutputWindow(window);
  rt::removeControl(kCountField);
  if (ScreenWidth >= kMinimumPlotWidth) {
    rt::FBEditField(kCountField, text, {884, 2, ScreenWidth - 105, 16}, 7);
    rt::setEditFont(kCountField, int16_t(font), 9, 0);
    rt::setEditColors(kCountField, RGBblack, gray);
  }
  if (saved && rt::windowExists(saved)) rt::setOutputWindow(saved);
}

}  // namespace

void showResultsCount(std::string_view text) {
  if (const int w = plotWindowOfFileInUse()) countField(w, text, 1);
}

void TabFileDATABAR() {
  if (const int w = plotWindowOfFileInUse()) countField(w, "new file; total saved = " + rt::PSstr(Nresults), KestrixFont);
}

}  // namespace qv
