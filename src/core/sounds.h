#pragma once
// The named sounds and the conditions under which they play.
#include <cstdint>

namespace qv {

// Cleared while the block window has the focus; the click of buttons plays only when set.
extern int16_t click;

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

}  // namespace qv
