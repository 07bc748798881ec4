// The subset flags of the file in use, and the filters an analysis starts with.
#include <span>
#include <vector>

#include "core/backup_cache.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "plot/marker_order.h"
#include "output/output.h"
#include "runtime/windows.h"
#include "core/data_generation.h"
#include "output/subset.h"

namespace qv {

namespace {

constexpr int kNoValidCasesWindow = 20;
constexpr int kResultsWindow = 4, kSubsetBox = 99, kNoticeWindow = 90;

bool fileInUseHasData() {
  const int f = TheFileInUse;
  return f >= 0 && f < kMaxOpenFiles && nCases[f] > 0 && nChannels[f] > 0;
}

std::vector<std::span<const float>> channelsOf(int f) {
  const int n = std::min<int>(nChannels[f], kMaxChannels);
  std::vector<std::span<const float>> spans(size_t(n) + 1);
  for (int c = 1; c <= n; ++c)
    if (const float* x = gPointersToFileData[f][c].get()) spans[size_t(c)] = {x, size_t(nCases[f]) + 1};
  return spans;
}

std::span<float> subsetRow() {
  float* row = BackupCacheRow(kSubsetRow);
  return row ? std::span<float>(row, size_t(kCacheRowLength)) : std::span<float>();
}

void noValidCasesWarning() {
  bzot();
  WarningSpec s;
  s.window = kNoValidCasesWindow;
  s.title = "No Valid Cases Warning";
  s.lines = {"I checked, but found no valid cases.", "You may continue with regular analysis, but cross-channel",
             "subset selection is deactivated."};
  s.sound = "";
  ShowWarning(s);
}

// The warning says the subset is off: so it is, and the results window's box shows it.
void switchSubsetOff() {
  UseCrossChanIndex = 0;
  if (rt::controlExistsIn(kResultsWindow, kSubsetBox)) rt::setButtonStateIn(kResultsWindow, kSubsetBox, 0);
  if (!prefsArray[69] && !prefsArray[70]) rt::closeWindow(kNoticeWindow);
}

void afterBuild(const SubsetBuild& b) {
  if (!b.noValidCases) return;
  noValidCasesWarning();
  switchSubsetOff();
}

}  // namespace

void CrossChanIndex() {
  if (!fileInUseHasData()) return;
  const std::span<float> row = subsetRow();
  if (row.empty()) {
    Warn(kNoValidCasesWindow, "Caution: ", {"There is not enough memory for the subset selection."});
    switchSubsetOff();
    return;
  }
  const int f = TheFileInUse;
  rt::setCursor(rt::Cursor::Wait);
  const auto channels = channelsOf(f);
  const SubsetBuild b = rebuildSubsetRow(SubsetRowBuiltFor, f, DataGeneration[f], CrossChanSelectionArray, channels,
                                         nCases[f], row);
  afterBuild(b);
  upvip();
  rt::setCursor(rt::Cursor::Arrow);
}

std::optional<SubsetBuild> RefreshSubsetForFileInUse() {
  if (!fileInUseHasData() || SubsetRowBuiltFor.slot < 0) return std::nullopt;
  const int f = TheFileInUse;
  if (subsetRowIsCurrent(SubsetRowBuiltFor, f, DataGeneration[f])) return std::nullopt;
  const std::span<float> row = subsetRow();
  if (row.empty()) return std::nullopt;
  const auto channels = channelsOf(f);
  const auto b = refreshSubsetRow(SubsetRowBuiltFor, f, DataGeneration[f], CrossChanSelectionArray, channels,
                                  nCases[f], row);
  if (b && UseCrossChanIndex) afterBuild(*b);
  return b;
}

int32_t SubsetCountOfFileInUse() {
  RefreshSubsetForFileInUse();
  const int f = TheFileInUse;
  if (!fileInUseHasData() || !subsetRowIsCurrent(SubsetRowBuiltFor, f, DataGeneration[f])) return 0;
  const std::span<float> row = subsetRow();
  return row.empty() ? 0 : int32_t(row[0]);
}

CaseFilters PrepareCaseFilters(bool honourSubset, bool honourInterpolation) {
  CaseFilters filters;
  if (!fileInUseHasData()) return filters;
  const int f = TheFileInUse;
  const size_t cases = size_t(nCases[f]) + 1;
  if (honourSubset && UseCrossChanIndex) {
    RefreshSubsetForFileInUse();
    // Flags made for other data are never used: a subset that was never built for this file
    // is built now.
    if (UseCrossChanIndex && !subsetRowIsCurrent(SubsetRowBuiltFor, f, DataGeneration[f])) CrossChanIndex();
    const std::span<float> row = subsetRow();
    if (UseCrossChanIndex && !row.empty()) {
      filters.useSubset = true;
      filters.subset = row.first(cases);
    }
  }
  // The spans pair each 200 with the next 199 in the table, so the table goes in case order first.
  if (honourInterpolation && AvoidInterpolation) SortMARKERS();
  if (honourInterpolation && AvoidInterpolation && MakeInterpolationRecord()) {
    filters.avoidInterpolation = true;
    filters.interpolated = std::span<const float>(BackupCacheRow(kInterpolationRow), cases);
    DataFilterNotice("interpolated data are ignored");
  }
  return filters;
}

}  // namespace qv
