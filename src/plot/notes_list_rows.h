#pragma once
// The row layout of the printed comment text (declared in notes_list.h).
#include <string>
#include <vector>

#include "runtime/utf8.h"

namespace qv::plot {

template <class Width>
std::vector<std::string> commentRows(const std::string& text, Width&& width, int rowWidth, int rows) {
  std::vector<std::string> out(1);
  const size_t maxRows = size_t(rows < 1 ? 1 : rows);
  bool full = false;
  auto newRow = [&] {
    if (out.size() >= maxRows) full = true;
    else out.emplace_back();
    return !full;
  };
  const size_t n = rt::charCount(text);
  for (size_t at = 0; at < n && !full; at += 10) {
    const std::string piece = rt::midChars(text, at, 10);
    // Line ends inside a piece break the row where they stand.
    size_t start = 0;
    while (!full) {
      const size_t end = piece.find_first_of("\r\n", start);
      const std::string part = piece.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (!part.empty() && !out.back().empty() && width(out.back() + part) > rowWidth && !newRow()) break;
      out.back() += part;
      if (end == std::string::npos || !newRow()) break;
      start = end + 1;
      if (piece[end] == '\r' && start < piece.size() && piece[start] == '\n') ++start;
    }
  }
  out.back() += "  ...";
  return out;
}

}  // namespace qv::plot
