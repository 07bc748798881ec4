// Reading the file the user chose: its bytes, the reader its first bytes call for, and what
// the loading window shows meanwhile. A file that cannot be read whole is refused with its
// reason; nothing of it reaches the file table here.
#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/chooser.h"
#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "app/menu_state.h"
#include "core/notices.h"
#include "core/sounds.h"
#include "datafiles/binary_format.h"
#include "datafiles/file_facts.h"
#include "datafiles/format_detect.h"
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
constexpr int kLineHeight = 17;

enum class ReadOutcome { Read, Unreadable, NoMemory };

struct FileBytes {
  std::vector<uint8_t> bytes;
  ReadOutcome outcome = ReadOutcome::Unreadable;
};

// The whole file, or why not: memory that cannot be had is told apart from a file that
// cannot be read.
FileBytes readDataFile(const std::string& path) {
  FileBytes fb;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return fb;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return fb;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return fb;
  try {
    fb.bytes.resize(size_t(size));
  } catch (const std::exception&) {
    std::fclose(f);
    fb.outcome = ReadOutcome::NoMemory;
    return fb;
  }
  const size_t got = size ? std::fread(fb.bytes.data(), 1, fb.bytes.size(), f) : 0;
  std::fclose(f);
  if (got != fb.bytes.size()) {
    std::vector<uint8_t>().swap(fb.bytes);
    return fb;
  }
  fb.outcome = ReadOutcome::Read;
  return fb;
}

// The loading window grows by a line for each remark beyond its usual ones.
void addLoadingLines(const std::vector<std::string>& lines) {
  if (lines.empty() || !rt::windowExists(kLoadingWindow)) return;
  const rt::Rect r = rt::windowContentRect(kLoadingWindow);
  rt::setWindowContentRect(kLoadingWindow, {r.left, r.top, r.right, r.bottom + kLineHeight * int(lines.size())});
  rt::setOutputWindow(kLoadingWindow);
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBred);
  int y = 209;
  for (const auto& l : lines) {
    PrintAt(16, y, l);
    y += kLineHeight;
  }
  rt::foreColor(RGBblack);
  rt::flushWindow(kLoadingWindow);
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

std::optional<DataFile> readOwnBinary(int slot, std::span<const uint8_t> bytes) {
  BinaryDecodeOptions options;
  options.allocate = gAllocate;
  BinaryLoadResult r = decodeBinaryFile(bytes, options);
  if (!r.ok()) {
    if (r.failure == LoadFailure::OutOfMemory) NotEnoughMemoryToLoad();
    else BADFILE(0);
    return std::nullopt;
  }
  if (!intervalAccepted(slot, r.file, r.report.zeroInterval)) return std::nullopt;
  showFileFacts(slot, r.file, "  binary data file", r.report.markersInFile);
  if (r.report.tooManyMarkers) MarkersWarning();
  addLoadingLines(r.report.warnings);
  return std::move(r.file);
}

std::optional<DataFile> readOwnText(int slot, std::span<const uint8_t> bytes, int64_t cases) {
  if (cases >= kLongTextLoad) LongLoadTimeWarning(0);
  MinimumProgressBarValue = 0;
  buildProgressBAR(40, 5, 332, 16, kTextProgressSteps, kLoadingWindow);
  int lastStep = -1;
  TextReadResult r = decodeTextDataFile(bytes, [&lastStep](int32_t done, int32_t total) {
    const int step = total > 0 ? int(int64_t(done) * kTextProgressSteps / total) : 0;
    if (step == lastStep) return;
    lastStep = step;
    UpdateProgressBar(step);
    rt::keepResponsive();
  });
  rt::closeWindow(kLoadWarningWindow);
  rt::removeControl(777);
  if (!r.ok()) {
    if (r.refusal == kRefusedNoMemory) NotEnoughMemoryToLoad();
    else BADFILE(r.refusal);
    return std::nullopt;
  }
  DataFile& f = *r.file;
  if (!intervalAccepted(slot, f, f.meta.info[1] == 0.0f)) return std::nullopt;
  showFileFacts(slot, f, "  text data file", r.markersInFile);
  if (r.markersInFile > kMaxMarkers) MarkersWarning();
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
std::optional<DataFile> ReadChosenFile(int16_t slot, const std::string& path) {
  FileBytes fb = readDataFile(path);
  if (fb.outcome == ReadOutcome::NoMemory) {
    NotEnoughMemoryToLoad();
    return std::nullopt;
  }
  if (fb.outcome == ReadOutcome::Unreadable) {
    FileCannotBeRead();
    return std::nullopt;
  }
  const FormatDetection d = detectDataFormat(fb.bytes, CasesInOriginalFile);
  TypeOfFile = d.type;
  switch (d.type) {
    case kTypeOwnBinary: return readOwnBinary(slot, fb.bytes);
    case kTypeOwnText: return readOwnText(slot, fb.bytes, d.firstNumber);
    case kTypeBCD: NotAvailable("Opening BCD data files"); return std::nullopt;
    case kTypeSable: NotAvailable("Opening Sable ExpeData files"); return std::nullopt;
    default:
      if (d.badFileKind != 1) bzot();
      BADFILE(d.badFileKind == 1 ? 1 : 0);
      return std::nullopt;
  }
}

}  // namespace qv
