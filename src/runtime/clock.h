#pragma once
// Ticks (1/60 s). Tests replace the clock; under scripted input the clock jumps to any
// deadline the program waits for.
#include <cstdint>
#include <functional>
#include <string>

namespace qv::rt {

uint32_t TickCount();
void setClock(std::function<uint32_t()> clock);  // nullptr restores the real clock
// Waits until TickCount() reaches `deadline`, letting the screen catch up; under
// scripted input the clock jumps there at once.
void waitUntilTick(uint32_t deadline);
// Advances the scripted clock (used by the pumps so that polling loops move on).
void advanceScriptedClock(uint32_t ticks);

// The local date and time now in a strftime format ("%m/%d/%y" is today's date as the
// printouts and files show it); at most 63 characters.
std::string localClockText(const char* format);

}  // namespace qv::rt
