#pragma once
// Number display by magnitude, lowered and raised label parts, and the text views that show
// explanatory texts and the comment text of a file.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// A number with decimals chosen by its magnitude: below 1 the plain number text; up to 10
// "###.###", up to 100 "####.###", up to 1000 "#####.##", up to 10000 "######.#"; from
// 10000 (and for a value that is not a number) rounded to an integer, halves to even.
std::string StringFormatter(float x);

// Titles and control texts are UTF-8 strings already: kept for the callers that convert.
inline std::string MakeCFString(std::string_view s) { return std::string(s); }

// Base at (x, y), the lowered part at (x + width(base), y + drop), the rest after it.
void DoSubscript(int x, int y, std::string_view base, std::string_view lowered, std::string_view rest, int drop);
// At the pen: the text two sizes smaller, lowered by `drop` (or raised 3 pixels); the pen
// ends on the base line after the text.
void MakeSubscript(std::string_view text, int size, int drop);
void MakeSuperscript(std::string_view text, int size);

// Explanatory texts by number (our own pages, HTML). Returns 0, or -43 when the number is
// unknown or its file is missing (the view is then left as it was).
int TxtViewLoadText(int view, int number);
std::string explanatoryTextPath(int number);  // "" for an unknown number
void TxtViewSetMargins(int view, int left, int top, int right, int bottom);

// The comment text of the file in use (and the notes text) to and from a text view.
extern std::string TempContainer;
void TextViewSetTextFromMyContainer(int view);
void TextViewSetTextFromMyNotes(int view);
void TextViewGetTextCopyIntoMyContainer(int view);

// Edited text made ready to keep with a file: double quotes become bullets (the own text
// format stores the comment between double quotes), line feeds, CR LF and paragraph
// separators become the carriage return of the program's files. Stays UTF-8.
std::string FixContainerTextForSave(std::string_view text);
// The same, converted to Mac Roman for the own file formats ("?" for characters it lacks).
std::string ownFormatText(std::string_view utf8);

}  // namespace qv
