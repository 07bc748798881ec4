#pragma once
// The comments window's services that other windows use.
#include <cstdint>
#include <string_view>

namespace qv {

// Builds window 515 with the comment of the file in use and runs it until it ends.
void BuildScrollingCONTAINERWindow();
// Lines of the comment of the file in use (carriage returns); 0 while the first document
// handed over by the desktop loads.
uint32_t HowManyLinesInComments();
// Prints the comment of the file in use under its heading.
void PrintAllTheComments();
// The name of the next print job.
void SetPrintJobName(std::string_view name);
// The comment strip under the plot, empty but for its heading.
void ClearCommentsWindow();

}  // namespace qv
