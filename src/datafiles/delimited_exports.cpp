// File > Export Block as csv and View > Export Markers: the block's samples with their time
// and date columns, and the list of the file's markers, each written where the user says.
#include <algorithm>
#include <optional>
#include <string>

#include "core/backup_cache.h"
#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/warning.h"
#include "datafiles/csv_export.h"
#include "datafiles/datafiles.h"
#include "datafiles/save_options.h"
#include "datafiles/save_writing.h"
#include "core/fit_state.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

std::string besideFile(int f, const std::string& name) {
  if (CFURLarrayMain[f].empty()) return name;
  const std::string folder = rt::folderOf(CFURLarrayMain[f]);
  return folder == "/" ? "/" + name : folder + "/" + name;
}

std::optional<std::string> askWhere(int f, const std::string& prompt, const std::string& name) {
  std::optional<std::string> path = rt::OSpanelSave(prompt, besideFile(f, name));
  if (path && path->empty()) path.reset();
  return path;
}

std::vector<int16_t> channelsToSave(int f) {
  const int n = nChannels[f];
  BuildWINDOW(6, "Select Channels to Save", 80, 75, 400, int16_t(n >= 16 ? 18 * n + 206 : 450), 262);
  ChannelSelectControlFlag = 99;
  ChannelSelectionDialog(0, kSelectSave, 0, kModeSave, 0);
  ChannelSelectControlFlag = 0;
  rt::closeWindow(6);
  std::vector<int16_t> channels;
  for (int16_t c = 1; c <= n; ++c)
    if (overlayFlag(f, 2, c)) channels.push_back(c);
  return channels;
}

}  // namespace

void ExportBlockData() {
  const int16_t f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const int32_t first = std::clamp(BeginBlock[f], 0, nCases[f]);
  const int32_t last = EndBlock[f] == 0 ? nCases[f] : std::clamp(EndBlock[f], 0, nCases[f]);
  const std::optional<std::string> path = askWhere(f, "Save Block As...", blockExportName(FileName[f], first, last));
  const std::vector<int16_t> channels = channelsToSave(f);
  if (!path) return;
  if (channels.empty()) {
    Warn(1166, "Nothing to save: ", {"No channel was selected."});
    return;
  }
  CsvRequest r;
  r.first = first;
  r.last = last;
  r.headerMode = kCsvTimeColumns;
  r.dateColumn = true;
  r.dateKind = 1;
  r.timeUnits = TimeUnits;
  r.shortNames = eightcharacters != 0;
  r.timeCounter = timecounter != 0;
  r.counterHours = timecountervalue;
  r.interpolation = showinterpolationstatus != 0;
  if (r.interpolation && MakeInterpolationRecord()) r.interpolationFlags = BackupCacheRow(kInterpolationRow);
  r.markerColumn = prefsArray[80] != 0;
  r.filterChannel = prefsArray[26];
  r.filterTest = prefsArray[27];
  r.threshold = selectionvalue;
  r.channels = channels;
  r.digits = rt::gFBFloatMaxDigits;
  // The file keeps its own name: Save still writes it where it came from.
  writeCsvExport(f, r, *path);
}

void PrintMarkersToFile() {
  const int16_t f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const char separator = UseExcelFormat ? '\t' : ',';
  const std::string name = "Markers from " + FileName[f] + (UseExcelFormat ? ".xls" : ".csv");
  const std::optional<std::string> path = askWhere(f, ".csv file for markers data:", name);
  if (!path) return;
  const FileMeta meta = metaOfSlot(f);
  const std::string text = markerListText(meta.markers, FileInfoFLOATS[f][1], FileInfoFLOATS[f][8], separator,
                                          rt::gFBFloatMaxDigits);
  std::string why;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &why))
    Warn(1166, "Not saved: ", {"The marker list could not be written as", rt::fileNameOf(*path) + ":",
                               why.empty() ? "the disk refused it." : why});
}

}  // namespace qv
