#include "core/sounds.h"

#include "core/prefs.h"
#include "runtime/sound.h"
#include "core/script_state.h"

namespace qv {

int16_t click = 1;

namespace {

// Named sounds keep quiet while a script runs and while the quiet preference is set.
bool silenced() { return RunScript != 0 || prefsArray[48] != 0; }
bool soundsOn() { return !silenced() && prefsArray[7] != 0; }
bool beepsOn() { return !silenced() && prefsArray[29] != 0; }

}  // namespace

void PlaySound(const std::string& file, const std::string& folder) { rt::playSound(file, folder); }

void EndBeep() {
  if (beepsOn()) rt::playSound("endbeep.mp3");
}
void lobeep() {
  if (beepsOn()) rt::playSound("lobeep.mp3");
}
void hibeep() {
  if (beepsOn()) rt::playSound("hibeep.mp3");
}
void bzot() {
  if (soundsOn()) rt::playSound("bzot.mp3");
}
void Tick() {
  if (soundsOn()) rt::playSound("tick.mp3");
}
void Rip() {
  if (soundsOn()) rt::playSound("Rip.mp3");
}
void skid() {
  if (silenced()) return;
  if (prefsArray[7] >= 26) rt::playSound("skid.mp3");
  else if (prefsArray[7] == 25) rt::playSound("piiing.mp3");
}
void bup() {
  if (!silenced() && prefsArray[7] >= 26) rt::playSound("bup.mp3");
}
void wssst() {
  if (soundsOn()) rt::playSound("wssst!.mp3");
}
void wsst() {
  if (soundsOn()) rt::playSound("wsst.mp3");
}
void upvip() {
  if (soundsOn()) rt::playSound("upvip.mp3");
}
void downvip() {
  if (soundsOn()) rt::playSound("downvip.mp3");
}
void scream() { rt::playSound("scream.mp3"); }
void Click() {
  if (click) rt::playSound("click.mp3");
}

void playIfSoundsOn(const std::string& file) {
  if (prefsArray[7] != 0) rt::playSound(file);
}

void playUnlessSilenced(const std::string& file) {
  if (soundsOn()) rt::playSound(file);
}

}  // namespace qv
