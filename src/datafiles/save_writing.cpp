#include "datafiles/save_writing.h"

#include <algorithm>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafile.h"
#include "datafiles/file_facts.h"
#include "datafiles/text_data_format.h"
#include "datafiles/text_size_warning.h"
#include "runtime/files.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "scripts/script_recorder.h"

namespace qv {

namespace {

constexpr int16_t kProgressBar = 777;
constexpr int32_t kTextProgressSteps = 290;
constexpr size_t kLongestFileName = 255;

void openStatusWindow() {
  BuildWINDOW(kSaveStatusWindow, "Save data file", 74, 75, 445, 295, 262);
  SetTextStyle(KestrixFont, 16, 0);
  rt::foreColor(RGBblack);
  PrintAt(16, 60, "  Saving file. . . .");
}

struct Written {
  std::vector<uint8_t> bytes;
  std::string error;
};

Written encode(int16_t f, const SaveJob& job, const DataFileView& view) {
  const int32_t first = job.range.first, last = job.range.last;
  if (job.format == kSaveStandard) {
    BinarySaveResult r = saveFPBinary(view, first, last, job.channels, StartDate[f], StartTime[f]);
    return {std::move(r.bytes), std::move(r.error)};
  }
  // In the status window: the file's facts and a bar that follows the writing.
  SHOWFILEDATAx(StartDate[f], StartTime[f]);
  buildProgressBAR(40, 6, 332, 20, last / 10, kSaveStatusWindow);
  if (job.format == kSaveOwnBinary) {
    BinarySaveResult r = saveFPBinary(view, first, last, job.channels, StartDate[f], StartTime[f]);
    UpdateProgressBar(last / 10);
    return {std::move(r.bytes), std::move(r.error)};
  }
  if (textSizeWarningDue(first, last)) {
    KestRixTextSizeWarning();
    rt::setOutputWindow(kSaveStatusWindow);
  }
  rt::removeControl(kProgressBar);
  buildProgressBAR(40, 6, 332, 20, kTextProgressSteps, kSaveStatusWindow);
  TextWriteResult r = encodeTextDataFile(view, first, last, job.channels, [](int32_t done, int32_t total) {
    if (total > 0) UpdateProgressBar(int32_t(int64_t(done) * kTextProgressSteps / total));
  });
  return {std::move(r.bytes), std::move(r.error)};
}

void refuse(const std::string& path, const std::string& why) {
  Warn(1166, "Not saved: ",
       {"The file could not be written as", rt::fileNameOf(path) + ":", why, "Any file already there is as it was."});
}

}  // namespace

SaveResult writeSavedFile(int16_t f, const SaveJob& job, const std::string& path) {
  if (!job.inPlace) openStatusWindow();
  FileMeta meta;
  const DataFileView view = viewOfSlot(f, meta);
  Written w = encode(f, job, view);
  if (w.error.empty()) {
    std::string why;
    if (!rt::writeFileAtomic(path, w.bytes, &why)) w.error = why.empty() ? "the disk refused it." : why;
  }
  if (!w.error.empty()) {
    refuse(path, w.error);
    return SaveResult::Failed;
  }

  CFURLarrayOutput[f] = path;
  const bool whole = keepsWholeFile(job.format, job.range, int(job.channels.size()), nChannels[f]);
  if (whole) {
    // The slot is now this file: Save writes here next time, and nothing is left unsaved.
    FileName[f] = rt::leftChars(rt::fileNameOf(path), kLongestFileName);
    CFURLarrayMain[f] = path;
    FileSHORTS[f][kChangeMarkWord] = 0;
  }
  rt::closeWindow(kSaveStatusWindow);
  wsst();
  RecordScriptStep(job.inPlace ? kStepSaveFile : kStepSaveAs);
  return whole ? SaveResult::Saved : SaveResult::Partial;
}

}  // namespace qv
