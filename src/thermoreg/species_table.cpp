#include "thermoreg/species_table.h"

#include <algorithm>
#include <cmath>

#include "core/typed_number.h"
#include "datafiles/text_import.h"
#include "output/result_text.h"
#include "runtime/numtext.h"
#include "thermoreg/treg_texts.h"

namespace qv {

namespace {

bool blankLine(std::string_view line) {
  return line.find_first_not_of(" \t,") == std::string_view::npos;
}

std::vector<std::string> cellsOf(std::string_view line) {
  std::vector<std::string> cells = splitFields(line);
  for (std::string& c : cells) c = importText(c);
  return cells;
}

std::optional<float> cellNumber(const SpeciesTable& t, size_t row, int column) {
  if (column < 1 || size_t(column) > t.names.size()) return std::nullopt;
  const std::optional<double> v = typedNumber(t.rows[row][size_t(column - 1)]);
  if (!v) return std::nullopt;
  return float(*v);
}

std::string_view cell(const SpeciesTable& t, size_t row, int column) {
  if (column < 1 || size_t(column) > t.names.size()) return {};
  return t.rows[row][size_t(column - 1)];
}

// A result as a cell: six significant digits, no leading blank; blank when 0 or no number.
std::string resultCell(double x) {
  if (!std::isfinite(x) || x == 0) return "";
  std::string s = reportNumber(x, 6);
  if (!s.empty() && s[0] == ' ') s.erase(0, 1);
  return s;
}

std::string percentCell(double x) {
  const std::string s = resultCell(x);
  return s.empty() && std::isfinite(x) ? "0" : s;
}

std::string printed(double x) { return rt::PSstr(x); }

}  // namespace

SpeciesTableRead readSpeciesTable(std::span<const uint8_t> bytes) {
  SpeciesTableRead out;
  LineCursor lines(bytes);
  std::string_view line;
  bool header = false;
  SpeciesTable t;
  while (lines.next(line)) {
    if (!header) {
      if (blankLine(line)) continue;
      t.names = cellsOf(line);
      header = true;
      if (t.names.size() > size_t(kMaxSpeciesColumns)) {
        out.refusal = "The table has " + std::to_string(t.names.size()) + " columns; at most " +
                      std::to_string(kMaxSpeciesColumns) + " can be assigned.";
        return out;
      }
      continue;
    }
    if (blankLine(line)) continue;
    std::vector<std::string> cells = cellsOf(line);
    cells.resize(t.names.size());
    t.rows.push_back(std::move(cells));
  }
  if (!header) {
    out.refusal = "The file holds no header line of variable names.";
    return out;
  }
  out.table = std::move(t);
  return out;
}

bool speciesYes(std::string_view c, bool diurnal) {
  return c == "yes" || c == "YES" || c == "y" || c == "Y" || c == "1" || (diurnal && (c == "D" || c == "d"));
}

bool speciesRolesComplete(const SpeciesRoles& roles, int columns) {
  for (int r = kRoleTb; r <= kRoleBMR; ++r)
    if (roles[size_t(r)] < 1 || roles[size_t(r)] > columns) return false;
  return true;
}

SpeciesRow speciesRow(const SpeciesTable& t, size_t row, const SpeciesRoles& roles, bool bmrInWatts, bool windUsed,
                      bool shelterRole) {
  SpeciesRow r;
  auto role = [&](int k) { return int(roles[size_t(k)]); };
  r.animal.sunAccess = speciesYes(cell(t, row, role(kRoleSun)));
  r.useTorpor = speciesYes(cell(t, row, role(kRoleTorpor)));
  r.dayActive = speciesYes(cell(t, row, role(kRoleDiurnal)), true);
  if (r.useTorpor) r.minTorporTb = cellNumber(t, row, role(kRoleMinTb));
  if (shelterRole && role(kRoleShelter) >= 1) r.sheltered = speciesYes(cell(t, row, role(kRoleShelter)));
  const std::optional<float> tb = cellNumber(t, row, role(kRoleTb)), c = cellNumber(t, row, role(kRoleC));
  const std::optional<float> lct = cellNumber(t, row, role(kRoleLCT)), bmr = cellNumber(t, row, role(kRoleBMR));
  std::optional<float> mass = 0.0f;
  if (windUsed) mass = cellNumber(t, row, role(kRoleMass));
  r.computed = tb && c && *c > 0 && lct && bmr && *bmr > 0 && mass;
  if (!r.computed) return r;
  r.animal.tb = *tb, r.animal.c = *c, r.animal.lct = *lct, r.animal.mass = *mass;
  r.animal.bmr = bmrInWatts ? *bmr : *bmr * kWattsPerMlO2;
  return r;
}

std::array<std::string, kSpeciesResults> speciesResultCells(const TregResult& r, float bmr, bool useTorpor,
                                                            bool activeOnly) {
  std::array<std::string, kSpeciesResults> c;
  const double mean = tregShownMean(r, activeOnly);
  const bool any = r.cases > 0 && std::isfinite(mean);
  auto per = [&](double x) { return bmr > 0 && x > 0 ? x / bmr : NAN; };
  c[0] = any ? resultCell(mean) : "";
  if (any && bmr > 0) {
    const double x = std::max(mean, double(bmr)) / bmr;
    c[1] = resultCell(x < 1.0001 ? 1.0 : x);
  }
  c[2] = resultCell(r.highest);
  c[3] = resultCell(per(r.highest));
  c[4] = resultCell(r.best6h), c[5] = resultCell(per(r.best6h));
  c[6] = resultCell(r.best12h), c[7] = resultCell(per(r.best12h));
  c[8] = resultCell(r.bestDay), c[9] = resultCell(per(r.bestDay));
  c[10] = r.cases > 0 ? percentCell(100.0 * r.atBMR / r.cases) : "";
  if (r.aboveBMR > 0) {
    const double off = r.sumAbove / r.aboveBMR;
    c[11] = resultCell(off);
    const double x = per(off);
    c[12] = x >= 1 && x <= 30 ? resultCell(x) : "";
  }
  if (useTorpor && r.torporCases > 0) {
    const double torpor = r.sumTorpor / r.torporCases;
    c[13] = resultCell(torpor), c[14] = resultCell(per(torpor));
  }
  c[15] = r.cases > 0 ? percentCell(useTorpor ? 100.0 * r.torporCases / r.cases : 0.0) : "";
  return c;
}

std::array<std::string, kSpeciesResults> speciesResultNames(float interval) {
  const std::string iv = printed(interval);
  return {"mean cost (w) ",       "X BMR",
          "highest single cost (w) ", "highest single cost X BMR",
          "highest 6 hours (w) ", "highest 6 h X BMR",
          "highest 12 hours (w) ", "highest 12 h X BMR",
          "highest" + iv + " day (w) ", "highest" + iv + " day X BMR",
          "% at BMR",             "mean not BMR (w) ",
          "increase when not BMR", "torpor mean (w) ",
          "torpor mean X BMR",    "% in torpor"};
}

std::string speciesResultsText(const SpeciesTable& t,
                               const std::vector<std::optional<std::array<std::string, 16>>>& cells,
                               const SpeciesTicks& ticks, float interval, char sep) {
  const auto names = speciesResultNames(interval);
  std::string out;
  auto line = [&](const std::vector<std::string>& input, const std::array<std::string, 16>* results,
                  const std::array<std::string, 16>* header) {
    std::string l;
    for (const std::string& c : input) l += quoteCell(c, sep) + sep;
    bool first = true;
    for (int k = 0; k < kSpeciesResults; ++k) {
      if (k > 0 && !ticks[size_t(k)]) continue;
      if (!first) l += sep;
      first = false;
      if (header) l += quoteCell((*header)[size_t(k)], sep);
      else if (results) l += quoteCell((*results)[size_t(k)], sep);
    }
    out += l + '\n';
  };
  line(t.names, nullptr, &names);
  for (size_t row = 0; row < t.rows.size(); ++row) {
    const auto* r = row < cells.size() && cells[row] ? &*cells[row] : nullptr;
    line(t.rows[row], r, nullptr);
  }
  return out;
}

std::string speciesMetadataText(const SpeciesMetadata& m) {
  std::string o;
  auto line = [&](const std::string& s) { o += s + '\n'; };
  line("______________________");
  line("METADATA");
  line("Climate data file = '" + m.climateFile + "'");
  line("Thermal physiology source spreadsheet = '" + m.tableName + "'");
  line(m.sunAllowed ? "Sun basking is allowed (if available in microhabitat) " : "No access to sunlight permitted");
  line(m.variableTb ? "Tb is" + printed(m.tbChange) + " degrees higher during the active phase"
                    : "Tb is assumed to be constant");
  line(m.variableConductance ? "Conductance is" + printed(m.conductanceFactor) + " -X higher during the active phase"
                             : "Conductance is assumed to be constant");
  if (m.torporAllowed) {
    line("Torpor is allowed (if species can use it) ");
    line("       Torpor Q10 = " + printed(m.torporQ10));
    line("       Torpor starts" + printed(m.torporStartLag) + " hours after dusk and ends" + printed(m.torporEndLag) +
         " hours before dawn");
    line("       Torpor entry & arousal time is" + printed(m.torporEntry) + " hours");
  } else {
    line("Torpor is not permitted");
  }
  if (m.fromLocation) {
    line("Dawn and dusk computed from location:   " + printed(std::fabs(m.latitude)) +
         (m.latitude >= 0 ? " degrees N    " : " degrees S    ") + printed(std::fabs(m.longitude)) +
         (m.longitude >= 0 ? " degrees W    " : " degrees E    "));
  } else {
    line("Day length constant:  dawn is at  " + printed(m.dawn) + "     dusk is at " + printed(m.dusk));
  }
  return o;
}

}  // namespace qv
