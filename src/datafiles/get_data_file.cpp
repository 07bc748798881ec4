// The heart of the open road: a slot for the new file, the file chosen and read, the repairs
// of a file just read, and the commit into the slot. Until the commit nothing of the file
// table changes but the slot's description, which slot 21 keeps; a load that does not go
// through puts it back.
#include <array>
#include <new>
#include <optional>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/notices.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "datafiles/datafiles.h"
#include "datafiles/file_facts.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_fixes.h"
#include "datafiles/load_state.h"
#include "datafiles/load_windows.h"
#include "datafiles/merge_road.h"
#include "datafiles/open_road.h"
#include "core/open_rules.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/panels.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "core/script_state.h"
#include "core/data_generation.h"

namespace qv {

std::string CLICKEDDataFileCFURL;
int16_t Cancel_Open = 0;
float originalSinterval = 0;
int16_t oldNchan = 0;

namespace {

std::array<bool, kMaxOpenFiles> slotsTaken() {
  std::array<bool, kMaxOpenFiles> taken{};
  for (int s = 0; s < kMaxOpenFiles; ++s) taken[size_t(s)] = slotIsOpen(s) || FileSHORTS[s][kInUseWord] != 0 || nCases[s] > 0;
  return taken;
}

int freeSlot() {
  const auto taken = slotsTaken();
  return lowestFreeSlot(taken);
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
// data or channel choices. The view mode stays: the preferences may bring the first file up
// in strips.
void clearSlotState(int slot) {
  const int16_t view = FileSHORTS[slot][kViewModeWord];
  std::fill(std::begin(FileSHORTS[slot]), std::end(FileSHORTS[slot]), int16_t(0));
  FileSHORTS[slot][kViewModeWord] = view;
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
  CFURLarrayMain[slot] = CFURLarrayLast[slot] = CFURLarrayOutput[slot] = path;
  for (int s = 1; s <= 5; ++s) OldLabelStrings[slot][s] = LabelStrings[slot][s];
  KeepLoadedChannelForUndo(int16_t(slot));
  raiseDataGeneration(slot);
  FileJustLoaded = 1;
  prefsArray[10] = FileSHORTS[slot][kMarkerCountWord] > kMostMarkersDrawn ? 0 : 1;
  NumberOfOpenFiles = int16_t(openFileCount());
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

}  // namespace

int16_t highestOpenSlot() {
  for (int16_t s = kMaxOpenFiles - 1; s >= 0; --s)
    if (slotIsOpen(s)) return s;
  return -1;
}

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
  if (MergeThisFile && !fromFinder) return MergeIntoFileInUse();
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
  const bool import = TypeOfFile == 3;
  if (!import) OpenLoadingWindow(slot);
  // Memory that cannot be had anywhere on the way is a refusal like any other: the slot
  // was free before the load and is given back free.
  try {
    std::optional<DataFile> file = import ? ImportTextFile(*path) : ReadChosenFile(int16_t(slot), *path);
    if (!file) return FileLoadingError(previous, int16_t(slot));

    rt::closeWindow(kLoadWarningWindow);
    rt::setFileError(0);
    rt::setHandler(rt::Vector::FileError, rt::FBFileErrorAlert);
    playUnlessSilenced("setup.mp3");
    // An import has its own rule for a wild last value; the repairs of acquisition files
    // would change the text's numbers.
    if (!import) repairSamples(*file);
    commitLoadedFile(std::move(*file), slot, *path);
  } catch (const std::bad_alloc&) {
    freeSlotArrays(slot);
    NotEnoughMemoryToLoad();
    return FileLoadingError(previous, int16_t(slot));
  }
  rt::closeWindow(kLoadingWindow);
  closeFileKeptForLoad();
  return 0;
}

}  // namespace qv
