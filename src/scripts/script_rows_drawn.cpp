// A step's row as the Script Sequence window and the step editor show it, and as it is
// printed.
#include <algorithm>
#include <array>
#include <span>

#include "core/colors.h"
#include "core/kit.h"
#include "core/script_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "scripts/script_rows.h"
#include "scripts/script_view.h"

namespace qv {

namespace {

constexpr std::array<int, 4> kTextColumns{320, 420, 520, 620};

ScriptRow rowOfStep(int16_t step) {
  if (step < 1 || step >= kScriptRecords) return {};
  return scriptRow(std::span<const float>(ScriptSequenceArray[step], kScriptWords));
}

void valueField(int id, float value, rt::Rect r, bool editable, int size) {
  EFForeColor = 0;
  EFBackColor = editable ? 9 : 7;
  buildef(0, int16_t(id), rt::PSstr(value), int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom),
          editable ? 3 : 7, 0);
  rt::setEditFont(id, KestrixFont, editable ? 12 : size + 3, 0);
}

// The parameter texts from their columns on; a long text pushes the next one along.
void drawTexts(const std::vector<std::string>& texts, int baseline) {
  int x = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    x = std::max(i < kTextColumns.size() ? kTextColumns[i] : 0, x);
    PrintAt(x, baseline, texts[i]);
    x += rt::stringWidth(texts[i]) + 8;
  }
}

}  // namespace

void WriteTheScriptData(int16_t step, int16_t y, int16_t size, RowUse use) {
  const ScriptRow row = rowOfStep(step);
  if (!row.listed) return;
  const bool editor = use == RowUse::Editor;
  // List rows are 12 pixels apart; the editor's row is taller for typing.
  const int top = editor ? y : y + 4, bottom = editor ? y + 20 : y + 16, baseline = bottom - 3;
  SetTextStyle(KestrixFont, int16_t(size + 5), 0);
  rt::foreColor(RGBblack);
  if (!editor) PrintAt(70, baseline, rt::PSstrLong(step));
  if (row.deleted) rt::foreColor(RGBred);
  PrintAt(editor ? 110 : 95, baseline, row.label);
  rt::foreColor(RGBblack);
  if (row.deleted) return;
  if (!row.mainValue.empty()) {
    const float main = ScriptSequenceArray[step][2];
    // Only a channel change has a main value the editor may change.
    const bool mainEditable = editor && int(ScriptSequenceArray[step][1]) == 1;
    valueField(kMainValueField + step, main, {265, top, 305, bottom}, mainEditable, size);
  }
  drawTexts(row.texts, baseline);
  if (row.transformValues) {
    valueField(kValueAField + step, row.a, {420, top, 500, bottom}, editor, size);
    valueField(kValueBField + step, row.b, {520, top, 600, bottom}, editor, size);
    valueField(kExponentField + step, row.exponent, {620, top, 700, bottom}, editor, size);
  }
}

rt::PrintLine scriptPrintLine(int16_t step) {
  const ScriptRow row = rowOfStep(step);
  if (!row.listed) return {};
  rt::PrintLine line{{rt::PSstrLong(step), false, 1}, {row.label, false, 6}};
  if (row.deleted) return line;
  if (!row.mainValue.empty()) line.push_back({row.mainValue, false, 27});
  // Character columns of the printed table; a long text moves the next one along.
  constexpr std::array<int, 4> kColumns{36, 50, 64, 78};
  int pos = 36;
  std::vector<std::string> texts = row.texts;
  if (row.transformValues)
    texts.insert(texts.end(), {rt::PSstr(row.a), rt::PSstr(row.b), rt::PSstr(row.exponent)});
  for (size_t i = 0; i < texts.size(); ++i) {
    const int column = std::max(i < kColumns.size() ? kColumns[i] : 0, pos);
    line.push_back({texts[i], false, column});
    pos = column + int(texts[i].size()) + 2;
  }
  return line;
}

}  // namespace qv
