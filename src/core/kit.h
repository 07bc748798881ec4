#pragma once
// The interface kit every tool window is built from: windows of a fixed style, bevelled
// boxes, edit fields and static text in the colour codes, labelled buttons, the striped
// warning panel, progress bars, icons, embossed titles, the page slider and busy icons.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/geometry.h"

namespace qv {

extern int16_t CurrentlyActiveWindow;
extern float ProgressBarScalingFactor;
extern int32_t MinimumProgressBarValue;
extern int16_t ToolbarIsHidden;
extern int16_t leftedge;
// Colour codes of the next edit fields (see buildef).
extern int16_t EFForeColor, EFBackColor;
// The interface font ("Lucida Grande").
extern int16_t KestrixFont;

// Kinds: 261 floating, 5 floating with close box, 262 document, other document with close box.
void BuildWINDOW(int16_t id, std::string_view title, int16_t left, int16_t top, int16_t right, int16_t bottom,
                 int16_t kind);
void BuildBOX(int16_t l, int16_t t, int16_t r, int16_t b);
void InvertedBox(int16_t l, int16_t t, int16_t r, int16_t b);
void GrayBOX(int16_t fill, int16_t l, int16_t t, int16_t r, int16_t b);
void DoubleLINE(int16_t x1, int16_t x2, int16_t y);
// Kind 7 static text, other kinds an editable field; the colours come from EFForeColor and
// EFBackColor by the colour-code table.
void buildef(int16_t frame, int16_t id, std::string_view text, int16_t l, int16_t t, int16_t r, int16_t b,
             int16_t kind, int16_t justification);
rt::RGB editColorOfCode(int code, bool background);
void BUILDBUTTON(int16_t id, int16_t state, std::string_view label, int16_t x, int16_t y, int16_t type);
void WARNINGSTRIPES(int16_t start, int16_t width, int16_t step, int16_t inset);
void buildProgressBAR(int16_t l, int16_t t, int16_t r, int16_t b, int32_t maximum, int16_t window);
void UpdateProgressBar(int32_t count);
void buildUnscaledProgressBAR(int16_t l, int16_t t, int16_t r, int16_t b, int16_t maximum, int16_t window);
// 128 stop, 129 caution, 130 skull; other kinds draw nothing.
void DrawIcon(int16_t kind, int16_t x, int16_t y);
int16_t SetWindowTitleFont();
void EmbossPrint(uint16_t colorFlag, std::string_view text, int16_t size, int16_t x, int16_t y);
void AutoFlush();
void HideTheToolBar();
void RestoreTheToolBar();
void MakeSlider();
void EraseDiskIcon();
void DRAWDISK(std::string_view caption);
void DRAWPAGE();

// Text in the current font at (x, y), the usual way tool windows print their captions.
void PrintAt(int x, int y, std::string_view text);
// Sets the output window's font, size and style in one call.
void SetTextStyle(int16_t font, int16_t size, int16_t face);

}  // namespace qv
