#pragma once
// Importing delimited text (a csv export, a spreadsheet's text, a compacted-data file): the
// lines and fields of the bytes, the preview the import window shows, and the staging of
// the chosen columns into a complete DataFile. Lines end at CR, LF or CR LF; a UTF-8
// byte-order mark is skipped; text is read as UTF-8 when it is valid UTF-8, else as Latin-1.
// Fields are separated by commas and TABs; a field in double quotes is one field.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/datafile.h"

namespace qv {

constexpr int kImportColumns = 40;
constexpr int kImportPreviewLines = 10;
// The bytes of a line the preview shows at most (a row of the window holds far fewer).
constexpr size_t kPreviewLineBytes = 400;
// Data lines read at most: one per entry 0..6,100,000 of a channel.
constexpr int64_t kImportMaxLines = int64_t(kMaxCases) + 1;

// Walks the lines of the bytes (byte-order mark skipped), each without its line end. A line
// end inside a quoted field (a quote at the start of a field, closed further on) is part of
// the field, as the csv export writes a label holding one; a quote never closed opens nothing.
class LineCursor {
 public:
  explicit LineCursor(std::span<const uint8_t> bytes);
  bool next(std::string_view& line);
  size_t position() const { return pos_; }

 private:
  size_t find(char c, size_t from) const;
  size_t nextLineEnd(size_t from);
  size_t lineEndFrom(size_t from);

  std::string_view text_;
  size_t pos_ = 0;
  // Where the next line feed and carriage return are (the text's size when there is none):
  // each is looked for again only once the cursor has passed it, so a file of one kind of
  // line end is not searched to its end for the other at every line.
  size_t nextLF_ = 0, nextCR_ = 0, nextQuote_ = 0;
};

// The fields of a data line: every comma or TAB ends one; a quoted field is one field, its
// doubled quotes one quote.
std::vector<std::string> splitFields(std::string_view line);
// A field's text as UTF-8 (Latin-1 taken when the bytes are not UTF-8).
std::string importText(std::string_view bytes);

// The preview of a line: its fields (runs of separators counting as one, empty fields left
// out) joined by bullets, then the line-end sign; the line as it is when it has no separator.
std::string previewLine(std::string_view line);

struct ImportPreview {
  std::vector<std::string> lines;         // the first ten lines (fewer when the file has fewer)
  int columns = 0;                        // fields of the last previewed line
  std::vector<std::string> columnTexts;   // their texts (at most 40)
};
ImportPreview previewImport(std::span<const uint8_t> bytes);

struct ImportRequest {
  int firstDataLine = 3;   // 1..10
  int labelLine = 1;       // 0: no label line
  std::array<bool, kImportColumns + 1> load{};  // columns 1..40
  double interval = 1.0;   // seconds
  std::string name;
  int year = 2026;
  int64_t maxLines = kImportMaxLines;
};

struct ImportResult {
  std::optional<DataFile> file;
  std::string refusal;   // why there is no file
  bool cut = false;      // the file had more data lines than were read
  int64_t linesRead = 0;
};

// The columns selected; the interval must be a number above 0.
int selectedColumns(const ImportRequest& r);
// The file: one channel per selected column, entry j holding data line j + 1, labels from the
// label line (or "input channel" and the column), the last case of a channel replaced by the
// one before when both its magnitude and its step from that case exceed 10,000. Refused with
// fewer than two data lines (blank lines at the end are none), no column or more than 40, or a
// bad interval. `progress` gets the byte position now and then; true from `stop` ends the
// reading there.
ImportResult stageImport(std::span<const uint8_t> bytes, const ImportRequest& request,
                         const std::function<bool(size_t position, int64_t lines)>& progress = {});

// The interval as typed: a number above 0 and finite, or nothing.
std::optional<double> importInterval(std::string_view typed);

}  // namespace qv
