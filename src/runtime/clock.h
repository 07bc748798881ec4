#pragma once
// Ticks (1/60 s). Tests replace the clock; under scripted input the clock jumps to any
// deadline the program waits for.
#include <cstdint>
#include <functional>

namespace qv::rt {

uint32_t TickCount();
void setClock(std::function<uint32_t()> clock);  // nullptr restores the real clock
// Waits until TickCount() reaches `deadline`, letting the screen catch up; under
// scripted input the clock jumps there at once.
void waitUntilTick(uint32_t deadline);
// Advances the scripted clock (used by the pumps so that polling loops move on).
void advanceScriptedClock(uint32_t ticks);

}  // namespace qv::rt
