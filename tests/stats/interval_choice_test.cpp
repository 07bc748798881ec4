#include <gtest/gtest.h>

#include <algorithm>

#include "stats/interval_choice.h"

namespace qv {
namespace {

std::vector<int> ids(const std::vector<IntervalButton>& buttons) {
  std::vector<int> out;
  for (const IntervalButton& b : buttons) out.push_back(b.id);
  return out;
}

TEST(IntervalChoice, PresetsFollowTheIntervalClassAndTheStretchOnOffer) {
  struct Row { double interval; int32_t cases; std::vector<int> shown; bool tenth; } rows[] = {
      {1, 100, {42, 43, 44, 45}, false},
      {10, 4, {41}, false},
      {0.2, 60, {41, 42, 43, 44}, true},
      {0.25, 100, {41, 42, 43, 44, 45}, false},
      {3, 1000, {42, 43, 44, 45, 46, 47, 48, 49}, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ids(intervalPresets(row.interval, row.cases)), row.shown) << row.interval;
    const std::vector<int> adjusters = ids(intervalAdjusters(row.interval));
    EXPECT_EQ(std::count(adjusters.begin(), adjusters.end(), 63), row.tenth ? 1 : 0);
  }
  EXPECT_EQ(intervalChoiceText(41, 10, "7"), "30");
  EXPECT_EQ(intervalChoiceText(53, 1, "7"), std::nullopt);  // no 53 in this class
}

TEST(IntervalChoice, AdjustersReworkTheTypedNumber) {
  struct Row { int id; const char* field; const char* result; } rows[] = {
      {59, "5", "2.5"}, {60, "2.5", "5"}, {61, "1", "0.1"}, {63, "0.2", "0.3"},
      {62, "3", "30"},  {64, "3", "4"},   {65, "3", "13"},
  };
  for (const Row& row : rows) EXPECT_EQ(intervalChoiceText(row.id, 0.1, row.field), row.result);
  EXPECT_EQ(intervalChoiceText(59, 1, "abc"), std::nullopt);
  EXPECT_EQ(intervalChoiceText(70, 1, "5"), std::nullopt);
}

}  // namespace
}  // namespace qv
