#include "datafiles/save_names.h"

#include <initializer_list>

namespace qv {

namespace {

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The first suffix of `from` that the name ends in is replaced by `to`; then `to` is added
// when the name does not end in it.
std::string renamed(std::string_view name, std::initializer_list<std::string_view> from, std::string_view to) {
  std::string out(name);
  for (std::string_view suffix : from) {
    if (endsWith(out, suffix)) {
      out.resize(out.size() - suffix.size());
      out += to;
      break;
    }
  }
  if (!endsWith(out, to)) out += to;
  return out;
}

}  // namespace

std::string proposedSaveName(std::string_view fileName, int16_t format) {
  switch (format) {
    case kSaveOwnBinary:
    case kSaveStandard:
      return renamed(fileName, {".exp", " SBL", ".kxsc", ".kxda", ".sabl", ".RIVozar"}, kOwnBinaryExtension);
    case kSaveSable: return renamed(fileName, {".exp", ".sabl", ".KXdata"}, kSableExtension);
    case kSaveCsv: return renamed(fileName, {".exp", ".sabl", ".RIvozar", ".KXdata"}, kCsvEnding);
    default: return std::string(fileName);
  }
}

std::string RearrangedName[kSlots];

std::string withReArSuffix(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  const size_t slash = fileName.rfind('/');
  if (dot == std::string_view::npos || dot == 0 || (slash != std::string_view::npos && dot < slash))
    return std::string(fileName) + " ReAr";
  return std::string(fileName.substr(0, dot)) + " ReAr" + std::string(fileName.substr(dot));
}

std::string compactedSaveName(std::string_view fileName) { return std::string(fileName) + std::string(kCompactEnding); }

SaveRange saveRange(bool blockOnly, bool blockSet, int32_t nCases, int32_t beginBlock, int32_t endBlock) {
  SaveRange whole{0, nCases, true};
  if (!blockOnly || !blockSet || beginBlock < 1 || endBlock < beginBlock || endBlock > nCases) return whole;
  if (beginBlock == 1 && endBlock == nCases) return whole;
  return {beginBlock - 1, endBlock, false};
}

}  // namespace qv
