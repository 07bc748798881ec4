// Script menu "Load Script...", "Save Script..." and "Clear Script": the script file through
// the open and save panels, and emptying the script in memory.
#include <variant>

#include "core/menus.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/files.h"
#include "runtime/panels.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "scripts/script_file.h"
#include "core/script_recorder.h"

namespace qv {


namespace {

constexpr int kScriptViewWindow = 200;

void refuseScriptFile(const std::string& name, const std::string& reason) {
  Warn(1166, "Script not loaded: ",
       {"\"" + name + "\" is not a script file.", reason, "The script in memory is kept as it was."});
}

}  // namespace

bool LoadScriptFromFile() {
  const auto path = rt::OSpanelOpen("Script File:", {});
  if (!path) {
    if (!RunScript && !prefsArray[48] && prefsArray[7]) PlaySound("bzot.mp3");
    return false;
  }
  const std::string name = rt::fileNameOf(*path);
  // The size decides first, so that no large file is read whole for nothing.
  const uint64_t size = rt::fileSize(*path);
  if (size != kScriptFileBytes && size != kScriptArrayBytes) {
    refuseScriptFile(name, "It holds " + std::to_string(size) + " bytes; a script file holds " +
                               std::to_string(kScriptFileBytes) + ".");
    return false;
  }
  const auto bytes = rt::readWholeFile(*path, kScriptFileBytes);
  if (!bytes) {
    refuseScriptFile(name, "It could not be read.");
    return false;
  }
  const auto decoded = decodeScript(*bytes);
  if (const auto* error = std::get_if<ScriptFileError>(&decoded)) {
    refuseScriptFile(name, error->reason);
    return false;
  }
  installScript(std::get<ScriptImage>(decoded));
  ScriptFileName = name;
  ScriptCOUNT = 0;
  FBMenu(kScriptMenu, 8, 1);
  FBMenu(kScriptMenu, 9, 1);
  ScriptIsLoaded = 1;
  playIfSoundsOn("setup.mp3");
  return true;
}

void SaveSCRIPTtoFile() {
  const auto path = rt::OSpanelSave("Save Script File As...", "Quorvelant script.QVscript");
  if (path) {
    std::string error;
    if (!rt::writeFileAtomic(*path, encodeScript(currentScript()), &error))
      Warn(1166, "Script not saved: ", {"The script could not be written to", *path, error});
  }
  wssst();
}

void ClearSCRIPT() {
  const bool viewOpen = rt::windowExists(kScriptViewWindow);
  const int saved = rt::outputWindow();
  if (viewOpen) rt::setOutputWindow(kScriptViewWindow);
  for (int k = 0; k <= kMostScriptSteps + 1; ++k) {
    if (viewOpen) rt::removeControl(140 + k);
    for (int w = 0; w <= 3; ++w) ScriptSequenceArray[k][w] = 0.0f;
  }
  if (saved && rt::windowExists(saved)) rt::setOutputWindow(saved);
  // Recording after a clear starts from step 1.
  ScriptCOUNT = 0;
}

}  // namespace qv
