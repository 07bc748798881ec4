#pragma once
// Small notices the program shows on its own.
#include <string_view>

namespace qv {

// A command this build does not have: a small window that says so, closed by its button,
// Return or its close box.
void NotAvailable(std::string_view command);

}  // namespace qv
