#pragma once
// The Script Sequence window (200), its rows, the step editor (500) and the printout.
#include <cstdint>

#include "runtime/panels.h"

namespace qv {

constexpr int kScriptViewWindow = 200;
constexpr int kStepEditWindow = 500;

// Field numbers of a step's row: the main value, the three transform values, the notice of a
// deleted step.
constexpr int kMainValueField = 140, kValueAField = 180, kValueBField = 220, kExponentField = 260,
              kDeletedNoticeField = 100;

// Where a row is drawn: the list shows it, the step editor lets its values be typed.
enum class RowUse { List, Editor };

// Headings and the rows of steps 1..40. Listing counts nothing: the step being recorded or
// replayed stays where it was.
void DisplayScript();
// The row of one step at height y in the output window (text size `size`).
void WriteTheScriptData(int16_t step, int16_t y, int16_t size, RowUse use);
// The printed line of one step (nothing for a step that is not listed).
rt::PrintLine scriptPrintLine(int16_t step);
// Window 500 for one step; true when the step was changed or deleted.
bool EditScriptStep(int16_t step);
void PrintScript();

}  // namespace qv
