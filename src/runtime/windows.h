#pragma once
// Numbered windows and the controls inside them. Controls and drawing act on the
// output window (the window last made current), as the program was designed against.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/geometry.h"

namespace qv::rt {

// Window classes (the numbering the program uses).
enum WindowClass : int {
  kFloatingWindowClass = 5,
  kDocumentWindowClass = 6,
  kSplashWindowClass = 11,
  kStripWindowClass = 12,
  kPlainWindowClass = 13,
  kOverlayWindowClass = 14,
};

enum WindowAttr : unsigned {
  kAttrCloseBox = 1u,
  kAttrResizable = 2u,
  kAttrHidden = 4u,  // created hidden
};

// Opens window id (replacing one of that number) with its content at `r` in screen
// pixels. The new window is the output window and, when shown, the front window.
void openWindow(int id, std::string_view title, Rect r, int windowClass, unsigned attrs);
void closeWindow(int id);  // nothing when it does not exist
bool windowExists(int id);
void showWindow(int id);
void hideWindow(int id);
bool windowVisible(int id);
// Shows the window and puts it in front of the others.
void bringWindowForward(int id);
// The front window: the top visible window that is neither floating nor an overlay
// or strip window; 0 when there is none.
int frontWindow();
std::vector<int> windowIds();

void setOutputWindow(int id);
int outputWindow();

Rect windowContentRect(int id);  // screen pixels
void setWindowContentRect(int id, Rect r);
void moveWindow(int id, int left, int top);
void setWindowTitle(int id, std::string_view title);
std::string windowTitle(int id);
void setWindowMinSize(int id, int width, int height);
void setWindowBackground(int id, RGB color);
// Window values of the output window: 0 its number, 1 the front window, 2 its width,
// 3 its height, 10 and 11 the content origin inside the frame (0), 1000 top, 1001 left,
// 1002 bottom, 1003 height, 1004 right, 1005 horizontal position (left).
int windowFunction(int which);

// The screen: 1440 x 900 offscreen.
Rect screenRect();

// Writes an image of the window (canvas and controls) as PNG; false when it cannot.
bool saveWindowImage(int id, const std::string& path);

// --- Controls of the output window ---------------------------------------------
// Button types: 1 push, 2 check box, 3 radio button, 4 default push button.
// States: 0 disabled, 1 enabled, 2 enabled and marked (checked).
void FBButton(int id, int state, std::string_view title, Rect r, int type);

// Edit fields: type 7 is static text, any other an editable one-line field.
// Justification: 0 left, 1 centre, 2 right (negative values as 0).
void FBEditField(int id, std::string_view text, Rect r, int type, int justification = 0);

// Appearance controls: kind 80 progress bar, 53 slider, 55 slider with tick marks,
// 400 popup button (min = its menu number, value = the chosen item).
enum AppearanceKind : int {
  kControlProgressBar = 80,
  kControlSlider = 53,
  kControlSliderTicks = 55,
  kControlPopupButton = 400,
};
void FBAppearanceButton(int id, int state, int value, int min, int max, std::string_view title,
                        Rect r, int kind);

// A tab bar: one tab for each title; its value is the tab chosen, 1 to the count. Choosing a
// tab reports a click on the control. The pages under it are ordinary controls of the window.
void FBTabControl(int id, const std::vector<std::string>& titles, Rect r, int value);

// A scrolling text view (rich text shown as HTML, or plain text); editable or not.
void FBTextView(int id, Rect r, bool editable);
void textViewSetHtml(int id, std::string_view html);
void textViewSetPlain(int id, std::string_view text);
std::string textViewPlain(int id);

bool controlExists(int id);
void removeControl(int id);
// Hides or shows a control of the output window (a hidden control takes no clicks).
void setControlShown(int id, bool shown);
bool controlShown(int id);
void setButtonState(int id, int state);
int buttonState(int id);
void setControlValue(int id, int value);
int controlValue(int id);  // check box: 1 when marked; popup: chosen item; slider: value
void setControlRange(int id, int min, int max);
void setControlTitle(int id, std::string_view title);
std::string controlTitle(int id);
Rect controlRect(int id);
// Moves and sizes a control of the output window (a text view following its window's size).
void setControlRect(int id, Rect r);

std::string editText(int id);
void setEditText(int id, std::string_view text);
void setEditColors(int id, RGB text, RGB background);
// A read-only field is drawn on the window's own background; this one is filled with
// `background` instead, so a value over a plot stays readable.
void fillStaticField(int id, RGB background);
void setEditFont(int id, int fontNumber, int size, int style);
void selectEditField(int id, int start, int end);  // focuses the field
int focusedEditField();                             // in the front window; 0 when none
// The same calls in a named window.
std::string editTextIn(int window, int id);
void setEditTextIn(int window, int id, std::string_view text);
bool controlExistsIn(int window, int id);
void setButtonStateIn(int window, int id, int state);
int buttonStateIn(int window, int id);
int controlValueIn(int window, int id);

// --- Fonts ---------------------------------------------------------------------
// Font numbers for the names the program asks for; the Mac names map to the desktop's
// sans, serif and mono families. 0 when the name is unknown.
int fontNumber(std::string_view name);
std::string fontFamily(int fontNumber);

// --- Drawing into the output window's canvas ----------------------------------
enum PenMode : int { kPatCopy = 8, kPatOr = 9, kPatXor = 10 };
enum TextStyle : int { kBold = 1, kItalic = 2, kUnderline = 4 };

void moveTo(int x, int y);
void move(int dx, int dy);
void lineTo(int x, int y);
Point penPosition();
void penSize(int w, int h);
void penMode(int mode);
void penNormal();  // size 1, copy mode
void foreColor(RGB c);
void backColor(RGB c);
RGB currentForeColor();
// Colour numbers: 0 white, 1 yellow, 2 magenta, 3 cyan, 4 blue, 5 green, 6 red, 7 black.
void colorNumber(int n);
RGB colorOfNumber(int n);

void frameRect(Rect r);
void paintRect(Rect r);
void eraseRect(Rect r);  // to the window background
void invertRect(Rect r);
void frameOval(Rect r);
void paintOval(Rect r);
void clearWindow();

void textFont(int fontNumber);
void textSize(int size);
void textFace(int style);
int currentTextSize();
// Draws text with its base line at the pen and moves the pen past it.
void drawString(std::string_view utf8);
int stringWidth(std::string_view utf8);
int fontAscent();

// Anti-aliased polyline in window pixels (the plot's traces).
void strokePolyline(const PointF* pts, size_t n, double width, RGB color, bool antialias);

// Images: our own pictures from the resource folders.
struct ImageData;
struct Image {
  const ImageData* data = nullptr;
  explicit operator bool() const { return data != nullptr; }
};
Image loadImage(const std::string& folder, const std::string& name);
void drawImage(Image img, Rect r);
void releaseImage(Image img);

// Shows what was drawn (the canvas is shown when Qt paints; this forces it now).
void flushWindow(int id);

// Pixel of a window's canvas (tests).
RGB canvasPixel(int window, int x, int y);

// --- Cursors ----------------------------------------------------------------
enum class Cursor { Arrow, Cross, IBeam, Wait, Image };
void setCursor(Cursor c);
void setImageCursor(const std::string& imageName, int hotX, int hotY);

}  // namespace qv::rt
