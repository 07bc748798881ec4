// Reading the file the user chose: the reader its first bytes call for, reading from the
// file in place, and what the loading window shows meanwhile. A file that cannot be read is
// refused with its reason; nothing of it reaches the file table here.
#include <algorithm>
#include <optional>

#include "app/chooser.h"
#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "app/menu_state.h"
#include "core/notices.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "datafiles/binary_format.h"
#include "datafiles/file_facts.h"
#include "datafiles/file_source.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_fixes.h"
#include "datafiles/load_state.h"
#include "datafiles/load_windows.h"
#include "datafiles/open_road.h"
#include "datafiles/open_rules.h"
#include "datafiles/text_data_format.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

SampleArray (*gAllocate)(int32_t) = allocateSamples;

constexpr int32_t kLongTextLoad = 10001;
constexpr int kTextProgressSteps = 232;
constexpr int kLoadingWindowTop = 100, kLoadingWindowBottom = 305;

// Detection needs the first line (at most 255 characters of its first item) or four bytes.
constexpr size_t kDetectionBytes = 512;

// What the reader found worth telling beyond the loading window, which closes at once:
// the user reads it and clicks on.
void showLoadCautions(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  WarningSpec s;
  s.window = kLoadWarningWindow;
  s.title = "Load Warning";
  s.lines = lines;
  s.buttons = {"Click to Continue"};
  s.width = 520;
  ShowWarning(s);
}

// What the loading window says of the file read: status, kind, date and time, counts,
// interval, markers and notes.
void showFileFacts(int slot, const DataFile& f, std::string_view kind, int markersInFile) {
  if (!rt::windowExists(kLoadingWindow)) return;
  rt::setOutputWindow(kLoadingWindow);
  DataFileLoadStatus(1, "Loading file. . . .");
  EmbossPrint(1, "Kestrix", 22, 22, 102);
  SetTextStyle(KestrixFont, 16, rt::kBold);
  rt::foreColor(RGBred);
  rt::drawString(kind);
  rt::foreColor(RGBblack);
  rt::textFace(0);
  CasesInFileToMerge = f.nCases;
  ChannelsInFileToMerge = f.nChannels;
  FileInfoFLOATS[slot][1] = f.meta.info[1];
  SHOWFILEDATAx(f.meta.startDate, f.meta.startTime);
  SetTextStyle(KestrixFont, 12, 0);
  if (markersInFile > 0) PrintAt(16, 175, markersPresentLine(markersInFile));
  if (!f.meta.notes.empty()) PrintAt(16, 192, notesPresentLine(int(f.meta.notes.size())));
  rt::flushWindow(kLoadingWindow);
}

// The file gives its interval as zero: the user sets it or cancels the load.
bool intervalAccepted(int slot, DataFile& f, bool zeroInFile) {
  FileInfoFLOATS[slot][1] = zeroInFile ? 0.0f : f.meta.info[1];
  if (CheckSampleInterval() == 0) return false;
  f.meta.info[1] = FileInfoFLOATS[slot][1];
  return true;
}

std::optional<DataFile> readOwnBinary(int slot, const FileSource& file) {
  BinaryDecodeOptions options;
  options.allocate = gAllocate;
  BinaryLoadResult r = decodeBinaryFile(file, options);
  if (!r.ok()) {
    if (r.failure == LoadFailure::OutOfMemory) NotEnoughMemoryToLoad();
    else BADFILE(0);
    return std::nullopt;
  }
  if (!intervalAccepted(slot, r.file, r.report.zeroInterval)) return std::nullopt;
  showFileFacts(slot, r.file, "  binary data file", r.report.markersInFile);
  if (r.report.tooManyMarkers) MarkersWarning();
  showLoadCautions(r.report.warnings);
  return std::move(r.file);
}

std::optional<DataFile> readOwnText(int slot, FileSource& file, int64_t cases) {
  // The text is walked once from a read-only mapping: no copy of the file is made.
  const std::optional<std::span<const uint8_t>> bytes = file.map();
  if (!bytes) {
    TypeOfFile = kTypeRefused;
    FileCannotBeRead();
    return std::nullopt;
  }
  if (cases >= kLongTextLoad) LongLoadTimeWarning(0);
  MinimumProgressBarValue = 0;
  buildProgressBAR(40, 5, 332, 16, kTextProgressSteps, kLoadingWindow);
  int lastStep = -1;
  TextReadResult r = decodeTextDataFile(*bytes, [&lastStep](int32_t done, int32_t total) {
    const int step = total > 0 ? int(int64_t(done) * kTextProgressSteps / total) : 0;
    if (step == lastStep) return;
    lastStep = step;
    UpdateProgressBar(step);
    rt::keepResponsive();
  });
  rt::closeWindow(kLoadWarningWindow);
  rt::removeControl(777);
  if (!r.ok()) {
    // The refusal window names the type the road gives a refused file.
    TypeOfFile = kTypeRefused;
    if (r.refusal == kRefusedNoMemory) NotEnoughMemoryToLoad();
    else BADFILE(r.refusal);
    return std::nullopt;
  }
  DataFile& f = *r.file;
  if (!intervalAccepted(slot, f, !sampleIntervalUsable(f.meta.info[1]))) return std::nullopt;
  showFileFacts(slot, f, "  text data file", r.markersInFile);
  if (r.markersInFile > kMaxMarkers) MarkersWarning();
  // Of the markers the table could hold, those the reader did not keep pointed at no case.
  const int dropped = std::min(r.markersInFile, kMaxMarkers) - int(f.meta.markers.size());
  if (dropped > 0) showLoadCautions({markersDroppedLine(dropped)});
  return std::move(r.file);
}

}  // namespace

void setLoadAllocator(SampleArray (*allocate)(int32_t cases)) { gAllocate = allocate ? allocate : allocateSamples; }

// Window 15, beside the slot's plot window when it has one.
void OpenLoadingWindow(int slot) {
  const bool plotExists = FileSHORTS[slot][kPlotWindowWord] == 1 && rt::windowExists(1000 + slot);
  const LoadingWindowEdges e = loadingWindowEdges(plotExists, plotExists ? rt::windowContentRect(1000 + slot).left : 0);
  rt::closeWindow(kLoadingWindow);
  BuildWINDOW(kLoadingWindow, "File  '" + ThisFileName + " '", int16_t(e.left), kLoadingWindowTop, int16_t(e.right),
              kLoadingWindowBottom, 262);
  rt::refreshPump();
}

// Reads the chosen file into a complete file object, telling the user why when it cannot.
// The format is told from the first bytes alone, so a file of no known format is refused
// without reading the rest of it.
std::optional<DataFile> ReadChosenFile(int16_t slot, const std::string& path) {
  std::optional<FileSource> file = FileSource::open(path);
  const std::vector<uint8_t> head = file ? file->head(kDetectionBytes) : std::vector<uint8_t>{};
  if (!file || head.size() != std::min<uint64_t>(file->size(), kDetectionBytes)) {
    FileCannotBeRead();
    return std::nullopt;
  }
  const FormatDetection d = detectDataFormat(head, CasesInOriginalFile);
  TypeOfFile = d.type;
  switch (d.type) {
    case kTypeOwnBinary: return readOwnBinary(slot, *file);
    case kTypeOwnText: return readOwnText(slot, *file, d.firstNumber);
    case kTypeBCD: NotAvailable("Opening BCD data files"); return std::nullopt;
    case kTypeSable: NotAvailable("Opening Sable ExpeData files"); return std::nullopt;
    default:
      if (d.badFileKind != 1) bzot();
      BADFILE(d.badFileKind == 1 ? 1 : 0);
      return std::nullopt;
  }
}

}  // namespace qv
