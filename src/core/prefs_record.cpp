#include "core/prefs_record.h"

#include <cmath>
#include <initializer_list>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/prefs_fields.h"
#include "runtime/bytes.h"

namespace qv {

namespace {

int viewModeSlot() { return TheFileInUse >= 0 && TheFileInUse < kMaxOpenFiles ? TheFileInUse : 0; }

void writeRgb(rt::ByteWriter& w, const RGB& c) {
  w.u16le(c.red);
  w.u16le(c.green);
  w.u16le(c.blue);
}

RGB readRgb(rt::ByteReader& r) {
  RGB c;
  c.red = r.u16le();
  c.green = r.u16le();
  c.blue = r.u16le();
  return c;
}

// The trim fields as written when the spike tool's defaults are not kept.
float writtenFloat(const PrefsField& f) {
  if (prefsArray[51] == 0) {
    if (f.f32 == &UpTrimLimit) return 1000.0f;
    if (f.f32 == &UpTrimValue || f.f32 == &LowTrimValue) return 0.0f;
    if (f.f32 == &LowTrimLimit) return -1000.0f;
    if (f.f32 == &threshold) return 1.0f;
  }
  return *f.f32;
}

// Walks the record without applying it: how many checked settings it has and how many of
// those hold a value they cannot hold.
struct RecordCheck {
  int checked = 0, impossible = 0;
};

RecordCheck checkRecord(std::span<const uint8_t> bytes) {
  RecordCheck c;
  rt::ByteReader r(bytes);
  for (const PrefsField& f : preferencesLayout()) {
    if (r.atEnd()) break;
    switch (f.kind) {
      case PrefsField::Rgb: r.skip(6); break;
      case PrefsField::Reserved:
      case PrefsField::ViewMode: r.skip(2); break;
      case PrefsField::I16: {
        const int16_t v = r.i16be();
        if (f.check == PrefsField::Any || f.i16 == &prefsArray[74]) break;
        ++c.checked;
        if (!f.accepts(v)) ++c.impossible;
        break;
      }
      case PrefsField::F32: {
        const float v = r.f32be();
        if (std::isinf(f.lo) && std::isinf(f.hi) && std::isfinite(v)) break;
        ++c.checked;
        if (!f.accepts(v)) ++c.impossible;
        break;
      }
    }
  }
  return c;
}

}  // namespace

bool IsForeignPreferencesRecord(std::span<const uint8_t> bytes) {
  if (bytes.size() != kPrefsRecordSize && bytes.size() != kOldPrefsRecordSize) return true;
  const RecordCheck c = checkRecord(bytes);
  return c.impossible * 2 > c.checked;
}

std::vector<uint8_t> EncodePreferences() {
  rt::ByteWriter w;
  w.reserve(kPrefsRecordSize);
  for (const PrefsField& f : preferencesLayout()) {
    switch (f.kind) {
      case PrefsField::Rgb: writeRgb(w, *f.rgb); break;
      case PrefsField::I16: w.i16be(*f.i16); break;
      case PrefsField::F32: w.f32be(writtenFloat(f)); break;
      case PrefsField::Reserved: w.i16be(0); break;
      case PrefsField::ViewMode: w.i16be(FileSHORTS[viewModeSlot()][kViewModeWord]); break;
    }
  }
  return w.take();
}

PrefsReadResult ApplyPreferencesRecord(std::span<const uint8_t> bytes) {
  PrefsReadResult result;
  if (bytes.size() != kPrefsRecordSize && bytes.size() != kOldPrefsRecordSize) return result;
  // A record most of whose settings are impossible was not written by us: none of it, its
  // colours included, is taken.
  if (IsForeignPreferencesRecord(bytes)) {
    result.foreign = true;
    return result;
  }
  result.accepted = true;
  rt::ByteReader r(bytes);
  for (const PrefsField& f : preferencesLayout()) {
    if (r.atEnd()) {
      // The older record has no subplot style.
      if (f.i16 == &prefsArray[82]) prefsArray[82] = 1;
      continue;
    }
    switch (f.kind) {
      case PrefsField::Rgb: *f.rgb = readRgb(r); break;
      case PrefsField::Reserved: r.skip(2); break;
      case PrefsField::I16:
      case PrefsField::ViewMode: {
        const int16_t v = r.i16be();
        int16_t* target = f.kind == PrefsField::ViewMode ? &FileSHORTS[0][kViewModeWord] : f.i16;
        if (f.kind == PrefsField::ViewMode && slotIsOpen(0)) {
          // The view word is for the first file a run opens; a file already in slot 0 keeps
          // the view its plot window is drawn in.
        } else if (f.i16 == &prefsArray[74]) {
          prefsArray[74] = 1;  // every run starts in Quartz drawing
        } else if (f.accepts(v)) {
          *target = v;
        } else {
          *target = int16_t(f.defaultValue);
          result.fixed.push_back(f.name);
        }
        break;
      }
      case PrefsField::F32: {
        const float v = r.f32be();
        if (f.accepts(v)) {
          *f.f32 = v;
        } else {
          *f.f32 = float(f.defaultValue);
          result.fixed.push_back(f.name);
        }
        break;
      }
    }
  }
  northLatitude = latitude > 0 ? 1 : 0;
  westLongitude = longitude > 0 ? 1 : 0;
  return result;
}

namespace {

// The user colours in the order StoredColors keeps them.
RGB* const kUserColors[7] = {&plotForeColor, &plotBackColor, &PlotDataLineColor, &Pwhite,
                             &BlockForeColor, &BlockBackColor, &HistogramBarColor};

}  // namespace

bool DecodeStoredColors(std::span<const uint8_t> bytes, StoredColors& out) {
  if (IsForeignPreferencesRecord(bytes)) return false;
  out = StoredColors{};
  rt::ByteReader r(bytes);
  for (const PrefsField& f : preferencesLayout()) {
    if (r.atEnd()) break;
    switch (f.kind) {
      case PrefsField::Rgb: {
        const RGB c = readRgb(r);
        for (int i = 0; i < 7; ++i)
          if (f.rgb == kUserColors[i]) out.user[i] = c;
        for (int k = 1; k <= 24; ++k)
          if (f.rgb == &OverlayColor[k]) out.overlay[k] = c;
        break;
      }
      case PrefsField::F32: r.skip(4); break;
      default: r.skip(2); break;
    }
  }
  return true;
}

void ApplyStoredColors(const StoredColors& c) {
  for (int i = 0; i < 7; ++i) *kUserColors[i] = c.user[i];
  for (int k = 1; k <= 24; ++k) OverlayColor[k] = c.overlay[k];
}

}  // namespace qv
