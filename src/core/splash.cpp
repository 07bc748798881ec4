#include "core/splash.h"

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "core/random.h"
#include "core/event_state.h"
#include "core/images.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

int16_t FirstDoubleclickLoad = 0, FinishedWithSound = 0;
int16_t Nflies = 0;
int16_t FlyPositionArray[11][5];

namespace {

struct Stage {
  int16_t window = 0;
  std::function<void()> backdrop;
};

Stage gStages[2];
bool gFliesOn = false;
int gEye = 0;  // the eye picture shown on the splash (0 none)
std::string gPhoto;
// Pictures drawn at every step, loaded once.
std::map<std::string, rt::Image> gPictures;

rt::Image picture(const std::string& folder, const std::string& name) {
  auto it = gPictures.find(folder + "/" + name);
  if (it != gPictures.end()) return it->second;
  rt::Image img = CreateCGImageFromBundleResource(folder, name);
  gPictures[folder + "/" + name] = img;
  return img;
}

void drawCached(const std::string& folder, const std::string& name, rt::Rect r) {
  if (rt::Image img = picture(folder, name)) rt::drawImage(img, r);
}

void releasePictures() {
  for (auto& [name, img] : gPictures) rt::releaseImage(img);
  gPictures.clear();
}

const Stage& stageOf(uint16_t mode) { return gStages[mode == 0 ? 0 : 1]; }

}  // namespace

void DrawStagePicture(const std::string& folder, const std::string& name, rt::Rect r) { drawCached(folder, name, r); }

namespace {

// The picture under the flies, the eye, then the flies at their places.
void paintStage(uint16_t mode) {
  const Stage& st = stageOf(mode);
  if (!rt::windowExists(st.window)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(st.window);
  if (st.backdrop) st.backdrop();
  if (mode == 0 && gEye) drawCached("DUdoderi", "kxeye" + std::to_string(gEye) + ".gif", {107, 87, 173, 102});
  if (gFliesOn)
    for (int k = 1; k <= Nflies; ++k)
      drawCached("DUdoderi", "fly.png", {FlyPositionArray[k][1], FlyPositionArray[k][2], FlyPositionArray[k][1] + 10,
                                         FlyPositionArray[k][2] + 10});
  rt::flushWindow(st.window);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

void paintSplash() {
  drawCached("ZUzivuvorovadid", gPhoto, {0, 0, 550, 297});
  drawCached("ZUzivuvorovadid", "logo text.png", {0, 0, 550, 297});
}

}  // namespace

void SplashScreenJPEG() {
  rt::openWindow(kSplashBackWindow, "  ", {100, 56, 643, 350}, rt::kOverlayWindowClass, rt::kAttrHidden);
  rt::openWindow(kSplashWindow, "  ", {100, 56, 643, 350}, rt::kSplashWindowClass, 0);
  // 45 photographs, and a default one that comes up more often than each of the others.
  const int n = randomIn(1, 52);
  char name[32];
  std::snprintf(name, sizeof name, "photo%02d.png", n <= 45 ? n : 46);
  gPhoto = name;
  gEye = 0;
  SetFlyStage(0, kSplashWindow, paintSplash);
  paintStage(0);
}

void CloseSplashScreen() {
  StopTheFlies();
  rt::closeWindow(kSplashBackWindow);
  rt::closeWindow(kSplashWindow);
}

void SetFlyStage(uint16_t mode, int16_t window, std::function<void()> backdrop) {
  Stage& st = gStages[mode == 0 ? 0 : 1];
  st.window = window;
  st.backdrop = std::move(backdrop);
}

void StartTheFlies(uint16_t mode) {
  Nflies = int16_t(4 + randomIn(1, 6));
  for (int k = 1; k <= Nflies; ++k) {
    FlyPositionArray[k][1] = int16_t(randomIn(1, 110) + (mode == 0 ? 110 : 0));
    FlyPositionArray[k][2] = int16_t(randomIn(1, 110));
    const int16_t step = k <= 2 ? 3 : k <= 4 ? 5 : 4;
    FlyPositionArray[k][3] = FlyPositionArray[k][4] = step;
  }
  gFliesOn = true;
  paintStage(mode);
}

void MoveTheFlies(uint16_t mode) {
  if (!gFliesOn) return;
  if (mode == 0 && randomIn(1, 18) >= 8) gEye = randomIn(1, 8);
  const rt::Rect r = rt::windowContentRect(stageOf(mode).window);
  // The flies turn back before they leave their window.
  const int right = r.width() - 39, bottom = r.height() - 28;
  for (int k = 1; k <= Nflies; ++k) {
    int16_t* fly = FlyPositionArray[k];
    if (randomIn(1, 8) >= 7) fly[3] = int16_t(-fly[3]);
    if (randomIn(1, 8) >= 7) fly[4] = int16_t(-fly[4]);
    const int16_t s = int16_t(3 + randomIn(1, 5));
    if (fly[2] < 7) fly[4] = s;
    if (fly[2] >= bottom) fly[4] = int16_t(-s);
    if (fly[1] < 7) fly[3] = s;
    if (fly[1] >= right) fly[3] = int16_t(-s);
    fly[1] = int16_t(fly[1] + fly[3]);
    fly[2] = int16_t(fly[2] + fly[4]);
  }
  paintStage(mode);
}

void StopTheFlies() {
  if (gFliesOn) {
    gFliesOn = false;
    for (uint16_t mode : {0, 1})
      if (rt::windowExists(stageOf(mode).window)) paintStage(mode);
  }
  releasePictures();
}

void MOUSECLICK() {
  if (rt::mouseClickCount() != 0) action = 1;
}

}  // namespace qv
