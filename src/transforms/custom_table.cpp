#include "transforms/custom_table.h"

#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/utf8.h"
#include "transforms/custom_file.h"
#include "transforms/custom_list.h"
#include "transforms/transform_state.h"

namespace qv {

namespace {

constexpr int kWarningWindow = 1166;
constexpr const char* kPrompt = "File for custom transformations:";

void commitRecords(const CustomFileContents& c) {
  NumberOfCustomTransforms = int16_t(c.records.size());
  for (size_t k = 0; k < c.records.size(); ++k) {
    CustomTransformsLabels[k + 1] = customName(c.records[k].name);
    auto& w = CustomTransformsArray[k + 1];
    const float mark = w[0];
    w = c.records[k].words;
    w[0] = mark;
  }
}

void reportTrouble(const std::string& path, const CustomFileContents& c) {
  std::vector<std::string> lines;
  if (c.tailBytes != 0) {
    bzot();
    lines.push_back("The file ends inside a record: its last" + rt::PSstrLong(int64_t(c.tailBytes)) +
                    " bytes are not a whole transform and were not read.");
  }
  for (const std::string& u : c.unusable) lines.push_back("Transform " + u + " It cannot be run.");
  if (c.recordsInFile > size_t(kMostCustomTransforms))
    lines.push_back("It holds" + rt::PSstrLong(int64_t(c.recordsInFile)) + " transforms; only the first" +
                    rt::PSstrLong(kMostCustomTransforms) + " were read.");
  if (lines.empty()) return;
  lines.insert(lines.begin(), "\"" + rt::fileNameOf(path) + "\":");
  Warn(kWarningWindow, "Custom transforms: ", lines);
}

}  // namespace

std::string customTransformsPath() { return rt::userDataDir() + "/VIVavavuReruderava.VUvuv"; }

std::string customName(const std::string& name) { return rt::fitChars(name, kCustomNameBytes); }

void LoadCustomTransformsArray(int16_t fromPanel, int16_t showButtons) {
  std::string path = customTransformsPath();
  if (fromPanel != 0) {
    const auto chosen = rt::OSpanelOpen(kPrompt, {});
    if (!chosen) return;
    path = *chosen;
  }
  CustomFileContents c;
  if (rt::fileExists(path)) {
    const auto bytes = rt::readWholeFile(path, uint64_t(1) << 24);
    if (!bytes) {
      Warn(kWarningWindow, "Custom transforms: ", {"\"" + rt::fileNameOf(path) + "\" could not be read.", "The transforms in use stay as they were."});
      return;
    }
    c = decodeCustomTransforms(*bytes, kMostCustomTransforms);
    reportTrouble(path, c);
  }
  commitRecords(c);
  if (showButtons != 0) ShowCustomTransforms(0);
}

bool SAVECustomTransformsArray(int16_t toPanel) {
  std::string path = customTransformsPath();
  if (toPanel != 0) {
    const auto chosen = rt::OSpanelSave(kPrompt, "CustomTransforms.VUvuv");
    if (!chosen) return true;
    path = *chosen;
  } else {
    rt::makeFolders(rt::userDataDir());
  }
  std::vector<CustomRecord> records;
  for (int k = 1; k <= NumberOfCustomTransforms; ++k) {
    if (CustomTransformsArray[size_t(k)][0] != 0) continue;
    records.push_back({CustomTransformsLabels[size_t(k)], CustomTransformsArray[size_t(k)]});
  }
  std::string error;
  if (rt::writeFileAtomic(path, encodeCustomTransforms(records), &error)) return true;
  Warn(kWarningWindow, "Custom transforms: ", {"\"" + rt::fileNameOf(path) + "\" could not be written: " + error,
                                               "A file already there is as it was."});
  return false;
}

int16_t addCustomTransform(const std::string& name, const std::array<float, 21>& words) {
  if (NumberOfCustomTransforms >= kMostCustomTransforms) {
    Warn(kWarningWindow, "Custom transforms: ", {"There are" + rt::PSstrLong(kMostCustomTransforms) +
                                                     " custom transforms already, the most the list holds.",
                                                 "Delete one in \"Custom Transforms...\" to make room.",
                                                 "This transform was not saved."});
    return 0;
  }
  const int16_t n = ++NumberOfCustomTransforms;
  CustomTransformsLabels[size_t(n)] = customName(name);
  CustomTransformsArray[size_t(n)] = words;
  CustomTransformsArray[size_t(n)][0] = 0;
  return n;
}

}  // namespace qv
