#pragma once
// The named sounds and the conditions under which they play.
#include <cstdint>
#include <string>

namespace qv {

// Plays a sound file of a resource folder ("DIduzodu" unless named) and returns at once; a
// missing file plays nothing. No condition applies: the named sounds below add theirs.
void PlaySound(const std::string& file, const std::string& folder = "DIduzodu");

// Cleared while the block window has the focus; the click of buttons plays only when set.
extern int16_t click;

// Silent while a script runs or the quiet preference (prefsArray[48]) is set, except scream.
// EndBeep, lobeep, hibeep follow the beeps switch prefsArray[29]; the others the sound level
// prefsArray[7] (skid plays "piiing" at level 25 and its own file from 26; bup only from 26).
void EndBeep();
void lobeep();
void hibeep();
void bzot();
void Tick();
void Rip();
void skid();
void bup();
void wssst();
void wsst();
void upvip();
void downvip();
void scream();
// The click of a button ("click.mp3"), when the click flag is set.
void Click();
// A sound file the program plays directly ("bub3.mp3", "brrrp.mp3", ...): by the sound level
// alone, so it is heard during script replay too.
void playIfSoundsOn(const std::string& file);
// A sound file under the rule of the named sounds: also silent while a script runs or the
// quiet preference is set.
void playUnlessSilenced(const std::string& file);

}  // namespace qv
