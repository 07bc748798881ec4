// Reading the file the user chose: the reader its first bytes call for, reading from the
// file in place, and what the loading window shows meanwhile. A file that cannot be read is
// refused with its reason; nothing of it reaches the file table here.
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/notices.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "datafiles/bcd_format.h"
#include "datafiles/binary_format.h"
#include "datafiles/file_facts.h"
#include "datafiles/file_source.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_fixes.h"
#include "datafiles/load_state.h"
#include "datafiles/load_windows.h"
#include "datafiles/open_road.h"
#include "core/open_rules.h"
#include "datafiles/sable_format.h"
#include "datafiles/text_data_format.h"
#include "runtime/bytes.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
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

// The Sable file's facts in the loading window: its maker, version and counts, and in red
// when it has more channels than a file can hold.
void showSableFacts(int slot, const DataFile& f, const SableLoadReport& rep) {
  if (!rt::windowExists(kLoadingWindow)) return;
  rt::setOutputWindow(kLoadingWindow);
  DataFileLoadStatus(1, "Importing File. . .");
  EmbossPrint(1, "Sable Systems", 18, 15, 116);
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblue);
  rt::drawString("  SSCF or ExpeData, V." + rt::PSstr(rep.version));
  rt::foreColor(RGBblack);
  CasesInFileToMerge = f.nCases;
  ChannelsInFileToMerge = f.nChannels;
  FileInfoFLOATS[slot][1] = f.meta.info[1];
  SHOWFILEDATAx(f.meta.startDate, f.meta.startTime);
  SetTextStyle(KestrixFont, 12, 0);
  if (rep.markersInFile > 0) PrintAt(16, 175, markersPresentLine(rep.markersInFile));
  if (rep.channelsInFile > kMaxChannels) {
    bzot();
    SetTextStyle(KestrixFont, 16, 0);
    rt::foreColor(RGBred);
    PrintAt(16, 195, "(only the first" + rt::PSstrLong(kMaxChannels) + " channels will be read!) ");
    rt::foreColor(RGBblack);
  }
  rt::flushWindow(kLoadingWindow);
}

// The case count of a Sable header, before the file is read: a long read is announced.
double sableCasesInHead(std::span<const uint8_t> head) {
  if (head.size() < size_t(kSableHeaderBytes)) return 0;
  rt::ByteReader r(head);
  r.skip(12);
  return std::trunc(double(r.f32le()));
}

std::optional<DataFile> readSable(int slot, const FileSource& file, std::span<const uint8_t> head) {
  const double cases = sableCasesInHead(head);
  if (cases >= kSableLongLoad && cases <= kMaxCases) LongLoadTimeWarning(0);
  SableLoadResult r = decodeSableFile(file, gAllocate);
  rt::closeWindow(kLoadWarningWindow);
  if (!r.ok()) {
    if (r.failure == LoadFailure::OutOfMemory) NotEnoughMemoryToLoad();
    else BADFILE(r.report.tooManyCases ? 1 : 0);
    return std::nullopt;
  }
  if (!intervalAccepted(slot, r.file, r.report.zeroInterval)) return std::nullopt;
  showSableFacts(slot, r.file, r.report);
  if (r.report.markersInFile > kMaxMarkers) MarkersWarning();
  showLoadCautions(r.report.warnings);
  return std::move(r.file);
}

// The channel count of a BCD header, before the file is read: a step of the bar a channel.
int bcdChannelsInHead(std::span<const uint8_t> head) {
  const auto cr = std::find(head.begin(), head.end(), uint8_t(13));
  const size_t at = size_t(cr - head.begin()) + 1 + 8;
  if (cr == head.end() || at + 4 > head.size()) return 0;
  const float channels = Read_BCD(std::span<const uint8_t, 4>(head.data() + at, 4));
  return channels >= 1 && channels <= kMaxChannels ? int(channels) : 0;
}

std::optional<DataFile> readBCD(int slot, const FileSource& file, std::span<const uint8_t> head) {
  const int channels = bcdChannelsInHead(head);
  if (rt::windowExists(kLoadingWindow) && channels > 0) {
    rt::setOutputWindow(kLoadingWindow);
    SetTextStyle(KestrixFont, 14, 0);
    PrintAt(40, 90, "Converting BCD... ");
    MinimumProgressBarValue = 0;
    buildProgressBAR(40, 5, 332, 16, int16_t(channels), kLoadingWindow);
  }
  BCDLoadResult r = decodeBCDFile(file, gAllocate, [](int channel) { UpdateProgressBar(channel); });
  rt::removeControl(777);
  if (!r.ok()) {
    if (r.failure == LoadFailure::OutOfMemory) NotEnoughMemoryToLoad();
    else BADFILE(r.badFileKind);
    return std::nullopt;
  }
  if (!intervalAccepted(slot, r.file, r.zeroInterval)) return std::nullopt;
  showFileFacts(slot, r.file, "  BCD binary file", r.markersInFile);
  if (r.markersInFile > kMaxMarkers) MarkersWarning();
  if (r.markersDropped > 0) showLoadCautions({markersDroppedLine(r.markersDropped)});
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
    case kTypeBCD: return readBCD(slot, *file, head);
    case kTypeSable: return readSable(slot, *file, head);
    default:
      if (d.badFileKind != 1) bzot();
      BADFILE(d.badFileKind == 1 ? 1 : 0);
      return std::nullopt;
  }
}

}  // namespace qv
