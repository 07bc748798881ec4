#pragma once
// Menu state that follows the file in use.
#include <string>

namespace qv {

// Name of the file in use as the reports print it.
extern std::string ThisFileName;

}  // namespace qv
