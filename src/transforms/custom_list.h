#pragma once
// The windows of the custom transforms: the list of records, the manager and selection list,
// the deletion window, the inspect-and-edit window and the name entry.
#include <cstdint>
#include <string>

#include "runtime/geometry.h"

namespace qv {

// Where list button k (1..40) goes: two columns of 20, 19 pixels high.
rt::Rect customListButtonRect(int k);
// The top of the manager's button row below a list of that many records (two columns of 20).
int customManagerButtonTop(int records);
// The list in the output window: buttonType 2 check boxes with the name beside them (field
// 100 + k), else radio buttons titled with the names.
void ShowCustomTransforms(int16_t buttonType);
// The display name of record n's code in field 103 of the output window.
void TypeOfTransform(int16_t n);
void DeleteCustomTransformation();
// Returns the record's name as it stands when the window closes.
std::string InspectOrEditTransform(int16_t n);
// 0 when the name in field 102 of window 150 (left open) is to be saved, 1 when cancelled.
int16_t EnterNewCustomTransformation();

}  // namespace qv
