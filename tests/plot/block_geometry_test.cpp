// Block selection computed on its own: drags, clicks and fixed-width clicks in each view,
// the highlight's pixels, the block window's scales and the texts of the readouts and title.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plot/block_geometry.h"
#include "plot/block_texts.h"
#include "runtime/numtext.h"
#include "stats/block_limits.h"

using namespace qv;
using namespace qv::plot;

namespace {

BlockView paged(int32_t n, int width, int page, int xstep = 1) {
  PlotView p;
  p.nCases = n;
  p.screenWidth = width;
  p.page = page;
  p.xstep = xstep;
  return blockViewOf(p);
}

BlockView wholeFile(int32_t n, int width) {
  PlotView p;
  p.nCases = n;
  p.screenWidth = width;
  p.wholeFile = true;
  return blockViewOf(p);
}

BlockView zoomed(int32_t n, int width, int32_t left, int32_t right) {
  PlotView p;
  p.nCases = n;
  p.screenWidth = width;
  p.zoomed = true;
  p.zoomLeft = left;
  p.zoomRight = right;
  return blockViewOf(p);
}

bool valid(const BlockPick& p, int32_t n) {
  if (p.state == 2) return p.begin >= 1 && p.end >= p.begin && p.end <= n;
  if (p.state == 1) return p.begin >= 1 && p.begin <= n;
  return false;
}

}  // namespace

TEST(BlockGeometry, DragsMapEachViewTheSameWayInBothDirections) {
  struct Case {
    const char* view;
    BlockView v;
    int x1, x2;
    int32_t begin, end;
  } cases[] = {
      {"page 2 at one pixel a case", paged(5000, 1000, 2), 100, 300, 1100, 1300},
      {"three pixels a case", paged(333, 1000, 1, 3), 30, 90, 10, 30},
      {"whole file", wholeFile(50000, 1000), 100, 200, 5000, 10000},
      {"zoomed", zoomed(50000, 1000, 1000, 3000), 100, 300, 1200, 1600},
      // Released beyond the plot's right end, or pressed left of it: clamped to the file.
      {"past the end of the last page", paged(4500, 1000, 5), 100, 1400, 4100, 4500},
      {"past the whole file's end", wholeFile(50000, 1000), 900, 1500, 45000, 50000},
      {"left of the plot", wholeFile(50000, 1000), -40, 10, 1, 500},
      {"zoom near the end", zoomed(5000, 1000, 3000, 5000), 900, 1300, 4800, 5000},
      // A drag over the pixels before the first case still names that case.
      {"the first pixels at three a case", paged(333, 1000, 1, 3), 0, 2, 1, 1},
      {"the first pixels of page 1", paged(5000, 1000, 1), 0, 1, 1, 1},
  };
  for (const Case& c : cases) {
    for (bool reverse : {false, true}) {
      const BlockPick p = reverse ? dragBlock(c.v, c.x2, c.x1) : dragBlock(c.v, c.x1, c.x2);
      EXPECT_EQ(p.begin, c.begin) << c.view << (reverse ? " right to left" : "");
      EXPECT_EQ(p.end, c.end) << c.view << (reverse ? " right to left" : "");
      EXPECT_EQ(p.state, 2) << c.view;
    }
  }
}

TEST(BlockGeometry, ClicksAndFixedWidthBlocksStayInsideTheFile) {
  // Two clicks: the first past the last case of a partial last page, the second to its left.
  const BlockView last = paged(4500, 1000, 5);
  BlockPick first = firstClick(last, 800);
  EXPECT_EQ(first.state, 3);
  EXPECT_EQ(first.begin, 4500);
  EXPECT_EQ(first.end, 0);
  BlockPick p = secondClick(last, first, 200);
  EXPECT_EQ(p.begin, 4200);
  EXPECT_EQ(p.end, 4500);
  EXPECT_EQ(p.state, 2);
  EXPECT_LT(p.left, p.right);
  // Both clicks past the end name the last case: an empty block.
  EXPECT_EQ(secondClick(last, first, 900).state, 1);

  // A click at x = 0 names case 1, never case 0.
  const BlockView page1 = paged(5000, 1000, 1);
  EXPECT_EQ(firstClick(page1, 0).begin, 1);
  p = secondClick(page1, firstClick(page1, 0), 50);
  EXPECT_EQ(p.begin, 1);
  EXPECT_EQ(p.end, 50);
  // The same case twice, also through two pixels of one case.
  EXPECT_EQ(secondClick(page1, firstClick(page1, 70), 70).state, 1);
  const BlockView wide = paged(333, 1000, 1, 3);
  EXPECT_EQ(secondClick(wide, firstClick(wide, 30), 31).state, 1);
  // Clicks in the zoomed and whole-file views.
  const BlockView z = zoomed(50000, 1000, 1000, 3000);
  p = secondClick(z, firstClick(z, 600), 100);
  EXPECT_EQ(p.begin, 1200);
  EXPECT_EQ(p.end, 2200);
  EXPECT_EQ(p.left, 100);
  EXPECT_EQ(p.right, 600);
  const BlockView w = wholeFile(50000, 1000);
  p = secondClick(w, firstClick(w, 999), 998);
  EXPECT_EQ(p.begin, 49900);
  EXPECT_EQ(p.end, 49950);

  // Fixed width: 50 cases either side of the case clicked, cut at the file's ends.
  p = fixedWidthBlock(page1, 10, 50, 0);
  EXPECT_EQ(p.begin, 1);
  EXPECT_EQ(p.end, 60);
  EXPECT_EQ(p.state, 2);
  p = fixedWidthBlock(paged(5000, 1000, 5), 990, 50, 0);
  EXPECT_EQ(p.begin, 4940);
  EXPECT_EQ(p.end, 5000);
  p = fixedWidthBlock(last, 900, 50, 0);  // wholly past the end
  EXPECT_EQ(p.state, 1);
  EXPECT_TRUE(valid(p, 4500));
  p = fixedWidthBlock(w, 0, 100, 2);
  EXPECT_EQ(p.begin, 1);
  EXPECT_EQ(p.end, 100);
  p = fixedWidthBlock(z, 500, 10, 2);
  EXPECT_EQ(p.begin, 1990);
  EXPECT_EQ(p.end, 2010);

  // Every click anywhere, in every view, gives a block inside the file or none.
  for (const BlockView& v : {page1, last, wide, z, w, paged(1, 1000, 1, 1000)}) {
    for (int a = -50; a <= 1300; a += 37)
      for (int b = -50; b <= 1300; b += 91) {
        EXPECT_TRUE(valid(secondClick(v, firstClick(v, a), b), v.nCases)) << a << " " << b;
        EXPECT_TRUE(valid(dragBlock(v, a, b), v.nCases)) << a << " " << b;
        EXPECT_TRUE(valid(fixedWidthBlock(v, a, b, 3), v.nCases)) << a << " " << b;
      }
  }
}

TEST(BlockGeometry, HighlightFollowsTheCasesOnTheShownPage) {
  const BlockView v = paged(5000, 1000, 2);
  Highlight h = highlightOf(v, 1100, 1300, 0, 0);
  EXPECT_EQ(h.left, 100);
  EXPECT_EQ(h.right, 300);
  EXPECT_EQ(*h.boxLeft, 100);
  EXPECT_EQ(*h.boxRight, 300);
  h = highlightOf(v, 500, 1300, 0, 0);  // begun on page 1
  EXPECT_EQ(*h.boxLeft, 1);
  EXPECT_EQ(*h.boxRight, 300);
  h = highlightOf(v, 1500, 2600, 0, 0);  // goes on to page 3
  EXPECT_EQ(*h.boxLeft, 500);
  EXPECT_EQ(*h.boxRight, 1000);
  EXPECT_FALSE(highlightOf(v, 2500, 2600, 0, 0).boxLeft);  // wholly on page 3
  // Several pixels a case: the kept pixels are the box.
  h = highlightOf(paged(333, 1000, 1, 3), 10, 30, 31, 92);
  EXPECT_EQ(*h.boxLeft, 31);
  EXPECT_EQ(*h.boxRight, 92);
  h = highlightOf(wholeFile(50000, 1000), 5000, 10000, 0, 0);
  EXPECT_EQ(*h.boxLeft, 101);
  EXPECT_EQ(*h.boxRight, 201);
  h = highlightOf(zoomed(50000, 1000, 1000, 3000), 1200, 1600, 0, 0);
  EXPECT_EQ(*h.boxLeft, 101);
  EXPECT_EQ(*h.boxRight, 301);

  EXPECT_EQ(edgeLineOf(v, 1100, 0), 100);
  EXPECT_FALSE(edgeLineOf(v, 2500, 0));
  EXPECT_EQ(edgeLineOf(wholeFile(50000, 1000), 5000, 101), 101);
}

TEST(BlockGeometry, BlockWindowScales) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> flat(11, 4.0f), ramp{0, 1, 2, 3, 4, 5}, gaps{0, nan, -2, 6, nan};
  BlockScale s = blockScale(flat.data(), 1, 10, 600, 181);
  EXPECT_EQ(s.minY, 4);
  EXPECT_EQ(s.maxY, 5);  // a flat block draws at the bottom, the top label one above
  EXPECT_DOUBLE_EQ(s.y0 - 4 * s.yScale, 182);
  EXPECT_DOUBLE_EQ(s.xScale, 600.0 / 9);
  s = blockScale(ramp.data(), 3, 3, 600, 181);  // one case
  EXPECT_DOUBLE_EQ(s.xScale, 600);
  EXPECT_EQ(s.maxY, s.minY + 1);
  s = blockScale(gaps.data(), 1, 4, 600, 181);
  EXPECT_EQ(s.minY, -2);
  EXPECT_EQ(s.maxY, 6);
  s = blockScale(gaps.data(), 1, 1, 600, 181);  // nothing finite
  EXPECT_EQ(s.minY, 0);
  EXPECT_EQ(s.maxY, 1);
  std::vector<float> huge{0, 3e38f, 3e38f};
  s = blockScale(huge.data(), 1, 2, 600, 181);
  EXPECT_TRUE(std::isfinite(s.yScale));
  EXPECT_GT(s.yScale, 0);

  // Limits: one case counts as one wide; the offset is the nearest case inside the block.
  EXPECT_FLOAT_EQ(limitPixelsPerCase(600, 100, 100), 600);
  EXPECT_EQ(limitOffsetAt(590, 600, 100, 100), 0);
  EXPECT_EQ(limitOffsetAt(599, 3, 100, 300), 200);
  EXPECT_EQ(limitOffsetAt(3, 2, 100, 300), 2);  // 1.5 goes to the even case
  EXPECT_EQ(limitOffsetAt(5, 2, 100, 300), 2);  // and so does 2.5
  EXPECT_EQ(limitOffsetAt(7, 2, 100, 300), 4);
}

TEST(BlockTexts, TitleAndReadouts) {
  EXPECT_EQ(blockWindowTitle(1, "O2 %", 100, 200, true), "Channel 1, O2 %; cases 101 to 201  (N =  101) ");
  EXPECT_EQ(blockWindowTitle(1, "O2 %", 100, 200, false), "Channel 1, O2 %; Cases 101 to 201 (N =  101) ");

  EXPECT_EQ(dragCaseText(44, 1), " # 45;   44 sec");
  EXPECT_EQ(dragCaseText(99, 1), " # 100;   1.65 min");
  EXPECT_EQ(dragCaseText(600, 1), " # 601;   10 min");
  EXPECT_EQ(dragCaseText(7200, 1), " # 7201;   2 hr");
  const std::string days = dragCaseText(200000, 1);
  EXPECT_EQ(days, " # 200001;   2.31481 days") << "the number whole, not clipped";
  EXPECT_EQ(dragCaseText(0, 0.001234567), " # 1;   0 sec");
  EXPECT_EQ(dragCaseText(3, 0.001234567).substr(0, 7), " # 4;  ");
  EXPECT_EQ(dragCaseText(3, 0.001234567), " # 4;   3.7E-03 sec");  // shortened to the field's room

  EXPECT_EQ(dragTimeOfDayText(3600, 1, 555), " 10:15:00");
  EXPECT_EQ(dragTimeOfDayText(0, 1, 23 * 60 + 59.5), " 23:59:30");
  EXPECT_EQ(dragTimeOfDayText(120, 1, 1439), " 0:01:00");  // past midnight
  EXPECT_EQ(dragTimeOfDayText(1, std::numeric_limits<double>::infinity(), 0), "**");

  EXPECT_EQ(blockWidthText(30), " 30 sec");
  EXPECT_EQ(blockWidthText(600), " 10 min");
  EXPECT_EQ(blockWidthText(3 * 3600), " 3 hr");
  EXPECT_EQ(blockWidthText(3 * 86400), " 3 days");
}
