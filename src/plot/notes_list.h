#pragma once
// The texts of the on-line notes: the title of one note's window, the notes list of the
// "Real-time notes" window and the notes file written from that list.
#include <string>
#include <vector>

#include "plot/notes_table.h"

namespace qv::plot {

// "Note # 2, Sample5500:  10:43:40" for note k (1-based).
std::string noteTitle(int k, const OnlineNote& note);

// Every note as a heading line ("note # 1     sample5     time 09:12:05"), its text on the
// next line, and a line of 34 underscores between two notes; each line ends with a line
// feed. `count` is held to the notes there are.
std::string notesListText(const std::vector<OnlineNote>& notes, int count);

// The notes file: 39 underscores, a line holding one blank, the list, and an empty last line.
std::string notesFileText(const std::string& list);

// Centre of window 1990 for a click at x in a plot window `width` wide: at least 230 pixels
// from either edge, so the 460-pixel window stays inside the plot's width.
int noteWindowCentre(int x, int width);

}  // namespace qv::plot

namespace qv::plot {

// The comment text as printed by PrintTheComments: taken ten characters at a time and set
// in rows of at most rowWidth (by `width` of a piece of text; a line end in the text starts
// a new row), as many rows as `rows` allows; the last row always ends with "  ...", whether
// the whole text fitted or not.
template <class Width>
std::vector<std::string> commentRows(const std::string& text, Width&& width, int rowWidth, int rows);

}  // namespace qv::plot

#include "plot/notes_list_rows.h"
