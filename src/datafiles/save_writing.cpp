#include "datafiles/save_writing.h"

#include <algorithm>
#include <new>
#include <span>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "core/backup_cache.h"
#include "core/prefs.h"
#include "datafiles/binary_format.h"
#include "datafiles/compaction.h"
#include "datafiles/csv_export.h"
#include "core/fit_state.h"
#include "plot/plot_state.h"
#include "datafiles/datafile.h"
#include "datafiles/file_facts.h"
#include "datafiles/load_windows.h"
#include "datafiles/sable_format.h"
#include "datafiles/text_data_format.h"
#include "datafiles/text_size_warning.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"

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

// The own binary formats, made whole and then put on the disk.
std::string writeBinary(int16_t f, const SaveJob& job, const DataFileView& view, const std::string& path) {
  const int32_t first = job.range.first, last = job.range.last;
  BinarySaveResult r = saveFPBinary(view, first, last, job.channels, StartDate[f], StartTime[f]);
  if (job.format == kSaveOwnBinary) UpdateProgressBar(last / 10);
  if (!r.error.empty()) return r.error;
  std::string why;
  if (!rt::writeFileAtomic(path, r.bytes, &why)) return why.empty() ? "the disk refused it." : why;
  return {};
}

// The own text format, streamed to the disk as it is made.
std::string writeText(const SaveJob& job, const DataFileView& view, const std::string& path) {
  const int32_t first = job.range.first, last = job.range.last;
  if (textSizeWarningDue(first, last)) {
    KestRixTextSizeWarning();
    rt::setOutputWindow(kSaveStatusWindow);
  }
  rt::removeControl(kProgressBar);
  buildProgressBAR(40, 6, 332, 20, kTextProgressSteps, kSaveStatusWindow);
  rt::AtomicFileWriter out(path);
  if (out.failed()) return out.error();
  const std::string error = writeTextDataFile(
      view, first, last, job.channels,
      [&out](std::span<const uint8_t> chunk) { return out.write(chunk.data(), chunk.size()); },
      [](int32_t done, int32_t total) {
        if (total > 0) UpdateProgressBar(int32_t(int64_t(done) * kTextProgressSteps / total));
      });
  if (!error.empty()) return out.failed() ? out.error() : error;
  return out.commit() ? std::string() : out.error();
}

// The count of values being saved as the status window shows it: digits grouped by
// thousands from 10,000 on.
std::string valueCountText(int64_t count) {
  if (count <= 9999) return std::to_string(count);
  static constexpr std::string_view kPictures[] = {"##,###", "###,###", "#,###,###", "##,###,###", "###,###,###"};
  int64_t limit = 99999;
  for (std::string_view picture : kPictures) {
    if (count <= limit || picture == kPictures[4]) return rt::PSusing(picture, double(count));
    limit = limit * 10 + 9;
  }
  return std::to_string(count);
}

// The Sable ExpeData format, streamed to the disk as it is made.
std::string writeSable(int16_t f, const SaveJob& job, const DataFileView& view, const std::string& path) {
  const int32_t first = job.range.first, last = job.range.last;
  if (nCases[f] >= kSableLongSave) {
    LongLoadTimeWarning(1);
    rt::bringWindowForward(kSaveStatusWindow);
    rt::setOutputWindow(kSaveStatusWindow);
  }
  rt::removeControl(kProgressBar);
  buildProgressBAR(40, 6, 332, 20, kTextProgressSteps, kSaveStatusWindow);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(40, 90, "Saving " + valueCountText(int64_t(nChannels[f]) * (last - first)) +
                      " values in Sable ExpeData format...");
  rt::AtomicFileWriter out(path);
  if (out.failed()) return out.error();
  SableSaveReport report;
  const std::string error = writeSableFile(
      view, first, last, job.channels,
      [&out](std::span<const uint8_t> chunk) { return out.write(chunk.data(), chunk.size()); },
      [](int64_t done, int64_t total) {
        if (total > 0) UpdateProgressBar(int32_t(done * kTextProgressSteps / total));
      },
      &report);
  rt::closeWindow(kLoadWarningWindow);
  if (!error.empty()) return out.failed() ? out.error() : error;
  if (!out.commit()) return out.error();
  if (report.markersLeftOut > 0)
    Warn(1166, "Caution: ",
         {rt::PSstrLong(report.markersLeftOut) + " marker(s) lie beyond case 999,999 of the saved cases;",
          "a Sable marker word cannot hold them and they were left out."});
  return {};
}

// A text writer streamed to the disk through a temporary renamed into place when whole.
template <class Write>
std::string streamToDisk(const std::string& path, Write&& write) {
  rt::removeControl(kProgressBar);
  buildProgressBAR(40, 6, 332, 20, kTextProgressSteps, kSaveStatusWindow);
  rt::AtomicFileWriter out(path);
  if (out.failed()) return out.error();
  const std::string error = write(
      [&out](std::span<const uint8_t> chunk) { return out.write(chunk.data(), chunk.size()); },
      [](int32_t done, int32_t total) {
        if (total > 0) UpdateProgressBar(int32_t(int64_t(done) * kTextProgressSteps / total));
      });
  if (!error.empty()) return out.failed() ? out.error() : error;
  return out.commit() ? std::string() : out.error();
}

// The csv export: every entry of the whole file from entry 0, or the block's cases.
std::string writeCsv(int16_t f, const SaveJob& job, const DataFileView& view, const std::string& path) {
  CsvRequest r;
  r.first = job.range.wholeFile ? 0 : job.range.first + 1;
  r.last = job.range.last;
  r.headerMode = job.csv.timeInformation;
  r.dateColumn = job.csv.includeDate != 0;
  r.dateKind = job.csv.dateForm;
  r.timeUnits = TimeUnits;
  r.shortNames = eightcharacters != 0;
  r.timeCounter = timecounter != 0;
  r.counterHours = timecountervalue;
  r.interpolation = showinterpolationstatus != 0;
  if (r.interpolation && f == TheFileInUse && MakeInterpolationRecord()) r.interpolationFlags = BackupCacheRow(kInterpolationRow);
  r.markerColumn = prefsArray[80] != 0;
  r.filterChannel = prefsArray[26];
  r.filterTest = prefsArray[27];
  r.threshold = selectionvalue;
  r.channels = job.channels;
  r.digits = rt::gFBFloatMaxDigits;
  return streamToDisk(path, [&](const TextSink& sink, const TextProgress& progress) {
    return writeCsvFile(view, r, sink, progress);
  });
}

// The compacted rows of the slot, as the compaction tools made them.
std::string writeCompacted(int16_t f, const SaveJob& job, const std::string& path) {
  CompactedRows rows;
  rows.factor = CompactedChannel[f];
  rows.interval = FileInfoFLOATS[f][1];
  rows.timeUnits = TimeUnits;
  for (int16_t c : job.channels) {
    rows.labels.push_back(rt::fitChars(RetrieveLabelOf(f, c), kLabelWidth));
    rows.means.emplace_back(ParseArray[f][c]);
    rows.sds.emplace_back(ParseArray[f][c + kMaxChannels]);
  }
  return streamToDisk(path, [&](const TextSink& sink, const TextProgress&) {
    return writeCompactedFile(rows, sink, rt::gFBFloatMaxDigits);
  });
}

// Writes the job in its format at `path`; why not, when it could not.
std::string writeJob(int16_t f, const SaveJob& job, const DataFileView& view, const std::string& path) {
  if (job.format == kSaveStandard) return writeBinary(f, job, view, path);
  // In the status window: the file's facts and a bar that follows the writing.
  SHOWFILEDATAx(StartDate[f], StartTime[f]);
  buildProgressBAR(40, 6, 332, 20, job.range.last / 10, kSaveStatusWindow);
  if (job.format == kSaveOwnBinary) return writeBinary(f, job, view, path);
  if (job.format == kSaveSable) return writeSable(f, job, view, path);
  if (job.compacted) return writeCompacted(f, job, path);
  if (job.format == kSaveCsv) return writeCsv(f, job, view, path);
  return writeText(job, view, path);
}

void refuse(const std::string& path, const std::string& why) {
  Warn(1166, "Not saved: ",
       {"The file could not be written as", rt::fileNameOf(path) + ":", why, "Any file already there is as it was."});
}

}  // namespace

SaveResult writeSavedFile(int16_t f, const SaveJob& job, const std::string& path) {
  std::string error;
  try {
    if (!job.inPlace) openStatusWindow();
    FileMeta meta;
    const DataFileView view = viewOfSlot(f, meta);
    error = writeJob(f, job, view, path);
  } catch (const std::bad_alloc&) {
    // Short of memory anywhere on the way: nothing was put on the disk, the slot is as it was.
    error = std::string(kSaveMemoryMessage);
  }
  if (!error.empty()) {
    refuse(path, error);
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

bool writeCsvExport(int16_t f, const CsvRequest& request, const std::string& path) {
  std::string error;
  try {
    openStatusWindow();
    FileMeta meta;
    const DataFileView view = viewOfSlot(f, meta);
    SHOWFILEDATAx(StartDate[f], StartTime[f]);
    error = streamToDisk(path, [&](const TextSink& sink, const TextProgress& progress) {
      return writeCsvFile(view, request, sink, progress);
    });
  } catch (const std::bad_alloc&) {
    error = std::string(kSaveMemoryMessage);
  }
  rt::closeWindow(kSaveStatusWindow);
  if (!error.empty()) {
    refuse(path, error);
    return false;
  }
  wsst();
  return true;
}

}  // namespace qv
