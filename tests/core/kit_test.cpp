#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "plot/plot_state.h"
#include "core/text_format.h"
#include "core/warning.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

QImage canvasOf(int window, const std::string& name) {
  std::string path = qvtest::tempDir("kit") + "/" + name;
  EXPECT_TRUE(rt::saveWindowImage(window, path));
  return QImage(QString::fromStdString(path));
}

}  // namespace

TEST(Kit, ExclusiveOrDrawingTwiceRestoresTheImage) {
  qvtest::resetRuntime();
  BuildWINDOW(20, "Xor", 50, 50, 350, 250, 6);
  rt::foreColor(RGBred);
  rt::paintRect({30, 30, 120, 90});
  QImage before = canvasOf(20, "before.png");
  rt::penMode(rt::kPatXor);
  rt::paintRect({10, 10, 200, 150});
  rt::frameRect({5, 5, 100, 60});
  rt::moveTo(0, 0);
  rt::lineTo(250, 170);
  QImage during = canvasOf(20, "during.png");
  EXPECT_NE(before, during);
  rt::paintRect({10, 10, 200, 150});
  rt::frameRect({5, 5, 100, 60});
  rt::moveTo(0, 0);
  rt::lineTo(250, 170);
  rt::penNormal();
  EXPECT_EQ(before, canvasOf(20, "after.png"));
}

TEST(Kit, StringFormatterPicksDecimalsByMagnitude) {
  struct Case {
    float x;
    const char* text;
  } cases[] = {
      {0.5f, " 0.5"},          {9.5f, "  9.500"},      {-9.5f, " -9.500"},     {10.0f, "  10.000"},
      {99.99f, "  99.990"},    {100.0f, "  100.00"},   {999.5f, "  999.50"},   {1000.0f, "  1000.0"},
      {9999.9f, "  9999.9"},   {10000.0f, " 10000"},   {10000.5f, " 10000"},   {10001.5f, " 10002"},
      {-12345.6f, "-12346"},   {0.0f, " 0"},           {123456.0f, " 123456"},
  };
  for (auto& c : cases) EXPECT_EQ(StringFormatter(c.x), c.text) << c.x;
  EXPECT_EQ(StringFormatter(std::nanf("")), " NAN");
}

TEST(Kit, WarningWindowShowsStripesIconHeadingAndButton) {
  qvtest::resetRuntime();
  rt::Image icon = rt::loadImage("DUdoderi", "CautionIcon.gif");
  bool haveIcon = bool(icon);
  rt::releaseImage(icon);
  std::string shot = qvtest::tempDir("warning") + "/warning.png";
  qvtest::script({(std::string("shot 1166 ") + shot).c_str(), "click 1"});
  WarningSpec s;
  s.heading = "Caution: ";
  s.lines = {"This file seems to be damaged."};
  s.sound = "";
  EXPECT_EQ(ShowWarning(s), 1);
  QImage img(QString::fromStdString(shot));
  ASSERT_FALSE(img.isNull());
  // The border is yellow with black stripes, the panel inside is cleared.
  int yellow = 0, black = 0, other = 0;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < img.height(); ++y) {
      unsigned c = img.pixelColor(x, y).rgb() & 0xFFFFFF;
      (c == 0xFFFF00u ? yellow : c == 0 ? black : other)++;
    }
  EXPECT_GT(yellow, 200);
  EXPECT_GT(black, 200);
  EXPECT_LT(other, 50);
  EXPECT_NE(img.pixelColor(240, 90).rgb() & 0xFFFFFF, 0xFFFF00u);
  // The heading is drawn in red near its place.
  bool red = false;
  for (int x = 62; x < 160; ++x)
    for (int y = 26; y < 48; ++y) {
      QColor c = img.pixelColor(x, y);
      red |= c.red() > 200 && c.green() < 80 && c.blue() < 80;
    }
  EXPECT_TRUE(red);
  if (haveIcon) {
    bool iconDrawn = false;
    for (int x = 20; x < 49; ++x)
      for (int y = 27; y < 56; ++y) iconDrawn |= img.pixelColor(x, y) != img.pixelColor(240, 90);
    EXPECT_TRUE(iconDrawn);
  }
}

TEST(Kit, AWarningWithoutButtonsEndsOnlyOnItsCloseBox) {
  qvtest::resetRuntime();
  WarningSpec s;
  s.window = 21;
  s.lines = {"the resulting file will be", " larger than the maximum possible"};
  s.buttons = {};
  s.sound = "";
  // Return, Enter and a click in another window go by; the close box ends it.
  qvtest::script({"key 13", "key 3", "dialog 3 1000", "dialog 4 21"});
  EXPECT_EQ(ShowWarning(s), 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(21));
  // No button hides behind a default: there is none to click.
  qvtest::script({"click 1"});
  EXPECT_EQ(qvtest::exitStatusOf([&] { ShowWarning(s); }), 3);
  qvtest::resetRuntime();
  s.defaultButton = 2;
  qvtest::script({"key 13", "dialog 4 21"});
  EXPECT_EQ(ShowWarning(s), 0) << "a default button number with no buttons";
}

TEST(Kit, ProgressBarGuardsAnEmptyRangeAndSkipsUnchangedPixels) {
  qvtest::resetRuntime();
  BuildWINDOW(15, "Loading", 50, 50, 450, 150, 6);
  MinimumProgressBarValue = 10;
  buildProgressBAR(10, 50, 310, 62, 10, 15);  // maximum = minimum
  EXPECT_TRUE(std::isfinite(ProgressBarScalingFactor));
  MinimumProgressBarValue = 0;
  buildProgressBAR(10, 50, 310, 62, 6100000, 15);
  UpdateProgressBar(3050000);
  EXPECT_EQ(rt::controlValue(777), 150);
}

TEST(Kit, SliderPagesFollowTheCaseCount) {
  qvtest::resetRuntime();
  TheFileInUse = 0;
  ScreenWidth = 1000;
  BuildWINDOW(1000, "plot", 10, 40, 1200, 700, 6);
  nCases[0] = 1000;
  MakeSlider();
  EXPECT_FALSE(rt::controlExists(1010));
  nCases[0] = 1001;
  FileSHORTS[0][13] = 0;
  FileSHORTS[0][1] = 1;
  MakeSlider();
  EXPECT_TRUE(rt::controlExists(1010));
  EXPECT_EQ(FileSHORTS[0][13], 2);
  // A page of 5 out of 10 becomes page 10 when the page count grows to 20.
  nCases[0] = 10000;
  FileSHORTS[0][13] = 0;
  FileSHORTS[0][1] = 5;
  MakeSlider();
  EXPECT_EQ(FileSHORTS[0][13], 10);
  nCases[0] = 20000;
  MakeSlider();
  EXPECT_EQ(FileSHORTS[0][13], 20);
  EXPECT_EQ(FileSHORTS[0][1], 10);
  TheFileInUse = -1;
  nCases[0] = 0;
}
