#pragma once
// The thermal-physiology table of the multi-species costs: reading it (a delimited file, one
// species or individual a row), the animal of each row by the roles of its columns, one run
// per row over the shared climate cases, the result cells, and the results file with its
// METADATA block.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "thermoreg/treg_model.h"

namespace qv {

constexpr int kMaxSpeciesColumns = 50;
constexpr int kSpeciesResults = 16;

struct SpeciesTable {
  std::vector<std::string> names;              // the header's names, one a column
  std::vector<std::vector<std::string>> rows;  // data rows, each as many cells as names
};

struct SpeciesTableRead {
  std::optional<SpeciesTable> table;
  std::string refusal;
};

// Lines end at CR, LF or CR LF; a byte-order mark is skipped; UTF-8 else Latin-1; quoted
// cells hold commas. Refused: no header, or more than 50 columns. Blank lines are skipped.
SpeciesTableRead readSpeciesTable(std::span<const uint8_t> bytes);

// Roles of the columns, by index 1..10 (0 unused); each is a column 1..n or 0 for none.
enum SpeciesRole : int {
  kRoleSun = 1, kRoleTb, kRoleC, kRoleLCT, kRoleBMR, kRoleTorpor, kRoleMinTb, kRoleDiurnal, kRoleMass, kRoleShelter
};
using SpeciesRoles = std::array<int16_t, 11>;

// "yes", "YES", "y", "Y", "1"; with `diurnal` also "D" and "d".
bool speciesYes(std::string_view cell, bool diurnal = false);

// Roles 2 to 5 (Tb, C, LCT, BMR) chosen within the table.
bool speciesRolesComplete(const SpeciesRoles& roles, int columns);

struct SpeciesRow {
  bool computed = false;       // C above 0, Tb, LCT numbers, BMR a number above 0
  TregAnimal animal;           // BMR in watts
  bool useTorpor = false, dayActive = false;
  std::optional<float> minTorporTb;  // the row's, when it uses torpor and gives a number
  std::optional<bool> sheltered;     // with the shelter role in use
};

// The animal of data row `row` (0-based). `bmrInWatts`: the BMR column is in watts, else in
// ml O2/min. Mass is read when wind is used, shelter when `shelterRole` is on.
SpeciesRow speciesRow(const SpeciesTable& t, size_t row, const SpeciesRoles& roles, bool bmrInWatts, bool windUsed,
                      bool shelterRole);

// The 16 result cells of a computed row (index 0 = column n+1, the mean cost); blank where
// a result is 0 or no number, the two percentages "0" when they are 0.
std::array<std::string, kSpeciesResults> speciesResultCells(const TregResult& r, float bmrWatts, bool useTorpor,
                                                            bool activeOnly);

// The header names of the 16 results; `interval` is the longest running mean in days.
std::array<std::string, kSpeciesResults> speciesResultNames(float interval);

// Ticks: the results written (index 0, the mean, always is).
using SpeciesTicks = std::array<bool, kSpeciesResults>;

// The results file: header, then one line per data row (a row not computed has blank result
// cells); every line ends with a line feed.
std::string speciesResultsText(const SpeciesTable& t, const std::vector<std::optional<std::array<std::string, 16>>>& cells,
                               const SpeciesTicks& ticks, float interval, char separator);

// What the METADATA block records.
struct SpeciesMetadata {
  std::string climateFile, tableName;
  bool sunAllowed = true, variableTb = true, variableConductance = true, torporAllowed = true, fromLocation = false;
  float tbChange = 0, conductanceFactor = 0, torporQ10 = 0, torporStartLag = 0, torporEndLag = 0, torporEntry = 0;
  float latitude = 0, longitude = 0;  // north and west positive
  float dawn = 0, dusk = 0;
};
std::string speciesMetadataText(const SpeciesMetadata& m);

}  // namespace qv
