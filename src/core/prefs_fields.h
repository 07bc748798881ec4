#pragma once
// The fields of the preferences record in file order, each with its default and the values
// it may hold. The record writer, its reader and the defaults all walk this one list.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "runtime/geometry.h"

namespace qv {

struct PrefsField {
  enum Kind { Rgb, I16, F32, Reserved, ViewMode };
  // What an i16 may hold: anything, 0/1, lo..hi, or one of a few codes; an f32 must be finite
  // and within lo..hi.
  enum Check { Any, Switch, Range, OneOf };

  Kind kind;
  const char* name;
  rt::RGB* rgb = nullptr;
  int16_t* i16 = nullptr;
  float* f32 = nullptr;
  double defaultValue = 0;
  Check check = Any;
  double lo = -HUGE_VAL, hi = HUGE_VAL;
  int16_t codes[3] = {0, 0, 0};

  bool accepts(int16_t v) const {
    switch (check) {
      case Switch: return v == 0 || v == 1;
      case Range: return v >= lo && v <= hi;
      case OneOf: return v == codes[0] || v == codes[1] || v == codes[2];
      default: return true;
    }
  }
  bool accepts(float v) const { return std::isfinite(v) && v >= lo && v <= hi; }
};

std::span<const PrefsField> preferencesLayout();

}  // namespace qv
