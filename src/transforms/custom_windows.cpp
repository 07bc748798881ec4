// The deletion window, the inspect-and-edit window and the name entry of custom transforms.
#include <cmath>

#include "core/help.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "transforms/custom_list.h"
#include "transforms/custom_table.h"
#include "transforms/transform_engine.h"
#include "transforms/transform_state.h"
#include "transforms/transform_windows.h"

namespace qv {

namespace {

constexpr int kEditWindow = 149, kNameWindow = 150;

void clearMarks() {
  for (auto& record : CustomTransformsArray) record[0] = 0;
}

struct EditRow {
  int word, field;
  const char* label;
};
constexpr EditRow kLeftRows[] = {{4, 104, "make new channel?"}, {5, 105, "value of 'a':"}, {6, 106, "value of 'b':"},
                                 {7, 107, "exponent:"},         {10, 110, "polynomial degree:"}};
constexpr int kLeftRowY[] = {125, 148, 171, 194, 263};
constexpr const char* kRightLabels[] = {"polynomial constant:", "1st poly coefficient:", "2nd poly coefficient:",
                                        "3rd poly coefficient:", "4th poly coefficient:", "5th poly coefficient:",
                                        "6th poly coefficient:", "7th poly coefficient:", "8th poly coefficient:",
                                        "9th poly coefficient:"};

void buildEditWindow(int16_t n) {
  BuildWINDOW(kEditWindow, "Inspect and Edit Custom Transformation", 70, 80, 690, 385, 6);
  const auto& w = CustomTransformsArray[size_t(n)];
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 30, "data for:");
  EFForeColor = EFBackColor = 1;
  buildef(1, 333, rt::trimRight(CustomTransformsLabels[size_t(n)]), 80, 12, 600, 38, 1, 0);
  rt::setEditFont(333, 4, 20, 1);
  PrintAt(10, 78, "Transform type:");
  buildef(0, 103, "", 120, 64, 300, 82, 7, 0);
  TypeOfTransform(n);
  for (size_t i = 0; i < 5; ++i) {
    const int y = kLeftRowY[i];
    PrintAt(10, y + 14, kLeftRows[i].label);
    buildef(1, int16_t(kLeftRows[i].field), rt::PSstr(w[size_t(kLeftRows[i].word)]), 150, int16_t(y), 280, int16_t(y + 18), 1, 0);
  }
  for (int i = 0; i < 10; ++i) {
    const int y = 40 + 23 * i;
    PrintAt(320, y + 14, kRightLabels[i]);
    buildef(1, int16_t(111 + i), rt::PSstr(w[size_t(11 + i)]), 470, int16_t(y), 600, int16_t(y + 18), 1, 0);
  }
  rt::FBButton(221, 1, "Accept Edits", {470, 275, 600, 297}, 4);
  rt::FBButton(222, 1, "Cancel; Done", {320, 275, 450, 297}, 1);
}

// The typed words, all or none: a field that is not a number is named and nothing changes.
bool acceptEdits(int16_t n) {
  std::array<float, 21> words = CustomTransformsArray[size_t(n)];
  auto read = [&](int field, int word) {
    const std::optional<float> v = typedSingle(field);
    if (v) words[size_t(word)] = *v;
    return v.has_value();
  };
  bool ok = true;
  for (const EditRow& r : kLeftRows) ok = ok && read(r.field, r.word);
  for (int i = 0; i < 10; ++i) ok = ok && read(111 + i, 11 + i);
  if (!ok) {
    Warn(1166, "Custom transforms: ", {"Every value must be a number.", "The transform stays as it was."});
    return false;
  }
  words[10] = float(boundedPolyDegree(words[10]));
  rt::setEditText(110, rt::PSstr(words[10]));
  CustomTransformsArray[size_t(n)] = words;
  CustomTransformsLabels[size_t(n)] = customName(rt::editText(333));
  SAVECustomTransformsArray(0);
  return true;
}

}  // namespace

void DeleteCustomTransformation() {
  SavedHandlers saved;
  HelpSubject = 239;
  BuildWINDOW(kEditWindow, "Custom Transformation Deletion", 50, 80, 725, 565, 6);
  SetTextStyle(3, 28, 1);
  PrintAt(20, 32, "Select one or more transforms to delete");
  if (prefsArray[7] != 0) PlaySound("bub3.mp3");
  DrawIcon(129, 20, 440);
  SetTextStyle(KestrixFont, 13, 1);
  rt::colorNumber(6);
  PrintAt(70, 462, "Caution:  ");
  rt::colorNumber(7);
  PrintAt(145, 462, "deletion is NOT 'undo-able' !");
  rt::FBButton(51, 1, "Cancel", {400, 450, 500, 472}, 1);
  rt::FBButton(52, 1, "OK, Delete", {520, 450, 650, 472}, 4);
  ShowCustomTransforms(2);
  clearMarks();
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id >= 1 && id <= NumberOfCustomTransforms) {
      Rip();
      CustomTransformsArray[size_t(id)][0] = float(rt::controlValue(id) != 0);
    } else if ((a == 1 && id == 52) || a == 16) {
      SAVECustomTransformsArray(0);
      break;
    } else if ((a == 1 && id == 51) || (a == 4 && id == kEditWindow)) {
      break;
    }
  }
  clearMarks();
  rt::closeWindow(kEditWindow);
}

std::string InspectOrEditTransform(int16_t n) {
  if (n < 1 || n > NumberOfCustomTransforms) return "";
  SavedHandlers saved;
  HelpSubject = 239;
  buildEditWindow(n);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == 221) acceptEdits(n);
    else if ((a == 1 && id == 222) || a == 16 || a == 4 || (a == 3 && id != kEditWindow)) break;
  }
  rt::closeWindow(kEditWindow);
  return CustomTransformsLabels[size_t(n)];
}

int16_t EnterNewCustomTransformation() {
  SavedHandlers saved;
  BuildWINDOW(kNameWindow, "Save Custom Transformation", 80, 100, 640, 197, 6);
  SetTextStyle(KestrixFont, 13, 1);
  PrintAt(15, 25, "Enter a name for this transform:");
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(300, 25, "\u2022  maximum of 48 characters");
  EFForeColor = EFBackColor = 1;
  buildef(1, 102, " ", 15, 38, 545, 60, 1, 0);
  rt::setEditFont(102, 4, 14, 0);
  rt::FBButton(1, 1, "Done", {445, 68, 545, 90}, 4);
  rt::FBButton(2, 1, "Cancel", {335, 68, 435, 90}, 1);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == 1) || a == 16 || (a == 3 && id != kNameWindow)) return 0;
    if ((a == 1 && id == 2) || (a == 4 && id == kNameWindow)) return 1;
  }
}

}  // namespace qv
