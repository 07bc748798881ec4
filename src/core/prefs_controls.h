#pragma once
// What each control of the preferences window does to the settings, and which state it shows,
// apart from the window: a click changes the setting at once and names what the window must
// do next (a sound, a warning, a redrawn sample).
#include <cstdint>
#include <string>

namespace qv {

enum class PrefsFollowUp {
  None,
  NormalSounds,    // 162: the two named sounds of the normal level
  StrangeSounds,   // 163 turned the strange level on: "skid.mp3", then the scream
  BlockBeep,       // 164 turned the block-selection sounds on
  MarkersChanged,  // 27, 28: the markers default was clicked
  FrontAgain,      // 26: the window comes to the front again
  QuartzWarning,   // 300
  SpreadsheetWarning,  // 402
  RedrawSample,    // 102-104, 111, 24: the window-label sample
  TextFont,        // 105-107: the label of 105 may change with the font found
  NotAPageControl,
};

// Applies a click on page control `id`; the settings change as the control's row says.
PrefsFollowUp ApplyPreferenceControl(int id);

// The state a page control shows: 2 marked, 1 not marked, 0 left as it is (the sound
// controls at a level other than 0, 25 and 50), -1 for a number that is no page control.
int PreferenceControlMark(int id);

// The text-font rule of 105 to 107: sets StandardFont and KestrixFont from the first font
// found; returns the name of the font 105 stands for ("Lucida Grande", or "Geneva" when
// it is missing).
std::string ChooseTextFont(int id);
// The label of 106: Bookman Old Style when it exists, else American Typewriter.
bool BookmanAvailable();

}  // namespace qv
