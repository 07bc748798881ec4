// A second file merged into the file in use: read and repaired alone by its own reader, the
// user's choices, the joint file built apart, and only then the slot replaced. Whatever ends
// the merge before that leaves the file in use as it was.
#include <new>

#include "core/menu_state.h"
#include "core/data_generation.h"
#include "core/script_state.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "datafiles/file_facts.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_fixes.h"
#include "datafiles/load_state.h"
#include "datafiles/load_windows.h"
#include "datafiles/merge_road.h"
#include "datafiles/merge_windows.h"
#include "datafiles/open_road.h"
#include "core/open_rules.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/panels.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

SampleArray (*gMergeAllocate)(int32_t) = allocateSamples;

int16_t endMerge(int f) {
  copySlotDescription(kBackupSlot, f);
  FileInfoFLOATS[f][7] = FileInfoFLOATS[kBackupSlot][7];
  Rip();
  TypeOfFile = kTypeRefused;
  CasesInFileToMerge = 0;
  ChannelsInFileToMerge = 0;
  rt::setHandler(rt::Vector::FileError, rt::FBFileErrorAlert);
  rt::setFileError(0);
  action = eventID = MenuIDENTIFIER = 0;
  rt::closeWindow(kLoadingWindow);
  rt::closeWindow(kLoadWarningWindow);
  return 1;
}

void refuse(MergeRefusal why) {
  if (why == MergeRefusal::TooManyCases) TimeScaleWarning(0);
  else if (why == MergeRefusal::TooManyChannels) TooManyChannelsWarning(channelsThatFit(nChannels[TheFileInUse]));
  else if (why == MergeRefusal::NoMemory) NotEnoughMemoryToLoad();
  else BADFILE(0);
}

void commitMerged(DataFile&& joint, int f) {
  joint.meta.name = FileName[f];
  joint.meta.info[8] = startTimeOfDayMinutes(joint.meta.startTime);
  commitDataFile(std::move(joint), f);
  // A merged file is a changed file whose old undo copy and block no longer fit it.
  FileSHORTS[f][kChangeMarkWord] = 1;
  InvalidateUndoOfSlot(int16_t(f));
  BeginBlock[f] = EndBlock[f] = 0;
  FileSHORTS[f][kBlockLeftWord] = FileSHORTS[f][kBlockRightWord] = 0;
  FileSHORTS[f][kBlockStateWord] = 0;
  for (int s = 1; s <= 5; ++s) OldLabelStrings[f][s] = LabelStrings[f][s];
  raiseDataGeneration(f);
  FileJustLoaded = 1;
  prefsArray[10] = FileSHORTS[f][kMarkerCountWord] > kMostMarkersDrawn ? 0 : 1;
}

// The second file, read and repaired on its own; the slot's words the readers used while
// reading are put back.
std::optional<DataFile> readSecondFile(int f, const std::string& path) {
  std::optional<DataFile> file = ReadChosenFile(int16_t(f), path);
  const int16_t detected = TypeOfFile;
  copySlotDescription(kBackupSlot, f);
  TypeOfFile = detected;
  if (!file) return std::nullopt;
  rt::closeWindow(kLoadWarningWindow);
  rt::setFileError(0);
  rt::setHandler(rt::Vector::FileError, rt::FBFileErrorAlert);
  fixAberrantEnds(*file);
  if (prefsArray[46] != 0) SPIKEcheck(*file);
  file->meta.name = ThisFileName;
  return file;
}

}  // namespace

void setMergeAllocator(SampleArray (*allocate)(int32_t)) { gMergeAllocate = allocate ? allocate : allocateSamples; }

int16_t MergeIntoFileInUse() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) {
    MergeThisFile = appendONLY = stackONLY = 0;
    TypeOfFile = kTypeRefused;
    return 1;
  }
  copySlotDescription(f, kBackupSlot);
  CasesInOriginalFile = 0;  // a second file too long to append may still be stacked
  ChannelsInOriginalFile = nChannels[f];
  rt::setHandler(rt::Vector::FileError, HandleFileError);
  const OpenPanelRequest request = openPanelFor(TypeOfFile);
  const std::optional<std::string> path = rt::OSpanelOpen(request.prompt, request.extensions);
  if (!path) {
    downvip();
    appendONLY = stackONLY = 0;
    return endMerge(f);
  }
  ThisFileName = rt::leftChars(rt::fileNameOf(*path), 255);
  OpenLoadingWindow(f);
  try {
    std::optional<DataFile> second = readSecondFile(f, *path);
    CasesInOriginalFile = nCases[f];
    if (!second) {
      appendONLY = stackONLY = 0;
      return endMerge(f);
    }
    rt::closeWindow(kLoadingWindow);
    const bool fixed = TypeOfFile == kTypeSable || TypeOfFile == kTypeBCD;
    std::optional<MergeChoices> choices = AddSecondFile(SecondFile{&*second, fixed, TypeOfFile == kTypeSable});
    if (!choices) return endMerge(f);
    choices->interval = MERGEFileTimeScaleAdjust(FileInfoFLOATS[f][1], second->meta.info[1]);
    FileMeta meta;
    const DataFileView a = viewOfSlot(f, meta);
    MergeResult r = choices->addChannels ? stackFiles(a, *second, *choices, gMergeAllocate)
                                         : appendFiles(a, *second, *choices, gMergeAllocate);
    if (!r.file) {
      refuse(r.refusal);
      return endMerge(f);
    }
    second.reset();
    commitMerged(std::move(*r.file), f);
  } catch (const std::bad_alloc&) {
    NotEnoughMemoryToLoad();
    return endMerge(f);
  }
  CasesInFileToMerge = 0;
  ChannelsInFileToMerge = 0;
  playUnlessSilenced("setup.mp3");
  rt::setHandler(rt::Vector::FileError, rt::FBFileErrorAlert);
  rt::closeWindow(kLoadingWindow);
  return 0;
}

}  // namespace qv
