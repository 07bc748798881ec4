// The world map picker: the map window, its reference lines, the coordinate panel beside it,
// the live position under the pointer and the five-times enlargement of a chosen area.
#include <algorithm>
#include <string>

#include "calculators/world_map.h"
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpButton = 19, kDoneButton = 20, kZoomIn = 142, kZoomOut = 143, kCancelZoom = 21;
constexpr int16_t kLatitudeField = 1, kLongitudeField = 2, kSelectedField = 3, kZoomNote = 4;
constexpr int16_t kMapHelp = 268;
constexpr int kAreaWidth = 216, kAreaHeight = 192;
constexpr rt::RGB kBlack{0, 0, 0}, kWhite{65535, 65535, 65535};
constexpr const char* kMapTitle = "World map, Mercator projection         Click mouse to select a position";

// What the map's handlers saw since the loop last looked.
struct MapEvents {
  bool click = false;
  rt::Point at{};
};
MapEvents gMapEvents;

void mapMouse() {
  if (rt::mouseWindow() != kWorldMapWindow) return;
  gMapEvents.click = true;
  gMapEvents.at = rt::mousePoint();
}

void dashedLine(int x1, int y1, int x2, int y2, int dash) {
  if (x1 == x2) {
    for (int y = y1; y < y2; y += 2 * dash) rt::moveTo(x1, y), rt::lineTo(x1, std::min(y + dash, y2));
  } else {
    for (int x = x1; x < x2; x += 2 * dash) rt::moveTo(x, y1), rt::lineTo(std::min(x + dash, x2), y1);
  }
}

// The reference lines over the picture: equator and meridians in yellow (meridians dashed),
// polar circles in blue and the tropics in wide blue dashes.
void drawReferenceLines(const MapView& view) {
  rt::setOutputWindow(kWorldMapWindow);
  for (const MapLine& l : mapLines(view)) {
    rt::penNormal();
    rt::colorNumber(l.kind == MapLine::Equator || l.kind == MapLine::Meridian ? 1 : 4);
    if (l.vertical) dashedLine(l.at, 30, l.at, 740, 6);
    else if (l.kind == MapLine::Tropic) rt::penSize(2, 2), dashedLine(0, l.at, 1080, l.at, 10);
    else rt::moveTo(0, l.at), rt::lineTo(1080, l.at);
  }
  rt::penNormal();
  rt::foreColor(kBlack);
}

void buildWorldMapWindow(const MapView& view, rt::Image& image) {
  if (!rt::windowExists(kWorldMapWindow)) BuildWINDOW(kWorldMapWindow, kMapTitle, 10, 50, 1090, 800, 6);
  rt::setOutputWindow(kWorldMapWindow);
  rt::clearWindow();
  if (!view.zoomed) {
    rt::foreColor(kWhite);
    rt::paintRect({140, 190, 530, 255});
    rt::foreColor(kBlack);
    rt::frameRect({140, 190, 530, 255});
    SetTextStyle(KestrixFont, 42, 0);
    rt::moveTo(150, 240);
    rt::drawString("  Loading map...  ");
    rt::flushWindow(kWorldMapWindow);
  }
  if (!image) image = rt::loadImage("DUdoderi", "world relief map.png");
  if (view.zoomed) {
    rt::drawImage(image, {view.offsetX, view.offsetY + 30, view.offsetX + 5624, view.offsetY + 2730});
    rt::eraseRect({0, 0, 1080, 30});  // the strip above the map stays empty, as on the whole map
  } else {
    rt::drawImage(image, {0, 30, 1125, 750});
  }
  drawReferenceLines(view);
  rt::flushWindow(kWorldMapWindow);
}

void panelField(int16_t id, std::string_view text, int l, int t, int r, int16_t kind) {
  EFForeColor = 0, EFBackColor = 0;
  buildef(kind == 7 ? 0 : 1, id, text, int16_t(l), int16_t(t), int16_t(r), int16_t(t + 20), kind, 0);
}

void buildPanel() {
  BuildWINDOW(kMapPanel, "Position", 1100, 50, 1430, 290, 261);
  SetTextStyle(KestrixFont, 12, 0);
  panelField(10, "Latitude:", 12, 14, 100, 7);
  panelField(kLatitudeField, "", 104, 14, 220, 7);
  panelField(11, "Longitude:", 12, 40, 100, 7);
  panelField(kLongitudeField, "", 104, 40, 220, 7);
  panelField(12, "Selected position:", 12, 76, 220, 7);
  panelField(kSelectedField, "", 12, 98, 318, 7);
  rt::FBButton(kZoomIn, 1, "Zoom in X5", {12, 140, 160, 160}, 1);
  rt::FBButton(kZoomOut, 0, "Zoom out", {170, 140, 318, 160}, 1);
  rt::FBButton(kHelpButton, 1, "?", {12, 200, 42, 220}, 1);
  rt::FBButton(kDoneButton, 1, "Done", {218, 200, 318, 220}, 4);
}

void showLive(const MapPosition& p) {
  rt::setEditTextIn(kMapPanel, kLatitudeField, latitudeText(p.latitude));
  rt::setEditTextIn(kMapPanel, kLongitudeField, longitudeText(p.longitude));
}

// The panel while an area is being placed: striped, with its note and "Cancel Zoom".
void zoomPanel(bool placing) {
  rt::setOutputWindow(kMapPanel);
  if (placing) {
    WARNINGSTRIPES(0, 6, 24, 0);
    panelField(kZoomNote, "Hit  the spacebar or <return > key to select an area", 12, 180, 318, 7);
    rt::setControlRect(kZoomNote, {8, 172, 322, 192});
    rt::setEditFont(kZoomNote, KestrixFont, 11, 0);
    rt::fillStaticField(kZoomNote, kWhite);
    rt::FBButton(kCancelZoom, 1, "Cancel Zoom", {12, 200, 130, 220}, 1);
    rt::setControlShown(kHelpButton, false);
    rt::setButtonState(kZoomIn, 0);
    rt::setButtonState(kZoomOut, 1);
    rt::setButtonState(kDoneButton, 0);
  } else {
    rt::clearWindow();
    if (rt::controlExists(kZoomNote)) rt::removeControl(kZoomNote);
    if (rt::controlExists(kCancelZoom)) rt::removeControl(kCancelZoom);
    rt::setControlShown(kHelpButton, true);
    rt::setButtonState(kDoneButton, 1);
  }
}

void xorArea(int x, int y) {
  rt::setOutputWindow(kWorldMapWindow);
  rt::penMode(rt::kPatXor);
  rt::penSize(2, 2);
  rt::frameRect({x, y, x + kAreaWidth, y + kAreaHeight});
  rt::penNormal();
  rt::flushWindow(kWorldMapWindow);
}

// Places the area to enlarge: it follows the pointer until a key, a click or a button; the
// corner it ends at, or nothing when "Cancel Zoom" abandons it.
bool FindZoomArea(int& cornerX, int& cornerY) {
  zoomPanel(true);
  int x = -1, y = -1;
  bool chosen = false, done = false;
  gMapEvents = {};
  while (!done && !gQuitPending) {
    rt::FBHandleEvents();
    const rt::Point p = rt::pointerIn(kWorldMapWindow);
    int nx = p.x, ny = p.y;
    clampZoomCorner(nx, ny);
    if (nx != x || ny != y) {
      if (x >= 0) xorArea(x, y);
      x = nx, y = ny;
      xorArea(x, y);
    }
    const int kind = action, id = eventID;
    action = eventID = 0;
    if (gMapEvents.click) {
      int cx = gMapEvents.at.x, cy = gMapEvents.at.y;
      clampZoomCorner(cx, cy);
      if (cx != x || cy != y) xorArea(x, y), x = cx, y = cy, xorArea(x, y);
      chosen = done = true;
    } else if (kind == 16 || (kind == 1 && id != kCancelZoom)) {
      chosen = done = true;
    } else if (kind == 1 && id == kCancelZoom) {
      done = true;
    }
  }
  if (x >= 0) xorArea(x, y);
  gMapEvents = {};
  zoomPanel(false);
  cornerX = x, cornerY = y;
  if (!chosen) {
    rt::setButtonStateIn(kMapPanel, kZoomIn, 1);
    rt::setButtonStateIn(kMapPanel, kZoomOut, 0);
  }
  return chosen;
}

void selectPosition(MapChoice& choice, const MapPosition& p) {
  choice = {true, p};
  rt::setEditTextIn(kMapPanel, kSelectedField, latitudeText(p.latitude) + ", " + longitudeText(p.longitude));
  Tick();
}

}  // namespace

MapChoice GetMapCoordinates(int16_t returnWindow) {
  MapChoice choice;
  SavedHandlers saved;
  const int16_t savedHelp = HelpSubject;
  MapView view;
  rt::Image image;
  buildWorldMapWindow(view, image);
  buildPanel();
  rt::bringWindowForward(kWorldMapWindow);
  rt::setHandler(rt::Vector::Mouse, mapMouse);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  gMapEvents = {};
  action = eventID = 0;
  MapPosition live;
  bool hasLive = false, crossShown = false;
  for (bool done = false; !done && !gQuitPending;) {
    rt::FBHandleEvents();
    const rt::Point p = rt::pointerIn(kWorldMapWindow);
    const bool inside = onMap(p.x, p.y);
    if (inside != crossShown) rt::setCursor(inside ? rt::Cursor::Cross : rt::Cursor::Arrow), crossShown = inside;
    if (inside) {
      const MapPosition now = mapPosition(view, p.x, p.y);
      if (!hasLive || now.latitude != live.latitude || now.longitude != live.longitude) showLive(now);
      live = now, hasLive = true;
    }
    const int kind = action, id = eventID;
    action = eventID = 0;
    if (gMapEvents.click) {
      gMapEvents.click = false;
      if (onMap(gMapEvents.at.x, gMapEvents.at.y)) {
        live = mapPosition(view, gMapEvents.at.x, gMapEvents.at.y);
        showLive(live);
        selectPosition(choice, live);
      }
    } else if (kind == 16 && (id == 13 || id == 3 || id == 32)) {
      if (hasLive) selectPosition(choice, live);
    } else if (kind == 1 && id == kDoneButton) {
      done = true;
    } else if (kind == 1 && id == kHelpButton) {
      HelpSubject = kMapHelp;
      OpenHelpBook();
    } else if (kind == 1 && id == kZoomIn) {
      rt::setButtonStateIn(kMapPanel, kZoomIn, 0);
      rt::setButtonStateIn(kMapPanel, kZoomOut, 1);
      int x = 0, y = 0;
      if (FindZoomArea(x, y)) {
        view = zoomView(x, y);
        buildWorldMapWindow(view, image);
        rt::setButtonStateIn(kMapPanel, kZoomIn, 0);
        rt::setButtonStateIn(kMapPanel, kZoomOut, 1);
      }
    } else if (kind == 1 && id == kZoomOut) {
      view = {};
      buildWorldMapWindow(view, image);
      rt::setButtonStateIn(kMapPanel, kZoomIn, 1);
      rt::setButtonStateIn(kMapPanel, kZoomOut, 0);
    } else if (kind == 4 && id == kWorldMapWindow) {
      done = true;  // the map's close box is Done
    }
  }
  rt::setCursor(rt::Cursor::Arrow);
  rt::releaseImage(image);
  rt::closeWindow(kMapPanel);
  rt::closeWindow(kWorldMapWindow);
  HelpSubject = savedHelp;
  if (rt::windowExists(returnWindow)) rt::bringWindowForward(returnWindow);
  action = eventID = 0;
  return choice;
}

}  // namespace qv
