#include "core/prefs_file.h"

#include <string>
#include <vector>

#include "core/colors.h"
#include "core/prefs.h"
#include "core/prefs_labels.h"
#include "core/prefs_record.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/app.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/panels.h"

namespace qv {

namespace {

constexpr const char* kPrefsFileName = "QVprefs.QVpr";

std::string gInstalledOverride, gUserOverride;

void prefsWarning(const std::string& heading, const std::vector<std::string>& lines) {
  WarningSpec w;
  w.title = "Preferences";
  w.heading = heading;
  w.lines = lines;
  ShowWarning(w);
}

void readRecord(const std::string& path, bool atStartUp) {
  if (!rt::fileExists(path)) {
    rt::setFileError(0);
    return;
  }
  const std::string name = rt::fileNameOf(path);
  const uint64_t size = rt::fileSize(path);
  if (size != kPrefsRecordSize && size != kOldPrefsRecordSize) {
    prefsWarning("Not a preferences file: ", {"\"" + name + "\" has " + std::to_string(size) +
                                                  " bytes; a preferences file has 412 (410 if older).",
                                              "The settings in force are kept."});
    return;
  }
  auto bytes = rt::readWholeFile(path, kPrefsRecordSize);
  if (!bytes) {
    rt::setFileError(0);
    return;
  }
  PrefsReadResult r = ApplyPreferencesRecord(*bytes);
  if (r.foreign) {
    prefsWarning("Not a preferences file: ",
                 {"Most settings in \"" + name + "\" hold impossible values: it was not written as preferences.",
                  atStartUp ? "The default settings are used, colours included." : "The settings in force are kept."});
    return;
  }
  if (!r.fixed.empty()) {
    std::vector<std::string> lines{std::to_string(r.fixed.size()) + " setting(s) in \"" + name +
                                   "\" held impossible values and were given their defaults:"};
    for (std::string& l : ResetPreferencesLines(r.fixed)) lines.push_back(std::move(l));
    prefsWarning("Damaged preferences: ", lines);
  }
}

}  // namespace

std::string installedPreferencesPath() {
  return gInstalledOverride.empty() ? rt::resourceDir() + "/" + kPrefsFileName : gInstalledOverride;
}

std::string userPreferencesPath() {
  return gUserOverride.empty() ? rt::userConfigDir() + "/" + kPrefsFileName : gUserOverride;
}

void setPreferencesPaths(const std::string& installed, const std::string& user) {
  gInstalledOverride = installed;
  gUserOverride = user;
}

int16_t GetSettings(int16_t chooser) {
  std::string path;
  if (chooser == 0) {
    if (rt::fileExists(userPreferencesPath())) path = userPreferencesPath();
    else if (rt::fileExists(installedPreferencesPath())) path = installedPreferencesPath();
    else return 0;
  } else {
    auto picked = rt::OSpanelOpen("Preferences File:", {});
    if (!picked) return 0;
    path = *picked;
  }
  readRecord(path, chooser == 0);
  return 0;
}

void ReloadStoredColors() {
  std::string path;
  if (rt::fileExists(userPreferencesPath())) path = userPreferencesPath();
  else if (rt::fileExists(installedPreferencesPath())) path = installedPreferencesPath();
  StoredColors colors;
  if (!path.empty()) {
    auto bytes = rt::readWholeFile(path, kPrefsRecordSize);
    if (bytes && DecodeStoredColors(*bytes, colors)) {
      ApplyStoredColors(colors);
      return;
    }
    rt::setFileError(0);
  }
  DefaultColors();
  SetOverlayColors();
}

int16_t SaveSettings(int16_t chooser) {
  std::string path;
  if (chooser == 0) {
    path = userPreferencesPath();
    rt::makeFolders(rt::folderOf(path));
  } else {
    auto picked = rt::OSpanelSave("Save preferences file...", kPrefsFileName);
    if (!picked) return 0;
    path = *picked;
  }
  if (prefsArray[51] == 0) threshold = 1.0f;
  std::string error;
  if (!rt::writeFileAtomic(path, EncodePreferences(), &error)) {
    prefsWarning("Preferences not saved: ", {"\"" + path + "\" could not be written.", error});
    return 0;
  }
  wsst();
  return 0;
}

}  // namespace qv
