#pragma once
// The writing half of the save road: the saving status window, the writer of the chosen
// format, the file put on the disk whole or not at all, and what a save changes in the slot.
#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/datafiles.h"
#include "datafiles/save_names.h"
#include "datafiles/save_options.h"

namespace qv {

// Window 5 "Save data file": the saving status and its progress bar.
constexpr int16_t kSaveStatusWindow = 5;

struct SaveJob {
  int16_t format = kSaveStandard;
  SaveRange range;
  std::vector<int16_t> channels;  // 1..nChannels, in file order
  bool inPlace = false;           // Save: no status window
  bool compacted = false;         // the compacted rows of the slot, not its samples
  SaveFormatChoice csv;           // the csv options of the format window
};

// Writes the job for slot f at `path`. On success the slot remembers where it was saved;
// a save that kept the whole file also takes that name and location and loses its change
// mark (Saved); any other save leaves them (Partial). A failure is shown and changes
// nothing, on the disk or in the slot (Failed).
SaveResult writeSavedFile(int16_t f, const SaveJob& job, const std::string& path);

struct CsvRequest;
// A csv export of slot f (the block, the markers' own list aside) at `path`, in the saving
// status window; the slot keeps its name and place. A failure is shown; false then.
bool writeCsvExport(int16_t f, const CsvRequest& request, const std::string& path);

}  // namespace qv
