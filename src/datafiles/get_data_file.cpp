// The heart of the open road: a slot for the new file, the file chosen, its format told from
// its first bytes, the reader for that format, the repairs of a file just read, and the
// commit into the slot. Until the commit nothing of the file table changes but the slot's
// description, which slot 21 keeps; a load that does not go through puts it back.
#include <array>
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>

#include "core/chooser.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/notices.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafiles.h"
#include "datafiles/file_facts.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_fixes.h"
#include "datafiles/load_state.h"
#include "datafiles/load_windows.h"
#include "datafiles/open_road.h"
#include "datafiles/open_rules.h"
#include "datafiles/text_data_format.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/panels.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "scripts/script_state.h"
#include "stats/data_generation.h"

namespace qv {

std::string CLICKEDDataFileCFURL;
int16_t Cancel_Open = 0;
float originalSinterval = 0;
int16_t oldNchan = 0;

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

std::array<bool, kMaxOpenFiles> slotsTaken() {
  std::array<bool, kMaxOpenFiles> taken{};
  for (int s = 0; s < kMaxOpenFiles; ++s) taken[size_t(s)] = FileSHORTS[s][kInUseWord] != 0 || nCases[s] > 0;
  return taken;
}

int freeSlot() {
  const auto taken = slotsTaken();
  return lowestFreeSlot(taken);
}

void playIfSoundsOn(const char* name) {
  if (prefsArray[7] && !RunScript && !prefsArray[48]) PlaySound(name);
}

// Window 15, beside the slot's plot window when it has one.
void openLoadingWindow(int slot) {
  const bool plotExists = FileSHORTS[slot][kPlotWindowWord] == 1 && rt::windowExists(1000 + slot);
  const LoadingWindowEdges e = loadingWindowEdges(plotExists, plotExists ? rt::windowContentRect(1000 + slot).left : 0);
  rt::closeWindow(kLoadingWindow);
  BuildWINDOW(kLoadingWindow, "File  '" + ThisFileName + " '", int16_t(e.left), kLoadingWindowTop, int16_t(e.right),
              kLoadingWindowBottom, 262);
  rt::refreshPump();
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

// The ends of every channel, then (when the preference asks for it) isolated spikes. The
// ends come first so that a value left at an end by acquisition never makes a spike of its
// neighbour.
void repairSamples(DataFile& f) {
  if (rt::windowExists(kLoadingWindow)) {
    rt::setOutputWindow(kLoadingWindow);
    rt::removeControl(999);
    rt::eraseRect({0, 20, 400, 75});
    SetTextStyle(KestrixFont, 20, 0);
    PrintAt(40, 46, "Fixing aberrant values...");
    MinimumProgressBarValue = 0;
    buildProgressBAR(40, 5, 332, 16, f.nChannels, kLoadingWindow);
  }
  fixAberrantEnds(f);
  if (prefsArray[46] == 0) return;
  for (int c = 1; c <= f.nChannels; ++c) {
    spikeCheckChannel({f.channels[size_t(c)].get(), size_t(f.nCases) + 1});
    UpdateProgressBar(c);
  }
}

// A new file starts with nothing of the one the slot held before: no block, zoom, compacted
// data or channel choices.
void clearSlotState(int slot) {
  std::fill(std::begin(FileSHORTS[slot]), std::end(FileSHORTS[slot]), int16_t(0));
  BeginBlock[slot] = EndBlock[slot] = 0;
  zoomleft[slot] = zoomright[slot] = 0;
  CompactedChannel[slot] = 0;
  for (auto& row : ParseArray[slot]) std::vector<float>().swap(row);
  for (int c = 1; c <= kMaxChannels; ++c) overlayFlag(slot, 1, c) = 0;
  ActiveChannelArray[slot] = 1;
}

void commitLoadedFile(DataFile&& f, int slot, const std::string& path) {
  f.meta.name = ThisFileName;
  f.meta.info[8] = startTimeOfDayMinutes(f.meta.startTime);
  clearSlotState(slot);
  commitDataFile(std::move(f), slot);
  FileSHORTS[slot][kInUseWord] = 1;
  FileSHORTS[slot][kPageWord] = 1;
  FileSHORTS[slot][kActiveChannelWord] = 1;
  CFURLarrayMain[slot] = CFURLarrayLast[slot] = CFURLarrayOutput[slot] = path;
  for (int s = 1; s <= 5; ++s) OldLabelStrings[slot][s] = LabelStrings[slot][s];
  KeepLoadedChannelForUndo(int16_t(slot));
  raiseDataGeneration(slot);
  FileJustLoaded = 1;
  prefsArray[10] = FileSHORTS[slot][kMarkerCountWord] > kMostMarkersDrawn ? 0 : 1;
  int open = 0;
  for (int s = 0; s < kMaxOpenFiles; ++s) open += slotIsOpen(s);
  NumberOfOpenFiles = int16_t(open);
}

// The previous file in use once the close chooser has run: itself when still open, else the
// one the chooser put in its place.
int16_t previousAfterChooser(int16_t previous) {
  if (slotIsOpen(previous)) return previous;
  const int16_t g = highestOpenSlot();
  return g >= 0 ? g : previous;
}

// The values of all channels shown under the pointer belong to the file being left.
void closeValueFields(int16_t f) {
  if (!AllValues || !slotIsOpen(f) || nChannels[f] <= 1 || !rt::windowExists(1000 + f)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(1000 + f);
  for (int id = 201; id <= 200 + nChannels[f] - 1; ++id) rt::removeControl(id);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

std::optional<std::string> chooseFile(int16_t fromFinder) {
  if (fromFinder) {
    MergeThisFile = 0;
    if (CLICKEDDataFileCFURL.empty()) return std::nullopt;
    return CLICKEDDataFileCFURL;
  }
  const OpenPanelRequest request = openPanelFor(TypeOfFile);
  return rt::OSpanelOpen(request.prompt, request.extensions);
}

// Reads the chosen file into a complete file object, telling the user why when it cannot.
std::optional<DataFile> readChosenFile(int16_t slot, const std::string& path) {
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

}  // namespace

bool slotIsOpen(int slot) {
  return slot >= 0 && slot < kMaxOpenFiles && nCases[slot] > 0 && nChannels[slot] > 0 &&
         FileSHORTS[slot][kInUseWord] != 0;
}

int16_t highestOpenSlot() {
  for (int16_t s = kMaxOpenFiles - 1; s >= 0; --s)
    if (slotIsOpen(s)) return s;
  return -1;
}

void setLoadAllocator(SampleArray (*allocate)(int32_t cases)) { gAllocate = allocate ? allocate : allocateSamples; }

int16_t FileLoadingError(int16_t previousSlot, int16_t slot) {
  Rip();
  TypeOfFile = kTypeRefused;
  if (slot >= 0 && slot < kMaxOpenFiles) {
    CFURLarrayMain[slot] = CFURLarrayLast[slot];
    copySlotDescription(kBackupSlot, slot);
  }
  TheFileInUse = previousSlot;
  CasesInFileToMerge = 0;
  ChannelsInFileToMerge = 0;
  rt::setHandler(rt::Vector::FileError, rt::FBFileErrorAlert);
  rt::setFileError(0);
  action = eventID = MenuIDENTIFIER = 0;
  rt::closeWindow(kLoadingWindow);
  rt::closeWindow(kLoadWarningWindow);
  keepFileKeptForLoad();
  return 1;
}

int16_t GETDATAFILE(int16_t fromFinder) {
  int16_t previous = TheFileInUse;
  CasesInFileToMerge = 0;
  ChannelsInFileToMerge = 0;
  if (MergeThisFile) {
    NotAvailable("Append or Stack");
    MergeThisFile = appendONLY = stackONLY = 0;
    TypeOfFile = kTypeRefused;
    return 1;
  }
  // With every slot taken, the close chooser is the only way on; Cancel abandons the load.
  int slot = freeSlot();
  if (slot < 0) {
    if (chooseFilesToClose(true) != 0 || (slot = freeSlot()) < 0) {
      keepFileKeptForLoad();
      Rip();
      TypeOfFile = kTypeRefused;
      action = eventID = MenuIDENTIFIER = 0;
      return 1;
    }
    previous = previousAfterChooser(previous);
  }

  copySlotDescription(slot, kBackupSlot);
  CasesInOriginalFile = 0;
  ChannelsInOriginalFile = 0;
  FileSHORTS[kBackupSlot][kMarkerCountWord] = 0;
  CFURLarrayLast[slot] = CFURLarrayMain[slot];
  closeValueFields(previous);
  rt::setHandler(rt::Vector::FileError, HandleFileError);

  const std::optional<std::string> path = chooseFile(fromFinder);
  if (!path) {
    TypeOfFile = kTypeRefused;
    downvip();
    return FileLoadingError(previous, int16_t(slot));
  }
  ThisFileName = rt::leftChars(rt::fileNameOf(*path), 255);

  // The slot is the file in use while it is read, so that the loading window describes it.
  TheFileInUse = int16_t(slot);
  nCases[slot] = 0;
  nChannels[slot] = 0;
  FileSHORTS[slot][kInUseWord] = 1;
  openLoadingWindow(slot);
  std::optional<DataFile> file = readChosenFile(int16_t(slot), *path);
  if (!file) return FileLoadingError(previous, int16_t(slot));

  rt::closeWindow(kLoadWarningWindow);
  rt::setFileError(0);
  rt::setHandler(rt::Vector::FileError, rt::FBFileErrorAlert);
  playIfSoundsOn("setup.mp3");
  repairSamples(*file);
  commitLoadedFile(std::move(*file), slot, *path);
  rt::closeWindow(kLoadingWindow);
  closeFileKeptForLoad();
  return 0;
}

}  // namespace qv
