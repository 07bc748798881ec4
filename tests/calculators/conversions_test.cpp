// The unit conversions as a function: (category, item, X, T) -> result, units and note.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calculators/conversions.h"
#include "core/unit_constants.h"
#include "respirometry/water_vapour.h"

using namespace qv;

namespace {

constexpr int E = kEnergyConversions, S = kSpeedConversions, M = kMassConversions, P = kPressureConversions;

}  // namespace

TEST(Conversions, ResultsAtTheDefinedFactors) {
  const struct {
    int category, item;
    float x, t;
    double expected;
  } cases[] = {
      {E, 1, 1, 20, 0.23889},        {E, 6, 1, 20, 0.000293071},  {E, 7, 1, 20, 1.05505585},
      {E, 8, 1, 20, 0.7457},         {E, 9, 1, 20, 1.34102},      {E, 10, 212, 20, 100},
      {E, 11, 100, 20, 212},         {E, 13, 1, 20, 2.414},       {S, 2, 36, 20, 10},
      {S, 11, 1, 20, 1.609344},      {S, 18, 1.609344f, 20, 1},   {S, 19, 100, 20, 40.468564},
      {S, 21, 1, 20, 258.998811},    {S, 22, 1, 20, 2.5899881},   {S, 23, 1, 20, 0.83612736},
      {S, 24, 1, 20, 0.09290304},    {S, 25, 1, 20, 6.4516},      {M, 1, 1, 20, 0.45359237},
      {M, 3, 1, 20, 28.3495231},     {M, 5, 1, 20, 907.18474},    {M, 6, 1, 20, 1016.0469},
      {M, 8, 1, 20, 0.0283168466},   {M, 10, 1, 20, 28.3168466},  {M, 13, 1, 20, 0.94635295},
      {M, 16, 1, 20, 22.414},        {M, 17, 22.414f, 20, 1},     {M, 19, 90, 20, 956.2},
      {M, 20, 0, 20, 956.2},         {M, 20, 5500, 20, 1161.1},   {P, 2, 1, 20, 51.7149},
      {P, 4, 100, 20, 7.35559},      {P, 16, 20, 20, 17.5363},    {P, 17, 20, 20, 17.281},
      {P, 18, 1, 20, 7.93281},       {P, 20, 1, 20, 1.05762},     {P, 22, 1, 20, 42.772},
      {P, 23, 50, 20, 1.1690},       {P, 23, 150, 20, 2.3380},
  };
  for (const auto& c : cases) {
    const Conversion r = ConversionsCALCULATIONS(c.category, c.item, c.x, c.t);
    EXPECT_EQ(r.shown, ConversionShown::Number) << c.category << "/" << c.item;
    EXPECT_NEAR(r.result, c.expected, std::fabs(c.expected) * 2e-5) << c.category << "/" << c.item;
  }
}

TEST(Conversions, PairsUndoEachOther) {
  const struct {
    int category, there, back;
  } pairs[] = {{E, 1, 2}, {E, 8, 9}, {S, 1, 2}, {S, 7, 8}, {S, 9, 10}, {S, 13, 14}, {S, 15, 16}, {S, 17, 18},
               {M, 1, 2},  {M, 3, 4}, {M, 8, 9}, {M, 16, 17}, {P, 10, 11}, {P, 12, 13}, {P, 14, 15}};
  for (const auto& p : pairs) {
    const float there = float(ConversionsCALCULATIONS(p.category, p.there, 3.0f, 20).result);
    EXPECT_NEAR(ConversionsCALCULATIONS(p.category, p.back, there, 20).result, 3.0, 3e-6)
        << p.category << ": " << p.there << " then " << p.back;
  }
}

TEST(Conversions, GuardedResultsShowAWord) {
  const struct {
    int category, item;
    float x;
    ConversionShown shown;
    const char* text;
  } cases[] = {
      {M, 19, 0, ConversionShown::Nil, "nil"},
      {M, 19, -5, ConversionShown::Nil, "nil"},
      {P, 22, 3, ConversionShown::Over100, " > 100% !!"},
      {M, 19, 200, ConversionShown::NotFinite, "**"},
      {E, 14, 1, ConversionShown::NotFinite, "**"},
      {9, 1, 1, ConversionShown::NotFinite, "**"},
  };
  for (const auto& c : cases) {
    const Conversion r = ConversionsCALCULATIONS(c.category, c.item, c.x, 20);
    EXPECT_EQ(r.shown, c.shown) << c.category << "/" << c.item << " of " << c.x;
    EXPECT_EQ(conversionResultText(r), c.text);
  }
}

TEST(Conversions, UnitsNotesAndTheTemperatureField) {
  const Conversion joules = ConversionsCALCULATIONS(E, 1, 1, 20);
  EXPECT_EQ(joules.from, "joules");
  EXPECT_EQ(joules.to, "calories");
  EXPECT_EQ(joules.note, " ");
  const Conversion evaporation = ConversionsCALCULATIONS(E, 13, 1, 20);
  EXPECT_EQ(evaporation.to, "joules (@ 37 °C) ");
  EXPECT_NE(evaporation.note.find("~2.50 j/mg at 0 °C vs. ~2.41 j/mg at 37 °C"), std::string::npos);
  EXPECT_EQ(ConversionsCALCULATIONS(M, 6, 1, 20).from, "U.K. long ton");
  EXPECT_EQ(ConversionsCALCULATIONS(S, 22, 1, 20).to, "square kilometers");
  EXPECT_EQ(ConversionsCALCULATIONS(S, 24, 1, 20).to, "square meters");
  EXPECT_NE(ConversionsCALCULATIONS(P, 4, 1, 20).note.find("10.33 meter"), std::string::npos);
  for (int item = 1; item <= 23; ++item)
    EXPECT_EQ(ConversionsCALCULATIONS(P, item, 1, 20).asksTemperature, item >= 22) << item;
  // The temperature of the %RH conversions is the one passed in.
  EXPECT_NEAR(ConversionsCALCULATIONS(P, 23, 100, 30).result,
              GetSaturationWaterVaporContent(30) * units::kTorrPa / 1000, 1e-5);
}

// A note of two points starts each on a line of its own (the note field wraps, and a second
// point run on after the first would break at the left margin mid-sentence).
TEST(Conversions, EveryPointOfANoteStartsALine) {
  for (int category = kEnergyConversions; category <= kPressureConversions; ++category) {
    for (int item = 1; item <= conversionItemCount(category); ++item) {
      const std::string note = ConversionsCALCULATIONS(category, item, 1.0f, 20).note;
      for (size_t at = note.find("\u2022", 1); at != std::string::npos; at = note.find("\u2022", at + 1))
        EXPECT_EQ(note[at - 1], '\n') << category << " item " << item << ": " << note;
    }
  }
}
