#pragma once
// What the block analyses' results windows (descriptive statistics, integration, interval
// scans) share: their file and channel checks, the keys they read, the wait for the next
// event (the slope fit's window waits alike) and the one menu pick they take themselves.
#include <cstdint>
#include <functional>
#include <span>

namespace qv {

// The window's results go to window 4 when it is open.
void toAnalysisResults();
// A button of window 4 set to state (1 off, 2 on), when the window has it.
void setAnalysisButton(int id, int state);
// A file slot of the open-file table.
bool analysisSlotInUse(int f);
// The samples of channel c of file f from case 0, or none when it has no such channel.
std::span<const float> analysisSamples(int f, int c);
// Case 0 of the scratch channel, cleared while an analysis window opens and closes.
void clearAnalysisScratchCase(int f);
// The analyses are offered only while file f has a block set on cases and channels.
bool analysisBlockSet(int f);
// The channel an analysis of file f starts on: the active one when the file has it, else 1.
int16_t analysisStartChannel(int f);

// A key in the window: Return ends it (false) unless a script runs it; "/" or "?" opens the
// help book; "P" or "p" calls report with the key; a channel's key calls choose with that
// channel of file f. Returns whether the window goes on.
bool analysisKey(int key, int f, const std::function<void(int)>& report, const std::function<void(int)>& choose);

// The report of the window printed ("P" or "p" as typed), then window 4 takes the output again.
void printAnalysisReport(int key);
// A click on a tool-bar button (135, 551..594) taken as that button's menu pick, which leaves
// the window: true when id is one.
bool toolbarButtonPicked(int id);

// Waits for a click, key or menu pick, the channel label strip following the pointer meanwhile.
void waitForAnalysisEvent();
// Whether the menu pick waiting is Analysis Utilities "Scale Results...", the one pick the
// window takes itself.
bool scaleResultsPicked();
// Takes that pick: the pick cleared and the scale dialog run.
void takeScaleResultsPick();

}  // namespace qv
