// SAVEDATAFILE: the one road by which the file in use reaches the disk. Save writes it where
// it came from in the own binary format; Save As asks for the channels, the cases, the
// format and the name. Only a save of the whole file in one of the program's own formats
// leaves the file marked as saved.
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/notices.h"
#include "core/prefs.h"
#include "core/warning.h"
#include "datafiles/binary_format.h"
#include "datafiles/compaction.h"
#include "datafiles/datafiles.h"
#include "datafiles/save_names.h"
#include "datafiles/save_options.h"
#include "datafiles/save_writing.h"
#include "core/fit_state.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kChannelWindow = 6;

// The slot's location names the file it holds: one opened or saved whole by this program.
// A slot that has none (an import, a new file) or holds another file's location has no place
// of its own to be saved in.
bool hasOwnLocation(int f) {
  const std::string& at = CFURLarrayMain[f];
  return !at.empty() && rt::fileNameOf(at) == FileName[f];
}

std::string inFolderOf(const std::string& location, const std::string& name) {
  const std::string folder = rt::folderOf(location);
  return folder == "/" ? "/" + name : folder + "/" + name;
}

void flagEveryChannel(int f, int n) {
  for (int c = 1; c <= kMaxChannels; ++c) overlayFlag(f, 2, c) = c <= n ? 1 : 0;
}

std::vector<int16_t> flaggedChannels(int f, int n) {
  std::vector<int16_t> channels;
  for (int16_t c = 1; c <= n; ++c)
    if (overlayFlag(f, 2, c)) channels.push_back(c);
  return channels;
}

// Window 6 with the channel selection dialog in its saving mode; true when "Block Only" was
// ticked.
bool chooseChannels(int n, int16_t compacted) {
  const int extra = n >= 16 ? 18 * n - 244 : 0;
  BuildWINDOW(kChannelWindow, "Select Channels to Save", 80, 75, 400, int16_t(450 + extra), 262);
  printblock = 0;
  ChannelSelectControlFlag = 99;
  ChannelSelectionDialog(0, kSelectSave, 1, kModeSave, compacted);
  ChannelSelectControlFlag = 0;
  const bool blockOnly = printblock != 0;
  printblock = 0;
  rt::closeWindow(kChannelWindow);
  return blockOnly;
}

// The save panel, starting in the folder of the file when it has one; nothing when cancelled.
std::optional<std::string> askForLocation(int f, const std::string& proposed) {
  const std::string name = proposed.empty() ? DefaultNameStem : proposed;
  const std::string start = CFURLarrayMain[f].empty() ? name : inFolderOf(CFURLarrayMain[f], name);
  std::optional<std::string> path = rt::OSpanelSave("Save Data File As...", start);
  if (path && path->empty()) path.reset();
  return path;
}

std::string displayName(int f) {
  if (FileName[f].empty()) return DefaultNameStem;
  return !RearrangedName[f].empty() && RearrangedName[f] == FileName[f] ? withReArSuffix(FileName[f]) : FileName[f];
}

// Memory ran short on the road (a dialog, a list of channels): nothing was written and the
// file is as it was. The warning may itself find no memory; the road still ends normally.
void saveRanOutOfMemory() {
  try {
    Warn(1166, "Not saved: ", {std::string(kSaveMemoryMessage), "The file is as it was."});
  } catch (const std::bad_alloc&) {
  }
}

SaveResult runSave(int16_t f, int16_t ask, int16_t inPlace, int16_t compacted) {
  const int n = nChannels[f];
  if (inPlace || !ask) flagEveryChannel(f, n);
  DefaultSave = ask ? 0 : 1;
  bool blockOnly = false;
  if (compacted || (ask && !DefaultSave)) blockOnly = chooseChannels(n, compacted);

  SaveJob job;
  job.inPlace = inPlace != 0;
  if (DefaultSave) {
    // "Standard Kestrix Format" promises every channel: it keeps the whole file, as Save does.
    flagEveryChannel(f, n);
    blockOnly = false;
  }
  job.channels = flaggedChannels(f, n);
  if (job.channels.empty()) {
    Warn(1166, "Nothing to save: ", {"No channel was selected."});
    return SaveResult::Cancelled;
  }
  job.range = saveRange(blockOnly, FileSHORTS[f][kBlockStateWord] == 2, nCases[f], BeginBlock[f], EndBlock[f]);
  if (compacted) {
    // Only rows made from the data as they are now may be saved as their means.
    if (!compactionIsCurrent(f)) {
      Warn(1166, "Nothing to save: ", {"There are no compacted data of this file as it is now.",
                                       "Please run the compaction again."});
      return SaveResult::Cancelled;
    }
    job.compacted = true;
    job.format = kSaveCsv;
    const std::optional<std::string> at = askForLocation(f, compactedSaveName(displayName(f)) + ".txt");
    if (!at) return SaveResult::Cancelled;
    return writeSavedFile(f, job, *at);
  }

  std::optional<std::string> path;
  if (DefaultSave) {
    job.format = kSaveStandard;
    if (DefaultSaveAs) {
      path = askForLocation(f, proposedSaveName(displayName(f), kSaveStandard));
      DefaultSaveAs = 0;
    } else {
      // In place: the own binary file beside the one the slot came from. That file is never
      // moved; a write goes to a temporary file renamed over the target only when complete.
      path = inFolderOf(CFURLarrayMain[f], proposedSaveName(FileName[f], kSaveStandard));
    }
  } else {
    const SaveFormatChoice choice = FileFormatSelection();
    if ((choice.format == kSaveCsv || choice.format == kSaveSable) && choice.timeInformation == kTimeIndexEachRow)
      TIMECHOICE(1);
    // Only the csv writer filters rows: the condition is asked for there alone, and kept.
    if (choice.format == kSaveCsv && prefsArray[26]) ConditionalSaveWindow(job.channels.front());
    job.format = choice.format;
    job.csv = choice;
    path = askForLocation(f, proposedSaveName(displayName(f), choice.format));
  }
  if (!path) return SaveResult::Cancelled;
  return writeSavedFile(f, job, *path);
}

}  // namespace

SaveResult SAVEDATAFILE(int16_t ask, int16_t inPlace, int16_t compacted) {
  const int16_t f = TheFileInUse;
  if (!slotIsOpen(f)) return SaveResult::Failed;
  // A file with no place of its own is saved where the user says.
  if (inPlace && !compacted && !hasOwnLocation(f)) ask = 1, inPlace = 0;
  const int16_t page = FileSHORTS[f][kPageWord], pages = FileSHORTS[f][kPageCountWord],
                compressed = FileSHORTS[f][kCompressedWord];
  HideTheToolBar();
  SaveResult result = SaveResult::Failed;
  try {
    result = runSave(f, ask, inPlace, compacted);
  } catch (const std::bad_alloc&) {
    saveRanOutOfMemory();
  }
  rt::closeWindow(16);
  rt::closeWindow(kSaveStatusWindow);
  FileSHORTS[f][kCompressedWord] = compressed;
  FileSHORTS[f][kPageWord] = page;
  FileSHORTS[f][kPageCountWord] = pages;
  DefaultSave = DefaultSaveAs = printblock = 0;
  RestoreTheToolBar();
  return result;
}

}  // namespace qv
