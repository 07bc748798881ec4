#include "output/file_headers.h"

#include "core/filetable.h"
#include "output/result_text.h"
#include "runtime/utf8.h"

namespace qv {

namespace {

std::string label(const FileHeaderInfo& f, size_t k) {
  return k < f.labels.size() ? rt::trimRight(f.labels[k]) : std::string();
}

std::string bullets() { return repeated(kBullet, 3); }

}  // namespace

FileHeaderInfo fileHeaderInfo(int slot) {
  FileHeaderInfo f;
  if (slot < 0 || slot >= kSlots) return f;
  f.name = FileName[slot];
  f.startDate = StartDate[slot];
  f.startTime = StartTime[slot];
  const int n = nChannels[slot] < kMaxChannels ? nChannels[slot] : kMaxChannels;
  f.labels.assign(size_t(n > 0 ? n : 0) + 1, "");
  for (int k = 1; k <= n; ++k) f.labels[size_t(k)] = RetrieveLabelOf(slot, k);
  f.interval = FileInfoFLOATS[slot][1];
  f.flow = FileInfoFLOATS[slot][2];
  f.temperature = FileInfoFLOATS[slot][3];
  f.pressure = FileInfoFLOATS[slot][4];
  f.volume = FileInfoFLOATS[slot][5];
  f.mass = FileInfoFLOATS[slot][6];
  f.comment = CommentContainer[slot];
  return f;
}

std::string textFileHeader(const FileHeaderInfo& f) {
  const int d = f.significantFigures;
  std::string s = bullets() + "  FILE `" + f.name + " '; saved " + f.startDate + " at " +
                  f.startTime + " " + bullets() + "\n";
  for (size_t k = 1; k < f.labels.size(); ++k)
    s += "      CHANNEL" + blankedNumber(int64_t(k)) + ":  " + label(f, k) + "\n";
  s += "\n";
  s += "Interval" + reportNumber(f.interval, d) + " sec" + "     Flow rate" + reportNumber(f.flow, d) +
       " ml/min       Mass " + reportNumber(f.mass, d) + " g      B.P." +
       reportNumber(f.pressure, d) + " torr           Ta" + reportNumber(f.temperature, d) +
       " C         Effective volume " + reportNumber(f.volume, d) + " ml\n";
  s += "\n";
  s += "COMMENTS:  " + withLineFeeds(f.comment) + "\n";
  s += repeated(" = ", 70) + "\n";
  return s;
}

std::vector<PrintedLine> printedSpoolHeader(const FileHeaderInfo& f) {
  const int d = f.significantFigures;
  const std::string rule = repeated(kEmDash, 55);
  std::vector<PrintedLine> out;
  // The file line and its rule do not fit one printed line in 10-point bold: the rule goes
  // under the file line rather than wrapping it wherever the page runs out.
  out.push_back({{"    " + bullets() + "  FILE `" + f.name + " '; saved " + f.startDate + " at " +
                      f.startTime + "  " + bullets(),
                  true}});
  out.push_back({{rule, true}});
  for (std::string& line : spoolLines(f.comment)) out.push_back({{std::move(line)}});
  out.push_back({{rule}});

  PrintedLine pair;
  for (size_t k = 1; k < f.labels.size(); ++k) {
    const bool second = k % 2 == 0;
    pair.push_back({"     CHANNEL" + blankedNumber(int64_t(k)) + ":  ", false, second ? 43 : 0});
    pair.push_back({label(f, k), true});
    if (second) out.push_back(std::move(pair)), pair.clear();
  }
  if (!pair.empty()) out.push_back(std::move(pair));
  out.push_back({});

  out.push_back({{"     interval" + reportNumber(f.interval, d) + " sec" + "     Flow rate" +
                  reportNumber(f.flow, d) + " ml/min  " + "     Mass" + reportNumber(f.mass, d) + " g"}});
  out.push_back({{"      B.P." + reportNumber(f.pressure, d) + " torr           Ta" +
                  reportNumber(f.temperature, d) + " " + std::string(kDegreesC) +
                  "      Effective volume" + reportNumber(f.volume, d) + " ml"}});
  out.push_back({{"   " + rule}});
  return out;
}

std::string printedText(const std::vector<PrintedLine>& lines) {
  std::string s;
  for (const PrintedLine& line : lines) {
    std::string row;
    for (const PrintedRun& run : line) {
      const size_t at = run.column > 0 ? size_t(run.column - 1) : 0;
      const size_t have = rt::charCount(row);
      if (at > have) row.append(at - have, ' ');
      else if (run.column > 0 && at < have) row += ' ';
      row += run.text;
    }
    s += row + "\n";
  }
  return s;
}

}  // namespace qv
