#include "output/printed_text.h"

namespace qv {

std::vector<std::string> spoolLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\n' && c != '\r') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

std::vector<PrintedLine> spoolDocument(std::vector<PrintedLine> header, std::string_view spool) {
  std::vector<PrintedLine> doc = std::move(header);
  for (std::string& line : spoolLines(spool)) doc.push_back({PrintedRun{"    " + line}});
  return doc;
}

}  // namespace qv
