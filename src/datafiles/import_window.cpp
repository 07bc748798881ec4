// File > Import > Text: window 14 shows the first lines of the chosen file, the user picks the
// first data line, the columns, the label line and the interval; the chosen columns are then
// read into a file object, which the open road commits like any other load.
#include <algorithm>
#include <ctime>
#include <optional>
#include <string>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "core/warning_layout.h"
#include "datafiles/open_road.h"
#include "datafiles/text_import.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kWindow = 14, kLabelBox = 18, kOk = 19, kCancel = 20, kHelp = 198, kNone = 95, kAll = 96,
                  kCountField = 218, kIntervalField = 215, kLabelField = 71, kLinesField = 299;
// The window as built; the user may make it wider (up to 2,500) and taller, never narrower.
constexpr int kLeft = 20, kTop = 45, kWidth = 660, kMaxWidth = 2500, kHeight = 600;

struct ImportSetup {
  ImportPreview preview;
  ImportRequest request;
  int columns = 0;
  int height = kHeight;  // of the window as last laid out
};

void showSelected(const ImportSetup& s) {
  rt::setEditTextIn(kWindow, kCountField, std::to_string(selectedColumns(s.request)));
}

// The buttons that end the set-up ride on the window's bottom edge.
rt::Rect bottomButton(int16_t id, int height) {
  const int y = height - (kHeight - 550);
  switch (id) {
    case kHelp: return {10, y, 40, y + 20};
    case kCancel: return {420, y, 510, y + 20};
    default: return {515, y, 650, y + 20};
  }
}

// After the user resized window 14: the size kept within its limits, the bottom buttons
// moved with its bottom edge.
void followSize(ImportSetup& s) {
  rt::Rect r = rt::windowContentRect(kWindow);
  const int width = std::clamp(r.width(), kWidth, kMaxWidth), height = std::max(r.height(), kHeight);
  if (width != r.width() || height != r.height()) {
    r = {r.left, r.top, r.left + width, r.top + height};
    rt::setWindowContentRect(kWindow, r);
  }
  if (height == s.height) return;
  s.height = height;
  rt::setOutputWindow(kWindow);
  for (int16_t id : {kHelp, kCancel, kOk}) rt::setControlRect(id, bottomButton(id, height));
}

void build(ImportSetup& s, const std::string& name) {
  rt::openWindow(kWindow, " Load ASCII File  '" + name + " ' ", {kLeft, kTop, kLeft + kWidth, kTop + kHeight},
                 rt::kDocumentWindowClass, rt::kAttrCloseBox | rt::kAttrResizable);
  rt::setWindowMinSize(kWindow, kWidth, kHeight);
  rt::setWindowBackground(kWindow, {0xECEC, 0xECEC, 0xECEC});
  rt::setOutputWindow(kWindow);
  rt::clearWindow();
  rt::textFont(KestrixFont);
  rt::textSize(12);
  rt::textFace(0);
  CurrentlyActiveWindow = kWindow;
  EmbossPrint(1, "Import text data", 30, 85, 32);
  // Printed, not a text field: field numbers from 301 on belong to the column texts.
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(85, 50, "Click the button next to the row where data input should begin.");
  PrintAt(85, 78, "Delimiters: \u2022 = comma or tab; " + rt::macRomanChar(0xA8) + " = carriage return");
  for (int k = 1; k <= int(s.preview.lines.size()); ++k) {
    const int y = 90 + (k - 1) * 20;
    rt::FBButton(k, k == 3 ? 2 : 1, std::to_string(k), {8, y, 48, y + 18}, 3);
    // Each row is clipped to its field, so that no line runs on over the next.
    SetTextStyle(KestrixFont, 12, 0);
    const MeasureText measure = [](std::string_view t) { return rt::stringWidth(t); };
    buildef(0, 100 + k, fitWithEllipsis(s.preview.lines[size_t(k) - 1], 650 - 52 - 6, measure), 52, y, 650, y + 18, 7, 0);
  }
  s.columns = std::min(s.preview.columns, kImportColumns);
  buildef(0, 100, "There are " + std::to_string(s.preview.columns) + " variables in this file.", 10, 296, 400, 316, 7, 0);
  for (int k = 1; k <= s.columns; ++k) {
    const std::string& text = s.preview.columnTexts[size_t(k) - 1];
    s.request.load[size_t(k)] = rt::charCount(text) > 1;
    const int x = 10 + ((k - 1) % 5) * 130, y = 327 + ((k - 1) / 5) * 20;
    rt::FBButton(20 + k, s.request.load[size_t(k)] ? 2 : 1, std::to_string(k), {x, y, x + 40, y + 18}, 2);
    buildef(0, 300 + k, text, x + 42, y, x + 128, y + 18, 7, 0);
  }
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 500, "Select variables to load:");
  PrintAt(200, 500, "number selected:");
  buildef(0, kCountField, "", 310, 488, 350, 504, 7, 0);
  PrintAt(370, 500, "interval (sec):");
  buildef(1, kIntervalField, "1", 470, 488, 530, 504, 1, 0);
  rt::FBButton(kLabelBox, 2, " Get Variable Names From Row", {10, 520, 250, 538}, 2);
  buildef(1, kLabelField, "1", 255, 520, 290, 538, 1, 0);
  rt::FBButton(kNone, 1, "Deselect All", {300, 520, 400, 538}, 1);
  rt::FBButton(kAll, 1, "Select All", {405, 520, 500, 538}, 1);
  rt::FBButton(kHelp, 1, "?", bottomButton(kHelp, kHeight), 1);
  rt::FBButton(kCancel, 1, "Cancel", bottomButton(kCancel, kHeight), 1);
  rt::FBButton(kOk, 1, "Setup OK: Load File", bottomButton(kOk, kHeight), 4);
  showSelected(s);
}

void setAll(ImportSetup& s, bool on) {
  for (int k = 1; k <= s.columns; ++k) {
    s.request.load[size_t(k)] = on;
    rt::setButtonStateIn(kWindow, 20 + k, on ? 2 : 1);
  }
  showSelected(s);
}

// Reads what the window holds into the request; says why not when it cannot be used.
std::string takeRequest(ImportSetup& s, bool labels) {
  const std::optional<double> interval = importInterval(rt::editTextIn(kWindow, kIntervalField));
  if (!interval) return "The interval must be a number of seconds above 0.";
  s.request.interval = *interval;
  double line = 0;
  s.request.labelLine = 0;
  if (labels) {
    if (!rt::PSvalStrict(rt::editTextIn(kWindow, kLabelField), line) || line < 1 || line > 1e9)
      return "The row of variable names must be a line number from 1.";
    s.request.labelLine = int(line);
  }
  if (selectedColumns(s.request) < 1) return "Please select at least one column to load.";
  return {};
}

// Window 14's loop: true when the user asked to load with a usable request.
bool runWindow(ImportSetup& s) {
  bool labels = true;
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    followSize(s);
    const auto [a, id] = takeAction();
    rt::setOutputWindow(kWindow);
    if (a == 4) return false;
    if (a != 1) continue;
    if (id >= 1 && id <= kImportPreviewLines) {
      s.request.firstDataLine = id;
      for (int k = 1; k <= int(s.preview.lines.size()); ++k) rt::setButtonStateIn(kWindow, k, k == id ? 2 : 1);
    } else if (id == kLabelBox) {
      labels = !labels;
      rt::setButtonStateIn(kWindow, kLabelBox, labels ? 2 : 1);
    } else if (id > 20 && id <= 20 + s.columns) {
      bool& on = s.request.load[size_t(id - 20)];
      on = !on;
      rt::setButtonStateIn(kWindow, id, on ? 2 : 1);
      showSelected(s);
    } else if (id == kNone || id == kAll) {
      setAll(s, id == kAll);
    } else if (id == kHelp) {
      HelpSubject = 234;
      OpenHelpBook();
      rt::bringWindowForward(kWindow);
    } else if (id == kCancel) {
      return false;
    } else if (id == kOk) {
      const std::string why = takeRequest(s, labels);
      if (why.empty()) return true;
      bzot();
      Warn(1166, "Import: ", {why});
      rt::setOutputWindow(kWindow);
    }
  }
}

int currentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return parts.tm_year + 1900;
}

}  // namespace

std::optional<DataFile> ImportTextFile(const std::string& path) {
  const std::optional<std::vector<uint8_t>> read = rt::readWholeFile(path);
  if (!read) {
    Warn(1166, "Import: ", {"The file " + rt::fileNameOf(path) + " could not be read."});
    return std::nullopt;
  }
  const std::vector<uint8_t>& bytes = *read;
  ImportSetup s;
  s.preview = previewImport(bytes);
  if (s.preview.lines.empty()) {
    Warn(1166, "Import: ", {"The file " + rt::fileNameOf(path) + " is empty."});
    return std::nullopt;
  }
  s.request.name = rt::fileNameOf(path);
  s.request.year = currentYear();
  SavedHandlers saved;
  HideTheToolBar();
  build(s, s.request.name);
  const bool go = runWindow(s);
  std::optional<DataFile> file;
  if (go) {
    rt::setControlTitle(kHelp, "Stop Input");
    const int y = s.height - kHeight;
    buildProgressBAR(50, int16_t(578 + y), 285, int16_t(590 + y), 1000, kWindow);
    SetTextStyle(KestrixFont, 17, 0);
    PrintAt(300, int16_t(590 + y), "cases loaded:");
    buildef(0, kLinesField, "", 420, int16_t(576 + y), 500, int16_t(592 + y), 7, 0);
    const double total = double(std::max<size_t>(bytes.size(), 1));
    ImportResult r = stageImport(bytes, s.request, [&](size_t at, int64_t lines) {
      UpdateProgressBar(int32_t(double(at) * 1000 / total));
      rt::setEditTextIn(kWindow, kLinesField, std::to_string(lines));
      rt::refreshPump();
      const bool stop = action == 1 && eventID == kHelp;
      action = eventID = 0;
      return stop;
    });
    if (!r.file) Warn(1166, "Import refused: ", {r.refusal});
    else if (r.cut)
      Warn(1166, "Caution: ", {"Only the first " + std::to_string(r.linesRead) + " lines of data were read;",
                               "the rest of the file was left out."});
    file = std::move(r.file);
  }
  rt::closeWindow(kWindow);
  RestoreTheToolBar();
  return file;
}

}  // namespace qv
