// Simple Math's operations on X and Y, apart from the window.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calculators/simple_math.h"

using namespace qv;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

}  // namespace

TEST(SimpleMath, ButtonsAndKeysOnXAndY) {
  const struct {
    int16_t id;
    float x, y;
    bool setsX;
    double expected;
  } cases[] = {
      {1, 12, 3, true, 15},           {2, 12, 3, true, 9},          {3, 12, 3, true, 36},
      {4, 12, 3, true, 4},            {12, -8, 3, true, -512},      {12, 12, 3, true, 1728},
      {9, 1000, 0, true, 3.0},        {7, 1, 0, true, 0},           {11, 16, 0, true, 4},
      {13, 5, 0, true, 0.5},          {20, 101.325f, 0, true, 1},   {23, 0, 0, true, 273.1},
      {24, 1, 7, true, 7},            {25, 7, 1, false, 7},         {33, 2, 5, false, 62.83185},
      {35, 2, 0, false, 33.5103},     {51, 30, 0, false, 0.5},      {52, 60, 0, false, 0.5},
      {31, 1, 0, false, 6.2831852},
  };
  for (const auto& c : cases) {
    const MathOutcome o = simpleMathButton(c.id, c.x, c.y);
    EXPECT_FALSE(o.error) << "button " << c.id;
    EXPECT_EQ(o.setsX, c.setsX) << "button " << c.id;
    EXPECT_NEAR(c.setsX ? o.x : o.y, c.expected, std::fabs(c.expected) * 1e-6 + 1e-7) << "button " << c.id;
  }
  const struct {
    int16_t op;
    double expected;
  } keys[] = {{1, 15}, {2, 9}, {3, 36}, {4, 4}, {5, 1728}};
  for (const auto& k : keys) EXPECT_DOUBLE_EQ(HandleMathOperation(k.op, 12, 3).x, k.expected) << "key " << k.op;
}

TEST(SimpleMath, EveryResultThatIsNotAFiniteNumberIsAMathError) {
  const struct {
    int16_t id;
    float x, y;
  } cases[] = {
      {4, 12, 0},    {5, 0, 0},      {7, -1, 0},    {7, 0, 0},   {9, 0, 0},     {9, -2, 0},
      {11, -4, 0},   {8, 100, 0},    {10, 39, 0},   {12, -8, 0.5f}, {12, 0, -1}, {22, 1e20f, 0},
      {32, 1e20f, 0}, {1, kNaN, 1},  {24, 1, kNaN}, {25, kNaN, 0},
  };
  for (const auto& c : cases) {
    const MathOutcome o = simpleMathButton(c.id, c.x, c.y);
    EXPECT_TRUE(o.error) << "button " << c.id << " on " << c.x << ", " << c.y;
  }
  EXPECT_TRUE(HandleMathOperation(4, 12, 0).error);
  EXPECT_TRUE(HandleMathOperation(5, -8, 0.5f).error);
  EXPECT_TRUE(HandleMathOperation(5, 0, -2).error);
  EXPECT_FALSE(simpleMathButton(6, kNaN, kNaN).error) << "pi needs no operand";
  EXPECT_TRUE(simpleMathButton(6, 0, 0).yIsPi);
}
