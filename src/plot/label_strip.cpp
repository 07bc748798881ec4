#include "plot/label_strip.h"

#include <string>

#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kStripWidth = 322;
constexpr int kStripHeight = 18;

TextOutputRoute gRoute = nullptr;

void returnTo(int window) {
  if (rt::windowExists(window)) rt::setOutputWindow(window);
}

// Print-style output into the output window: text at the pen, a line end moves the pen to
// the start of the next line.
void drawIntoOutputWindow(std::string_view text) {
  if (!rt::windowExists(rt::outputWindow())) return;
  const int left = rt::penPosition().x;
  const int lineHeight = rt::currentTextSize() + 4;
  size_t pos = 0;
  while (pos <= text.size()) {
    const size_t end = text.find('\n', pos);
    rt::drawString(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    if (end == std::string_view::npos) break;
    rt::moveTo(left, rt::penPosition().y + lineHeight);
    pos = end + 1;
  }
}

}  // namespace

void MakeButtonChannelLabelWindow(int16_t returnWindow) {
  int left = 20, top = 100;
  if (rt::windowExists(rt::outputWindow())) {
    left = rt::windowFunction(1001) + 2;
    top = rt::windowFunction(1000) + rt::windowFunction(1003) + 4;
  }
  rt::openWindow(kLabelStripWindow, "", {left, top, left + kStripWidth, top + kStripHeight}, rt::kStripWindowClass,
                 rt::kAttrHidden);
  rt::setWindowBackground(kLabelStripWindow, {0xECEC, 0xECEC, 0xECEC});
  rt::FBEditField(1, "", {10, 2, 315, 19}, 7);
  rt::setEditFont(1, KestrixFont, 12, 0);
  returnTo(returnWindow);
}

void ShowButtonChannelLabel(int16_t returnWindow) {
  const int c = prefsArray[79];
  if (c >= 1 && c <= kMaxChannels) {
    if (!rt::windowExists(kLabelStripWindow)) MakeButtonChannelLabelWindow(returnWindow);
    rt::setOutputWindow(kLabelStripWindow);
    rt::setEditText(1, "Channel" + rt::PSstrLong(c) + ":   " + RetrieveLabel(c) + std::string(43, ' '));
    rt::showWindow(kLabelStripWindow);
  } else if (c == -99) {
    if (rt::windowExists(kLabelStripWindow)) rt::hideWindow(kLabelStripWindow);
  }
  returnTo(returnWindow);
}

void setTextOutputRoute(TextOutputRoute route) { gRoute = route; }

void PrintText(std::string_view text) {
  if (gRoute) gRoute(text);
  else drawIntoOutputWindow(text);
}

void PrintChannelLabel() { PrintText(RetrieveLabel(ActiveChannel) + "\n"); }

}  // namespace qv
