#include "thermoreg/species_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/numtext.h"
#include "treg_fixture.h"

using namespace qv;

namespace {

std::vector<uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

const char* kTable =
    "name,sun,Tb,C,LCT,BMR,torpor,minTb,diurnal\n"
    "A,yes,39,0.015,28,0.5,y,12,D\n"
    "C,yes,38,0,29,0.6,no,12,y\n"
    "B,no,37,0.02,30,0.8,no,12,n\n";

SpeciesRoles roles() {
  SpeciesRoles r{};
  for (int role = 1; role <= 8; ++role) r[size_t(role)] = int16_t(role + 1);
  return r;
}

std::vector<std::string> split(const std::string& line, char sep) {
  std::vector<std::string> out(1);
  for (char c : line) {
    if (c == sep) out.emplace_back();
    else out.back() += c;
  }
  return out;
}

}  // namespace

TEST(SpeciesTable, ReadsEveryLineEndAndQuotedCells) {
  const std::string lf = kTable;
  std::string cr = lf, crlf;
  for (char& c : cr)
    if (c == '\n') c = '\r';
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string& text : {lf, cr, crlf, "\xEF\xBB\xBF" + lf}) {
    const SpeciesTableRead t = readSpeciesTable(bytes(text));
    ASSERT_TRUE(t.table) << t.refusal;
    EXPECT_EQ(t.table->names.size(), 9u);
    EXPECT_EQ(t.table->names[0], "name");
    EXPECT_EQ(t.table->names[8], "diurnal");
    ASSERT_EQ(t.table->rows.size(), 3u);
    EXPECT_EQ(t.table->rows[2][0], "B");
  }
  const SpeciesTableRead quoted = readSpeciesTable(bytes("\"name, common\",Tb\n\"Mus, musculus\",37\n"));
  ASSERT_TRUE(quoted.table);
  EXPECT_EQ(quoted.table->names, (std::vector<std::string>{"name, common", "Tb"}));
  EXPECT_EQ(quoted.table->rows[0][0], "Mus, musculus");
  // Latin-1 cells become UTF-8.
  const SpeciesTableRead latin = readSpeciesTable(bytes("nom,T\xE9\nx,1\n"));
  ASSERT_TRUE(latin.table);
  EXPECT_EQ(latin.table->names[1], "T\u00E9");

  std::string wide;
  for (int k = 1; k <= 51; ++k) wide += (k > 1 ? "," : "") + std::string("v") + std::to_string(k);
  EXPECT_FALSE(readSpeciesTable(bytes(wide + "\n")).table);
  EXPECT_FALSE(readSpeciesTable(bytes("\n\n")).table);
  // No row or cell limit.
  std::string big = "name,Tb\n";
  for (int k = 0; k < 2000; ++k) big += std::string(300, 'x') + ",37\n";
  const SpeciesTableRead many = readSpeciesTable(bytes(big));
  ASSERT_TRUE(many.table);
  EXPECT_EQ(many.table->rows.size(), 2000u);
  EXPECT_EQ(many.table->rows[1999][0].size(), 300u);
}

TEST(SpeciesTable, RowsRunOverTheSharedClimateAndWriteTheTickedResults) {
  const SpeciesTable t = *readSpeciesTable(bytes(kTable)).table;
  const qvtest::Climate c = qvtest::hourlyClimate();
  const TregSettings base;
  const TregCases cases = tregPrepare({c.shade, c.sun, c.time, c.day, c.wind}, c.n, c.interval, base);
  std::vector<std::optional<std::array<std::string, 16>>> cells(t.rows.size());
  std::vector<float> costs(size_t(c.n) + 1);
  for (size_t row = 0; row < t.rows.size(); ++row) {
    const SpeciesRow r = speciesRow(t, row, roles(), false, false, false);
    if (!r.computed) continue;
    TregSettings s = base;
    s.useTorpor = r.useTorpor, s.dayActive = r.dayActive;
    if (r.minTorporTb) s.minTorporTb = *r.minTorporTb;
    cells[row] = speciesResultCells(tregCompute(cases, r.animal, s, costs), r.animal.bmr, s.useTorpor, false);
  }
  EXPECT_FALSE(cells[1]);  // C 0: not computed
  SpeciesTicks ticks{};
  ticks[0] = ticks[1] = ticks[10] = true;
  const std::string text = speciesResultsText(t, cells, ticks, 1.0f, ',');
  std::vector<std::string> lines;
  for (const std::string& l : split(text, '\n')) lines.push_back(l);
  ASSERT_EQ(lines.size(), 5u);  // four lines, each ended
  EXPECT_EQ(lines[0], "name,sun,Tb,C,LCT,BMR,torpor,minTb,diurnal,mean cost (w) ,X BMR,% at BMR");
  const auto a = split(lines[1], ','), cRow = split(lines[2], ','), b = split(lines[3], ',');
  ASSERT_EQ(a.size(), 12u);
  EXPECT_NEAR(rt::PSval(a[9]), 0.232548, 2e-6);
  EXPECT_NEAR(rt::PSval(a[10]), 1.3883, 1e-4);
  EXPECT_NEAR(rt::PSval(a[11]), 16.667, 1e-3);
  EXPECT_EQ(cRow, (std::vector<std::string>{"C", "yes", "38", "0", "29", "0.6", "no", "12", "y", "", "", ""}));
  EXPECT_NEAR(rt::PSval(b[9]), 0.445463, 2e-6);
  EXPECT_NEAR(rt::PSval(b[10]), 1.6622, 1e-4);
  EXPECT_EQ(b[11], "25");
}

TEST(SpeciesTable, YesWordsAndTheRowsNotComputed) {
  EXPECT_TRUE(speciesYes("yes"));
  EXPECT_TRUE(speciesYes("Y"));
  EXPECT_TRUE(speciesYes("1"));
  EXPECT_FALSE(speciesYes("Yes"));
  EXPECT_FALSE(speciesYes("D"));
  EXPECT_TRUE(speciesYes("d", true));
  EXPECT_FALSE(speciesYes("", true));
  const SpeciesTable t = *readSpeciesTable(bytes("n,Tb,C,LCT,BMR\na,39,0.015,28,0.5\nb,abc,0.015,28,0.5\n"
                                                 "c,39,,28,0.5\nd,39,0.015,28,0\n"))
                              .table;
  SpeciesRoles r{};
  r[kRoleTb] = 2, r[kRoleC] = 3, r[kRoleLCT] = 4, r[kRoleBMR] = 5;
  EXPECT_TRUE(speciesRolesComplete(r, 5));
  EXPECT_FALSE(speciesRolesComplete(r, 4));
  EXPECT_TRUE(speciesRow(t, 0, r, false, false, false).computed);
  EXPECT_NEAR(speciesRow(t, 0, r, false, false, false).animal.bmr, 0.1675, 1e-7);
  EXPECT_NEAR(speciesRow(t, 0, r, true, false, false).animal.bmr, 0.5, 1e-7);
  for (size_t row = 1; row <= 3; ++row) EXPECT_FALSE(speciesRow(t, row, r, false, false, false).computed) << row;
  // Wind needs the mass.
  EXPECT_FALSE(speciesRow(t, 0, r, false, true, false).computed);
}

TEST(SpeciesTable, MetadataEndsEveryLine) {
  SpeciesMetadata m;
  m.climateFile = "climate.kx";
  m.tableName = "species.csv";
  m.tbChange = 2, m.conductanceFactor = 1.4f, m.torporQ10 = 2.2f, m.torporEntry = 2;
  m.fromLocation = true, m.latitude = 51.5f, m.longitude = -0.5f;
  const std::string text = speciesMetadataText(m);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text.find("METADATA\nClimate data file = 'climate.kx'\n"), std::string::npos);
  EXPECT_NE(text.find("Tb is 2 degrees higher during the active phase\n"), std::string::npos);
  EXPECT_NE(text.find("       Torpor Q10 =  2.2\n"), std::string::npos);
  EXPECT_NE(text.find("location:    51.5 degrees N     0.5 degrees E    \n"), std::string::npos);
  m.fromLocation = false, m.dawn = 6, m.dusk = 18;
  EXPECT_NE(speciesMetadataText(m).find("Day length constant:  dawn is at   6     dusk is at  18\n"), std::string::npos);
}
