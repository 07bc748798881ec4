// Core entry points that this build does not have yet.
#include "core/commands.h"
#include "core/prefs.h"
#include "core/stub_log.h"

namespace qv {

int16_t OverlayArray[21][168];
int16_t ChannelSelectControlFlag = 1;
int32_t LastChan = 1;

void UNDO() { notBuilt(callText("UNDO"), "Undo"); }

// The switches flip in place until the preferences work lands.
void TogglePrefs(int16_t index) {
  if (index >= 1 && index <= 90) prefsArray[index] = prefsArray[index] == 0 ? 1 : 0;
}
int16_t ToggleValue(uint16_t v) { return v == 0 ? 1 : 0; }

int16_t GetSettings(int16_t chooser) {
  notBuilt(callText("GetSettings", chooser), chooser ? "Import Preferences" : "");
  return 0;
}
void SETPREFERENCES() { notBuilt(callText("SETPREFERENCES"), "Preferences"); }
int16_t SETCOLORS() {
  notBuilt(callText("SETCOLORS"), "Plot Styles");
  return 0;
}
int16_t SELECTCHANNELS(std::string_view title, int16_t excluded, int16_t kind, int16_t blockOffer, int16_t mode) {
  notBuilt(callText("SELECTCHANNELS", title, excluded, kind, blockOffer, mode), "Channel Selection");
  return 0;
}
void MakeChannelSelectionsPopUp() { notBuilt(callText("MakeChannelSelectionsPopUp"), ""); }

}  // namespace qv
