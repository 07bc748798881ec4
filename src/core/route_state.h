#pragma once
// Where results go: the route chosen in "Send Results To:" and the name of its file.
#include <cstdint>
#include <string>

#include "core/output_state.h"

namespace qv {

// Name of the open results file (at most 51 characters), shown in the plot's route note.
extern std::string ResultsFileName;
// The printer spool file: "printfile" in the user's data folder.
std::string spoolFilePath();

}  // namespace qv
