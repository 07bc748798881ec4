#pragma once
// The names people know the stored preferences by: the preferences window's own labels, or
// the menu item, tool or window option that sets them.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The name shown for a field of the preferences record (its name in the record layout);
// a field without one keeps its layout name.
std::string_view PreferenceLabel(std::string_view fieldName);

// The settings a damaged record reset, one a line: at most `shown` of them, then a line that
// counts the others.
std::vector<std::string> ResetPreferencesLines(const std::vector<std::string>& fieldNames, size_t shown = 6);

}  // namespace qv
