// The colour dialog: its window for a number of channels, the schemes, the pickers answered
// by colour records, the subplot style, the stored colours, what it returns, and pictures
// that are the same at every opening.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/color_dialog.h"
#include "core/colors.h"
#include "core/commands.h"
#include "core/prefs_file.h"
#include "menus_fixture.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"

using namespace qv;

namespace {

constexpr int kWindow = 9;

// What window 9 looked like at each button click (the click sound comes before the click is
// handled, so each capture shows the state the clicks before it left).
struct Capture {
  rt::Rect content;
  rt::RGB channel3Line;
  int blackInSubplot = 0;
  std::vector<rt::RGB> canvas;
};

class ColorDialog : public menutest::MenusTest {
 protected:
  std::vector<Capture> captures;
  bool wholeCanvas = false;

  void SetUp() override {
    MenusTest::SetUp();
    rt::setSoundObserver([this](const std::string& s) {
      if (s == "click.mp3" && rt::windowExists(kWindow)) captures.push_back(capture());
    });
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    MenusTest::TearDown();
  }
  Capture capture() {
    Capture c;
    c.content = rt::windowContentRect(kWindow);
    c.channel3Line = rt::canvasPixel(kWindow, 20, 130);
    for (int y = 71; y < 133; ++y)
      for (int x = 516; x < 599; ++x) c.blackInSubplot += rt::canvasPixel(kWindow, x, y) == rt::RGB{0, 0, 0};
    if (wholeCanvas)
      for (int y = 0; y < c.content.height(); ++y)
        for (int x = 0; x < c.content.width(); ++x) c.canvas.push_back(rt::canvasPixel(kWindow, x, y));
    return c;
  }
  int16_t run(std::vector<std::string> lines) {
    captures.clear();
    for (const auto& l : lines) EXPECT_TRUE(rt::script::pushLine(l)) << l;
    const int16_t result = SETCOLORS();
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_FALSE(rt::windowExists(kWindow));
    return result;
  }
};

TEST_F(ColorDialog, WindowGeometry) {
  struct {
    int channels, height;
  } heights[] = {{0, 405}, {19, 405}, {20, 420}, {25, 500}, {40, 740}};
  for (auto h : heights) EXPECT_EQ(ColorWindowHeight(h.channels), h.height) << h.channels;
  EXPECT_EQ(ColorWindowLeft(1287), 100);
  EXPECT_EQ(ColorWindowLeft(800), 80);
  // The last overlay button of 40 channels ends inside the window.
  openFile(0, 40, 10);
  run({"click 134"});
  ASSERT_EQ(captures.size(), 1u);
  EXPECT_EQ(captures[0].content.height(), 740);
  EXPECT_EQ(captures[0].content.width(), 640);
}

TEST_F(ColorDialog, EachSchemeSetsExactlyItsSixColours) {
  HistogramBarColor = {1, 2, 3};
  OverlayColor[5] = {4, 5, 6};
  StandardDarkColors();
  EXPECT_EQ(plotForeColor, (rt::RGB{0, 40000, 65535}));
  EXPECT_EQ(plotBackColor, (rt::RGB{6000, 6000, 6000}));
  EXPECT_EQ(PlotDataLineColor, (rt::RGB{65535, 65535, 0}));
  EXPECT_EQ(Pwhite, (rt::RGB{20535, 45535, 25535}));
  EXPECT_EQ(BlockForeColor, (rt::RGB{65535, 65535, 0}));
  EXPECT_EQ(BlockBackColor, (rt::RGB{0, 0, 45000}));
  DefaultColors();
  EXPECT_EQ(plotForeColor, (rt::RGB{0, 0, 54272}));
  EXPECT_EQ(plotBackColor, (rt::RGB{54000, 54000, 54000}));
  EXPECT_EQ(PlotDataLineColor, (rt::RGB{55535, 0, 0}));
  EXPECT_EQ(Pwhite, (rt::RGB{65535, 65535, 65535}));
  EXPECT_EQ(BlockForeColor, (rt::RGB{64512, 62333, 1327}));
  EXPECT_EQ(BlockBackColor, (rt::RGB{0, 0, 54272}));
  EXPECT_EQ(HistogramBarColor, (rt::RGB{1, 2, 3}));
  EXPECT_EQ(OverlayColor[5], (rt::RGB{4, 5, 6}));
}

TEST_F(ColorDialog, PickersTakeOnlyConfirmedColours) {
  openFile(0, 3, 10);
  EXPECT_EQ(run({"click 123", "color 0 0 65535", "click 124", "color cancel", "click 3", "color 0 0 0",
                 "click 134"}),
            1);
  EXPECT_EQ(PlotDataLineColor, (rt::RGB{0, 0, 65535}));
  EXPECT_EQ(Pwhite, (rt::RGB{65535, 65535, 65535}));
  EXPECT_EQ(OverlayColor[3], (rt::RGB{0, 0, 0}));
  ASSERT_EQ(captures.size(), 4u);
  // The default (0, 38000, 38000), not yet taken, as the 8-bit picture holds it.
  EXPECT_EQ(captures[2].channel3Line, (rt::RGB{0, 148 * 257, 148 * 257}));
  EXPECT_EQ(captures[3].channel3Line, (rt::RGB{0, 0, 0}));
  // A cancelled picker of a plot colour still asks for a redraw, as it always did.
  EXPECT_EQ(run({"click 121", "color cancel", "click 134"}), 1);
  EXPECT_EQ(plotForeColor, (rt::RGB{0, 0, 54272}));
}

TEST_F(ColorDialog, ReturnsOneWhenAnythingItSetsChanged) {
  EXPECT_EQ(run({"click 134"}), 0);
  EXPECT_EQ(run({"click 41", "click 134"}), 1);
  EXPECT_EQ(plotBackColor, (rt::RGB{6000, 6000, 6000}));
  EXPECT_EQ(run({"click 41", "dialog 4 9"}), 0) << "the dark scheme again changes nothing";
  EXPECT_EQ(run({"click 130", "color 1 1 1", "key 13"}), 1);
  prefsArray[82] = 1;
  EXPECT_EQ(run({"popup 200 3", "click 134"}), 1);
  EXPECT_EQ(prefsArray[82], 3);
  ASSERT_EQ(captures.size(), 2u);  // the popup's click and Done's
  EXPECT_LT(captures[0].blackInSubplot, 83 * 62 / 4);
  EXPECT_GT(captures[1].blackInSubplot, 83 * 62 * 3 / 4);
}

TEST_F(ColorDialog, StoredPreferencesBringBackTheStoredColours) {
  // No record: the light scheme and the overlay defaults.
  OverlayColor[2] = {1, 1, 1};
  run({"click 41", "click 128", "click 134"});
  EXPECT_EQ(plotBackColor, (rt::RGB{54000, 54000, 54000}));
  EXPECT_EQ(OverlayColor[2], (rt::RGB{28000, 38000, 0}));
  // A stored record with its own data line colour.
  PlotDataLineColor = {100, 200, 300};
  SaveSettings(0);
  run({"click 41", "click 128", "click 134"});
  EXPECT_EQ(PlotDataLineColor, (rt::RGB{100, 200, 300}));
  EXPECT_EQ(plotBackColor, (rt::RGB{54000, 54000, 54000}));
}

TEST_F(ColorDialog, TwoOpeningsDrawTheSamePictures) {
  openFile(0, 4, 10);
  wholeCanvas = true;
  run({"click 134"});
  ASSERT_EQ(captures.size(), 1u);
  const auto first = captures[0].canvas;
  run({"click 134"});
  ASSERT_EQ(captures.size(), 1u);
  EXPECT_TRUE(first == captures[0].canvas);
}

TEST_F(ColorDialog, ActiveChannelAndQuit) {
  openFile(0, 3, 10);
  ActiveChannel = 2;
  ASSERT_TRUE(rt::script::pushLine("quit"));
  SETCOLORS();
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_TRUE(gQuitPending);
  EXPECT_FALSE(rt::windowExists(kWindow));
}

}  // namespace

namespace {
double luminance(rt::RGB c) {
  auto lin = [](uint16_t v) {
    const double x = v / 65535.0;
    return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(c.red) + 0.7152 * lin(c.green) + 0.0722 * lin(c.blue);
}
double contrast(rt::RGB a, rt::RGB b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

// Every default overlay colour (legend entries and traces) reads on the light scheme's and the
// dark scheme's plot backgrounds, and none is taken for the data line.
TEST_F(ColorDialog, DefaultOverlayColoursReadOnBothSchemes) {
  SetOverlayColors();
  StandardDarkColors();
  const rt::RGB dark = plotBackColor;
  DefaultColors();
  const rt::RGB light = plotBackColor, line = PlotDataLineColor;
  for (int k = 1; k <= 40; ++k) {
    EXPECT_GE(contrast(OverlayColor[k], light), 2.0) << "overlay colour " << k << " on the light scheme";
    EXPECT_GE(contrast(OverlayColor[k], dark), 2.0) << "overlay colour " << k << " on the dark scheme";
    EXPECT_GE(contrast(OverlayColor[k], RGBwhite), 2.5) << "overlay colour " << k << " on white paper";
    EXPECT_FALSE(OverlayColor[k] == line) << k;
  }
}
