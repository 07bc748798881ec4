#pragma once
// The species table of the cost window: its windows, one run per row, the results file.
#include <cstdint>
#include <string>
#include <vector>

#include "thermoreg/treg_model.h"

namespace qv {

// Runs every row of a thermal-physiology table over the climate channels and writes the
// results file. `costs` gets the last row's costs, `last` its result. Returns the table's
// name ("" when no table was run).
std::string TregCostsFromSpreadsheet(int16_t shadeChannel, int16_t sunChannel, std::vector<float>& costs,
                                     TregResult& last);

}  // namespace qv
