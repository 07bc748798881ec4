// Calculators that this build does not have yet.
#include "calculators/commands.h"
#include "calculators/sun_cycle.h"
#include "core/stub_log.h"

namespace qv {

void Sunrise() { notBuilt(callText("Sunrise"), "Sunrise, Sunset"); }

std::array<SunCycleDay, 367> SunCycleArray{};
void annualSunTable(float, float) {}

}  // namespace qv
