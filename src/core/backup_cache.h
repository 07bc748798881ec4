#pragma once
// The backup cache: six case-indexed rows of 6,100,001 floats, one store for the whole
// program, allocated once when first needed.
//   rows 0-2  scratch of analyses and readers
//   row 3     the undo copy of one channel (see undo.h)
//   row 4     cross-channel subset flags of the file in use ([0] holds the count selected)
//   row 5     interpolation flags of the file in use (1.0 = interpolated)
#include <cstdint>

#include "core/filetable.h"

namespace qv {

constexpr int kCacheRows = 6;
constexpr int kUndoRow = 3;
constexpr int kSubsetRow = 4;
constexpr int kInterpolationRow = 5;
constexpr int32_t kCacheRowLength = kMaxCases + 1;

// A row to work in (entries 0 to 6,100,000); nullptr when the store cannot be allocated.
// Taking row 3 this way is a scratch use: the undo copy it held is given up.
float* BackupCacheRow(int row);

// Row 3 for the backup itself (undo.cpp); not a scratch use.
float* UndoRowForBackup();

// The undo copy in row 3, to read (smoothing reads the values before its edit); nullptr
// before the store exists.
const float* UndoCopy();

// Rebuilds row 5 from the markers of the file in use: a marker coded 200 opens an
// interpolated span, the next one coded 199 closes it (the file's last case when none
// follows). False when the store cannot be allocated.
bool MakeInterpolationRecord();

// The computation behind it, on any flag row: flags[1..nCases] become 1.0 inside a span and
// 0.0 elsewhere; flags[0] is left alone. markers[1..count] are records of [1] case and [2]
// code (a code is its low 16 bits). Spans are clamped to 1..nCases and count to 32,500;
// overlapping or unsorted spans cost no more than sorted ones.
void BuildInterpolationFlags(float* flags, int32_t nCases, const int32_t (*markers)[3], int32_t count);

}  // namespace qv
