// The refusal of a file: its heading clear of the caution icon, its lines inside the window.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "core/filetable.h"
#include "core/kit.h"
#include "datafiles/load_windows.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

TEST(RefusalWindow, TheHeadingClearsTheIconAndEveryLineFits) {
  qvtest::resetRuntime();
  const RefusalText text{"Not enough memory to load this file.", "Please select a smaller file."};
  BuildWINDOW(20, "measure", 10, 40, 400, 200, 6);
  const RefusalPlaces p = refusalPlaces(text);
  SetTextStyle(1, 36, rt::kBold | rt::kItalic);
  EXPECT_GE(p.cautionX, 92 + rt::stringWidth(kRefusalHeading) + 3) << "the heading runs into the icon";
  SetTextStyle(KestrixFont, 18, rt::kItalic);
  EXPECT_LE(text.firstX + rt::stringWidth(text.first), p.width - kRefusalMargin);
  EXPECT_LE(p.cautionX + 29, p.width - kRefusalMargin);

  const char* dir = std::getenv("QV_SHOTS");
  const std::string shot = (dir && *dir ? std::string(dir) : qvtest::tempDir("refusal")) + "/refusal.png";
  qvtest::script({("shot 1166 " + shot).c_str(), "dialog 3 1166"});
  RefuseFile(text);
  QImage img(QString::fromStdString(shot));
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.width(), p.width);
}
