#pragma once
// Delimited exports for spreadsheets and plotting programs: the samples of a case range with
// their optional time, date, counter, interpolation and marker columns (saveASCII), and the
// marker list. UTF-8 with line-feed ends; a gap is written "NaN"; every row has as many cells as the header, cells
// holding the separator, a quote or a line end are quoted.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/datafile.h"
#include "datafiles/text_data_format.h"

namespace qv {

// Header modes of saveASCII.
constexpr int16_t kCsvTimeColumns = 0, kCsvIntervalLine = 1, kCsvLabelsOnly = 2;

struct CsvRequest {
  int32_t first = 0, last = 0;  // rows for entries first..last inclusive
  int16_t headerMode = kCsvTimeColumns;
  bool dateColumn = false;
  int16_t dateKind = 0;  // 1 day of the year, 0 "mm/dd/yyyy"
  char separator = ',';
  int16_t timeUnits = 0;  // 2 hours, 1 minutes, else seconds
  bool shortNames = false;
  bool timeCounter = false;
  float counterHours = 1.0f;
  bool interpolation = false;
  const float* interpolationFlags = nullptr;  // indexed by case; entry 0 is not a case
  bool markerColumn = false;
  // Row filter: the channel tested (none unless 1..nChannels), its test (25..29 or the
  // conditional window's 125..129: <, <=, =, >=, >) and the threshold.
  int16_t filterChannel = 0, filterTest = 0;
  float threshold = 0.0f;
  std::vector<int16_t> channels;  // 1..nChannels, in file order
  int digits = 5;                 // significant digits of the numbers (at least 5)
};

// The row filter the request asks for: true when the row of value v is kept.
bool csvRowKept(int16_t test, float v, float threshold);
bool csvFilterActive(const CsvRequest& r, int16_t nChannels);

// Writes the export through `sink` in chunks; empty, or why it could not be written.
std::string writeCsvFile(const DataFileView& file, const CsvRequest& request, const TextSink& sink,
                         const TextProgress& progress = {});
// The same collected in a string (tests, small exports).
std::string csvText(const DataFileView& file, const CsvRequest& request);

// The marker list: header, then per marker its case, elapsed minutes, real time of day in
// hours (modulo 24; the start time of day in minutes), the marker's character and its event.
std::string markerListText(const std::vector<Marker>& markers, double intervalSeconds, double startMinutes,
                           char separator, int digits);

// The name offered for a block export: "run; cases 100 - 200.csv" for run.KXdata.
std::string blockExportName(std::string_view fileName, int32_t first, int32_t last);

}  // namespace qv
