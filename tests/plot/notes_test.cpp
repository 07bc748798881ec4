#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/filetable.h"
#include "core/text_format.h"
#include "plot/notes_list.h"
#include "plot/notes_table.h"
#include "plot/plot.h"
#include "plot_fixture.h"
#include "support/qvtest.h"
#include "runtime/windows.h"

using namespace qv;
using namespace plottest;

namespace {

const std::vector<OnlineNote> kTwo{{"5", "09:12:05", "start"}, {"5500", "10:43:40", "lights off"}};

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void openWithNotes(int count) {
  resetPlotState();
  openPlot(makeFile(10000, {[](int32_t k) { return float(k % 100); }}), 0);
  fileRemarks[0].clear();
  for (int k = 1; k <= count; ++k)
    fileRemarks[0].push_back({std::to_string(k * 10), "10:00:00", "note " + std::to_string(k)});
  NumberOfNotes[0] = int16_t(count);
}

}  // namespace

TEST(Notes, ListAndFileTexts) {
  EXPECT_EQ(plot::noteTitle(2, kTwo[1]), "Note # 2, Sample5500:  10:43:40");
  const std::string list = plot::notesListText(kTwo, 2);
  EXPECT_EQ(list,
            "note # 1     sample5     time 09:12:05\nstart\n" + std::string(34, '_') +
                "\nnote # 2     sample5500     time 10:43:40\nlights off\n");
  // The last note has no rule after it; a count beyond the table stops at the table.
  EXPECT_EQ(plot::notesListText(kTwo, 9), list);
  EXPECT_EQ(plot::notesListText(kTwo, 1), "note # 1     sample5     time 09:12:05\nstart\n");
  EXPECT_EQ(plot::notesListText(kTwo, 0), "");
  EXPECT_EQ(plot::notesFileText(""), std::string(39, '_') + "\n \n\n");
  EXPECT_EQ(plot::notesFileText(list), std::string(39, '_') + "\n \n" + list + "\n");
}

TEST(Notes, NoteWindowStaysInsideThePlotWidth) {
  struct Case {
    int x, width, centre;
  } cases[] = {{10, 1300, 230}, {229, 1300, 230}, {600, 1300, 600}, {1290, 1300, 1070}, {900, 1300, 1070}, {5, 400, 230}};
  for (const Case& c : cases) EXPECT_EQ(plot::noteWindowCentre(c.x, c.width), c.centre) << c.x << " " << c.width;
}

TEST(Notes, CommentRowsAlwaysEndWithTheEllipsis) {
  const auto chars = [](const std::string& s) { return int(rt::charCount(s)) * 6; };
  EXPECT_EQ(plot::commentRows("short", chars, 300, 3), std::vector<std::string>{"short  ..."});
  EXPECT_EQ(plot::commentRows("", chars, 300, 3), std::vector<std::string>{"  ..."});
  // Ten characters at a time: a row of 120 pixels holds two pieces of ten.
  const std::string text = "0123456789abcdefghijABCDEFGHIJ0123456789xyz";
  EXPECT_EQ(plot::commentRows(text, chars, 120, 5),
            (std::vector<std::string>{"0123456789abcdefghij", "ABCDEFGHIJ0123456789", "xyz  ..."}));
  EXPECT_EQ(plot::commentRows(text, chars, 120, 1), std::vector<std::string>{"0123456789abcdefghij  ..."});
  // Line ends start rows; characters, not bytes, make the pieces.
  EXPECT_EQ(plot::commentRows("ab\rcd\néèàöüßçñ€xyz", chars, 600, 5),
            (std::vector<std::string>{"ab", "cd", "éèàöüßçñ€xyz  ..."}));
}

TEST(Notes, NoteButtonsOpenTheirNoteAndIgnoreTheRest) {
  openWithNotes(200);
  // Button 5151: note 151; the window ends on the next press of the mouse button.
  qvtest::script({"mouse down 20 20", "mouse up 20 20"});
  ShowOnLineNOTE(151);
  EXPECT_FALSE(rt::windowExists(1990));
  // Outside 1..count nothing opens and no input is waited for.
  ShowOnLineNOTE(201);
  ShowOnLineNOTE(0);
  ShowOnLineNOTE(-3);
  EXPECT_FALSE(rt::windowExists(1990));
}

TEST(Notes, SaveWritesTheListAndACancelWritesNothing) {
  openWithNotes(2);
  const std::string dir = qvtest::tempDir("notes");
  const std::string path = dir + "/notes.txt", other = dir + "/other.txt";
  const std::string save = "save " + path, shot = "shot 6000 " + dir + "/n.png";
  qvtest::script({"click 11", save.c_str(), "click 11", "save cancel", shot.c_str(), "click 2"});
  ShowNotes();
  EXPECT_FALSE(rt::windowExists(6000));
  const std::string want = plot::notesFileText(plot::notesListText(fileRemarks[0], 2));
  EXPECT_EQ(readAll(path), want);
  EXPECT_EQ(TempContainer, plot::notesListText(fileRemarks[0], 2));
  EXPECT_FALSE(std::filesystem::exists(other));
}

TEST(Notes, AFileWithoutNotesListsNothingAndTheCloseBoxEnds) {
  openWithNotes(0);
  qvtest::script({"dialog 4 6000"});
  ShowNotes();
  EXPECT_FALSE(rt::windowExists(6000));
  EXPECT_EQ(TempContainer, "");
}
