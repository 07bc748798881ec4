#pragma once
// Where results go: the route chosen in "Send Results To:" and the name of its file.
#include <cstdint>
#include <string>

namespace qv {

// 0 none, 4 text file, 5 spreadsheet file, 6 printer spool file.
extern int16_t PortForResultsOutput;
// Name of the open results file (at most 51 characters), shown in the plot's route note.
extern std::string ResultsFileName;

}  // namespace qv
