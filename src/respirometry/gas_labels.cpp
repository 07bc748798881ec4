#include "respirometry/gas_labels.h"

#include <array>

#include "core/channel_roles.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "respirometry/gas_settings.h"
#include "respirometry/heat_equivalence.h"
#include "runtime/numtext.h"

namespace qv {

std::string GasResultLabel;

namespace {

struct UnitRow {
  const char* gasEnd;
  const char* waterEnd;
};

// Label ends by unit 1-20; energy units read the same for every gas.
constexpr std::array<UnitRow, 21> kUnitText{{
    {"", ""},
    {"; ml/min", "; mg/min"},
    {"; ml/[g min]", "; mg/[g min]"},
    {"; ml/hr", "; mg/hr"},
    {"; L/hr", "; g/hr"},
    {"; \u00B5l/min", "; \u00B5g/min"},
    {"; \u00B5l/[g min]", "; \u00B5g/[g min]"},
    {"; \u00B5l/hr", "; \u00B5g/hr"},
    {"; ml/[g hr]", "; mg/[g hr]"},
    {"; ml/[kg hr]", "; mg/[kg min]"},
    {"; \u00B5l/[g hr]", "; \u00B5g/[g hr]"},
    {"; L/[kg hr]", "; g/[kg hr]"},
    {"; \u00B5watts", "; \u00B5watts"},
    {"; milliwatts", "; milliwatts"},
    {"; watts", "; watts"},
    {"; watts/kg", "; watts/kg"},
    {"; joules/day", "; joules/day"},
    {"; KJ/day", "; KJ/day"},
    {"; MJ/day", "; MJ/day"},
    {"; KJ/[kg day]", "; KJ/[kg day]"},
    {"; MJ/[kg day]", "; MJ/[kg day]"},
}};

float gasFactor(int unit, float m, float H) {
  switch (unit) {
    case 1: return 1.0f;
    case 2: return 1.0f / m;
    case 3: return 60.0f;
    case 4: return 0.06f;
    case 5: return 1000.0f;
    case 6: return 1000.0f / m;
    case 7: return 60000.0f;
    case 8: return 60.0f / m;
    case 9: return 60000.0f / m;
    case 10: return 60000.0f / m;
    case 11: return 60.0f / m;
    case 12: return H * 1000000.0f;
    case 13: return H * 1000.0f;
    case 14: return H;
    case 15: return H * 1000.0f / m;
    case 16: return H * 86400.0f;
    case 17: return H * 86.4f;
    case 18: return H * 0.0864f;
    case 19: return H * 86400.0f / m;
    default: return H * 86.4f / m;
  }
}

float waterFactor(int unit, float m, float L) {
  switch (unit) {
    case 1: return 0.8036f;
    case 2: return 0.8036f / m;
    case 3: return 48.216f;
    case 4: return 0.048216f;
    case 5: return 803.6f;
    case 6: return 803.6f / m;
    case 7: return 48216.0f;
    case 8: return (60.0f / m) * 0.8036f;
    case 9: return (60000.0f / m) * 0.01339334f;
    case 10: return (60000.0f / m) * 0.8036f;
    case 11: return (60.0f / m) * 0.8036f;
    case 12: return L * 13.39336f;
    case 13: return L * 0.8036f / 60.0f;
    case 14: return L * 0.8036f / 60000.0f;
    case 15: return L * 0.8036f / (m * 60.0f);
    case 16: return L * 1.1572f;
    case 17: return L * 0.0011572f;
    case 18: return L * 1.1572e-06f;
    case 19: return L * 1.1572f / m;
    default: return L * 0.0011572f / m;
  }
}

}  // namespace

bool unitIsPerMass(int unit) {
  switch (unit) {
    case 2: case 6: case 8: case 9: case 10: case 11: case 15: case 19: case 20: return true;
    default: return false;
  }
}

std::string gasLabelSuffix(std::string_view label) {
  const size_t end = label.find_last_not_of(' ');
  if (end == std::string_view::npos) return "";
  const std::string_view trimmed = label.substr(0, end + 1);
  int n = 0;
  if (const int last = int(rt::PSval(trimmed.substr(trimmed.size() - 1))); last > 0) n = last;
  if (trimmed.size() >= 2) {
    if (const int two = int(rt::PSval(trimmed.substr(trimmed.size() - 2))); two > 0) n = two;
  }
  return n != 0 ? " #" + rt::PSstrLong(n) : "";
}

GasUnit gasUnit(int unit, int gasType, float mass, float H, float latentHeat, std::string_view channelLabel) {
  GasUnit u;
  if (unit < 1 || unit > 20) {
    u.label = std::string(30, ' ');
    return u;
  }
  const bool water = gasType == 3;
  const std::string_view word = gasType == 1 ? "O2" : gasType == 2 ? "CO2" : "H2O";
  u.known = true;
  u.factor = water ? waterFactor(unit, mass, latentHeat) : gasFactor(unit, mass, H);
  const UnitRow& row = kUnitText[size_t(unit)];
  u.label = std::string(water ? "m" : "V") + std::string(word) + gasLabelSuffix(channelLabel) +
            (water ? row.waterEnd : row.gasEnd);
  return u;
}

void GASLABELS(std::string_view) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const float keptRHFactor = RHFactor;
  const GasUnit u =
      gasUnit(prefsArray[54], GasType, FileInfoFLOATS[f][6], flowcon, latent, RetrieveLabelOf(f, MainDataChannel));
  if (u.known) (GasType == 3 ? VH2OUnitFactor : flowcon) = u.factor;
  GasResultLabel = u.label.substr(0, 52);
  RHFactor = keptRHFactor;
}

}  // namespace qv
