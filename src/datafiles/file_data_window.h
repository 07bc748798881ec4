#pragma once
// Parts of Edit File Data that the comments window and tests reach.
#include "runtime/geometry.h"

namespace qv {

// Builds the labels, parameters and channel buttons in the output window.
void LabelText();
// Writes window 6's fields back into the file in use; true when that changed what the file
// keeps (labels, parameters, start date or time), not for the respirometry settings alone.
bool UpdateLabels();
// Window 6 of a slot, placed against its plot window.
rt::Rect fileDataWindowRect(int slot);

}  // namespace qv
