#pragma once
// The plot window's note of the results saved since the route was opened (field 18 of its
// data bar), shown only where the plot area is at least 1,100 pixels wide.
#include <string_view>

namespace qv {

// Field 18 of the plot window of the file in use holds `text` (nothing on a narrow plot);
// the front window and the output window stay as they were.
void showResultsCount(std::string_view text);

}  // namespace qv
