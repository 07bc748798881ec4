#pragma once
// The open results route: its file and the count of results written into it.
#include <cstdint>
#include <string>

#include "output/output_state.h"

namespace qv {

// Name of the open results file (at most 51 characters), shown in the plot's route note.
extern std::string ResultsFileName;
// Results written since the route was opened (shown on the plot window's data bar).
extern int16_t Nresults;

// The printer spool file: "printfile" in the user's data folder.
std::string spoolFilePath();

}  // namespace qv
