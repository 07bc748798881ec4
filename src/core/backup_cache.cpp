#include "core/backup_cache.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "core/undo.h"
#include "runtime/large_pages.h"

namespace qv {

namespace {

struct FreeDeleter {
  void operator()(float* p) const { std::free(p); }
};

// Zeroed by the allocator page by page as rows are touched, so a store that is never fully
// used never costs its full size. Its pages are large ones, as a channel's are: a row is copied
// to and from whole channels, and with small pages those copies wait on address translation.
std::unique_ptr<float, FreeDeleter> gStore;

float* rowOf(int row) {
  if (row < 0 || row >= kCacheRows) return nullptr;
  if (!gStore) {
    constexpr size_t kStoreFloats = size_t(kCacheRows) * kCacheRowLength;
    gStore.reset(static_cast<float*>(std::calloc(kStoreFloats, sizeof(float))));
    if (gStore) rt::adviseLargePages(gStore.get(), kStoreFloats * sizeof(float));
  }
  return gStore ? gStore.get() + size_t(row) * kCacheRowLength : nullptr;
}

constexpr int32_t kOpenSpan = 200;
constexpr int32_t kCloseSpan = 199;

int32_t codeOf(const int32_t* record) { return int32_t(uint32_t(record[2]) & 0xFFFFu); }

}  // namespace

float* BackupCacheRow(int row) {
  if (row == kUndoRow) InvalidateUndo(UndoLoss::RowReused);
  return rowOf(row);
}

const float* UndoCopy() { return gStore ? gStore.get() + size_t(kUndoRow) * kCacheRowLength : nullptr; }

float* UndoRowForBackup() { return rowOf(kUndoRow); }

void BuildInterpolationFlags(float* flags, int32_t nCases, const int32_t (*markers)[3], int32_t count) {
  const int32_t n = std::min(nCases, kMaxCases);
  if (n <= 0) return;
  std::fill(flags + 1, flags + n + 1, 0.0f);
  const int32_t m = std::clamp(count, 0, int32_t(kMaxMarkers));
  // Each span adds +1 at its start and -1 after its end; a running sum then says whether a
  // case lies in any span. The counts stay small integers, exact in a float.
  bool any = false;
  for (int32_t k = 1; k <= m; ++k) {
    if (codeOf(markers[k]) != kOpenSpan) continue;
    const int64_t start = markers[k][1];
    int64_t end = n;
    while (k < m) {
      ++k;
      if (codeOf(markers[k]) == kCloseSpan) {
        end = markers[k][1];
        break;
      }
    }
    const int64_t s = std::max<int64_t>(start, 1), e = std::min<int64_t>(end, n);
    if (e < s) continue;
    flags[s] += 1.0f;
    if (e < n) flags[e + 1] -= 1.0f;
    any = true;
  }
  if (!any) return;
  int32_t depth = 0;
  for (int32_t k = 1; k <= n; ++k) {
    depth += int32_t(flags[k]);
    flags[k] = depth > 0 ? 1.0f : 0.0f;
  }
}

bool MakeInterpolationRecord() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return false;
  float* row = rowOf(kInterpolationRow);
  if (!row) return false;
  BuildInterpolationFlags(row, nCases[f], MarkersArray[f], FileSHORTS[f][kMarkerCountWord]);
  return true;
}

}  // namespace qv
