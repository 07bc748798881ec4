#pragma once
// How file f is laid out across a plot window `width` pixels wide, for CaseUnderPointer.
#include "core/pointer_case.h"

namespace qv {

PointerView plotPointerView(int f, int width);

}  // namespace qv
