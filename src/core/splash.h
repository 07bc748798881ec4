#pragma once
// The splash screen with its photograph and the fly animation, which also runs in the About
// window. The flies live inside their stage window: they are drawn over its picture, which is
// painted again under them at every step.
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/geometry.h"

namespace qv {

constexpr int16_t kSplashWindow = 5, kSplashBackWindow = 7, kFlyWindow = 2000;

// 1 while the first file may still arrive from the desktop; 1 once the opening sound played.
extern int16_t FirstDoubleclickLoad, FinishedWithSound;
// Number of flies (5 to 10) and per fly [1] x, [2] y, [3] x step, [4] y step.
extern int16_t Nflies;
extern int16_t FlyPositionArray[11][5];

// Shows the splash window with a photograph and the word-mark.
void SplashScreenJPEG();
void CloseSplashScreen();
// The stage of the flies: mode 0 the splash window, mode 1 a smaller window (the About window),
// with the painter of what lies under the flies.
void SetFlyStage(uint16_t mode, int16_t window, std::function<void()> backdrop);
void StartTheFlies(uint16_t mode);
// One animation step.
void MoveTheFlies(uint16_t mode);
void StopTheFlies();
// Draws a picture under the flies, loaded once for the whole animation.
void DrawStagePicture(const std::string& folder, const std::string& name, rt::Rect r);
// The mouse handler during start-up: action = 1 on a click.
void MOUSECLICK();

}  // namespace qv
