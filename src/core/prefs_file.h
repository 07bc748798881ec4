#pragma once
// Reading and writing the preferences file. The installed default record lies beside the
// program's resources ("QVprefs.QVpr"); the user's copy lives in the user's configuration
// folder and, when present, is the one read. Writing always goes to the user's copy (made
// then) or, when asked, to a file the user names.
#include <cstdint>
#include <string>

namespace qv {

// chooser 0: the user's copy, else the installed default (neither: the defaults stay).
// Otherwise an open panel ("Preferences File:") picks any file. A file that is not a
// preferences record changes nothing and says so; fields out of range take their defaults
// and are named in a warning. Always 0.
int16_t GetSettings(int16_t chooser);

// chooser 0: the user's copy; otherwise a save panel ("Save preferences file...", default
// name "QVprefs.QVpr"). With prefsArray[51] off the in-memory threshold becomes 1. The sound
// "wsst" follows a written file; a failed write says so. Always 0.
int16_t SaveSettings(int16_t chooser);

// Puts the colours of the record GetSettings(0) reads back in force (user, histogram and
// overlay colours 1 to 24); with no such record, the light scheme and the overlay defaults.
void ReloadStoredColors();

// Where the records are (tests point them elsewhere; "" restores the standard places).
std::string installedPreferencesPath();
std::string userPreferencesPath();
void setPreferencesPaths(const std::string& installed, const std::string& user);

}  // namespace qv
