#include "app/menu_bar.h"

#include <string>

#include "core/filetable.h"
#include "core/help.h"
#include "core/prefs.h"
#include "runtime/menus.h"

namespace qv {

namespace {

// The platform's Preferences command takes over Edit item 37 (text and key).
void FBMenuPreferences(int menu, int item) {
  std::string text = rt::menuItemText(menu, item);
  rt::menuDeleteItem(menu, item);
  bindToApplicationMenu(kAppPreferencesItem, menu, item, text.empty() ? "Preferences..." : text, 0);
}

// The platform's standard Edit menu: its commands act on the focused edit field first.
void FBEditMenu(int menu) {
  rt::menuCreate(menu, "Edit");
  rt::menuSetItems(menu, 1, "Undo;Redo;-;Cut;Copy;Paste;Delete;Select All");
  rt::menuSetCommandKey(menu, 1, 'Z');
  rt::menuSetCommandKey(menu, 2, 'Z', true);
  rt::menuSetCommandKey(menu, 4, 'X');
  rt::menuSetCommandKey(menu, 5, 'C');
  rt::menuSetCommandKey(menu, 6, 'V');
  rt::menuSetCommandKey(menu, 8, 'A');
  rt::menuSetEditAction(menu, 1, rt::EditAction::Undo);
  rt::menuSetEditAction(menu, 4, rt::EditAction::Cut);
  rt::menuSetEditAction(menu, 5, rt::EditAction::Copy);
  rt::menuSetEditAction(menu, 6, rt::EditAction::Paste);
  rt::menuSetEditAction(menu, 8, rt::EditAction::SelectAll);
}

struct Entry {
  int16_t item;
  const char* text;
  int16_t state;
};

void items(int16_t menu, std::initializer_list<Entry> list) {
  for (const auto& e : list) FBMenu(menu, e.item, e.state, e.text);
}

void buildFileMenu() {
  FBMenu(kFileMenu, 0, 1, "File");
  FBMenu(kFileMenu, 1, 1, "/OOpen Kestrix...");
  MakeHierMenu(kFileMenu, 2, "Import", kImportMenu);
  items(kImportMenu, {{1, "Kestrix Binary from 'Classic' OS9...", 1}, {2, "Text [ .csv, ASCII ] File...", 1},
                      {3, "Sable File...", 1}});
  MakeHierMenu(kFileMenu, 4, "Append or Stack", kAppendMenu);
  items(kAppendMenu, {{1, "Kestrix File [ .kxda, .kxsc, KXdata ]...", 1},
                      {2, "Sable or Kestrix File [with .extension]...", 1},
                      {3, "Any Kestrix or Sable File...", 1},
                      {5, "Adjust Time Scale...", 1}});
  items(kFileMenu, {{6, "/SSave", 1},
                    {7, "Save As...", 1},
                    {8, "     Export Block as csv ...", 0},
                    {10, "Close File", 0},
                    {11, "Close Several Files", 0},
                    {13, "/IFile Information...", 1},
                    {15, "/PPrint File Image...  's'", 1}});
  MakeHierMenu(kFileMenu, 17, "Send Results To:", kSendResultsMenu);
  items(kSendResultsMenu, {{1, "Printer...", 1}, {2, "Spreadsheet...", 1}, {3, "Text File...", 1}});
  items(kFileMenu, {{18, "     Output Results  'p'", 0}, {19, "/J     Print | Close File", 0}, {21, "/QQuit", 1}});
}

void buildEditMenu() {
  FBEditMenu(kEditMenu);
  FBMenu(kEditMenu, 2, 0, "Reset Last Block");
  FBMenu(kEditMenu, 7, 0, "Clear Block    'clear',  'esc'\"");
  items(kEditMenu, {{9, "/EEdit File Data...", 1},
                    {11, "/BCorrect Baseline...", 1},
                    {12, "Correct Lag Time...", 1},
                    {13, "Integrate...", 1},
                    {14, "/DDerivative...", 1},
                    {16, "/FSmoothing...", 1},
                    {17, "Remove Spikes...", 1},
                    {18, "Remove References...", 1}});
  MakeHierMenu(kEditMenu, 20, "Respirometry", kRespirometryMenu);
  items(kRespirometryMenu, {{1, "/YCompute VO\u2082 ...", 1},
                            {2, "/GCompute VCO\u2082 ...", 1},
                            {3, "Sensor Humidity Correction...", 1},
                            {5, "Compute EWL [VH\u2082O]...", 1},
                            {7, "VO\u2082 in Water...", 1},
                            {9, "O\u2082 Heat Equivalence...", 1},
                            {10, "CO\u2082 Heat Equivalence...", 1},
                            {12, "Effective Volume...", 0}});
  items(kEditMenu, {{22, "/TStandard Transformations...", 1},
                    {23, "    Custom Transforms...", 1},
                    {24, "    Expression Transforms...", 1},
                    {25, "Scale to Block...", 1},
                    {26, "    Block Scale, 0-100", 1}});
  MakeHierMenu(kEditMenu, 28, "Compact & Average", kCompactMenu);
  items(kCompactMenu, {{1, "Sample Averaging...", 1}, {2, "Time Averaging...", 1}});
  MakeHierMenu(kEditMenu, 29, "Change or Remove", kChangeRemoveMenu);
  items(kChangeRemoveMenu, {{1, "Change Blocks...", 1},
                            {2, "Selective Block Removal...", 1},
                            {3, "Cut Block from All Channels", 0},
                            {4, "/KRemove Channel...", 1}});
  items(kEditMenu, {{30, "Crop File to Block...", 0},
                    {31, "Duplicate Channel", 1},
                    {32, "Re-arrange Channels...", 0},
                    {34, "Record Edits", 2},
                    {36, "/&fix Endian Byte Order", 1},
                    {37, "Preferences...", 1}});
  // Built checked whatever the preference; the second check follows it.
  if (prefsArray[44]) FBMenu(kEditMenu, 34, 2);
  FBMenuPreferences(kEditMenu, 37);
}

void buildAnalyzeMenu() {
  FBMenu(kAnalyzeMenu, 0, 1, "Analyze");
  items(kAnalyzeMenu, {{1, "Basic Descriptive Stats  ' b'", 0},
                       {2, "/MMinimum Value...", 0},
                       {3, "/UMaximum Value...", 0},
                       {4, "/9Most Level...", 0},
                       {5, "Most Variable...", 0},
                       {6, "Integrate Block...", 0},
                       {8, "/5Running Average...", 1},
                       {9, "/6Pairs Difference...", 1},
                       {11, "/WWaveform...", 0}});
  MakeHierMenu(kAnalyzeMenu, 12, "Time Series", kTimeSeriesMenu);
  items(kTimeSeriesMenu, {{1, "Basic Time Series...", 1}, {2, "Stepped Sampling...", 1}});
  const int f = TheFileInUse;
  const bool shortFile = f >= 0 && f < kSlots && nCases[f] <= 127;
  items(kAnalyzeMenu, {{13, "FFT...", int16_t(shortFile ? 0 : 1)},
                       {15, "/1Slope vs Time...", 0},
                       {16, "/2Regress Channels...", 0},
                       {17, "/3Find Asymptote...", 0},
                       {18, "/4Fit Polynomial...", 1},
                       {20, "/7Time Integration...", 0},
                       {21, "/8Event Counting...", 0},
                       {22, "Selective Integration...", 0},
                       {24, "Cross-channel Subset Selection...", 1}});
  MakeHierMenu(kAnalyzeMenu, 25, "Analysis Utilities", kAnalysisUtilitiesMenu);
  items(kAnalysisUtilitiesMenu, {{1, "/RAutorepeat", 1},
                                 {2, "Block Width...", 1},
                                 {3, "Scale Results...", 1},
                                 {4, "Don't Use Interpolated Data", int16_t(AvoidInterpolation ? 2 : 1)}});
  items(kAnalyzeMenu, {{27, "/<Shift Block Left \u00AB", 1},
                       {28, "/> Shift Block Right \u00BB", 1},
                       {29, "   Block Shift Rules...", 1}});
}

void buildViewMenu() {
  FBMenu(kViewMenu, 0, 1, "View");
  MakeHierMenu(kViewMenu, 1, "Markers", kMarkersMenu);
  items(kMarkersMenu, {{1, "Show markers", 2},
                       {2, "    Insert Marker[s]", 1},
                       {3, "    Remove Markers in Block", 0},
                       {4, "Remove Interpolation Markers", 1},
                       {5, "Export Markers", 1},
                       {7, "Show Real-time Notes", 1}});
  const int f = TheFileInUse;
  if (f >= 0 && f <= 20 && NumberOfNotes[f] == 0) FBMenu(kMarkersMenu, 6, 0);
  MakeHierMenu(kViewMenu, 2, "Grids and Segments", kGridsMenu);
  items(kGridsMenu, {{1, "Show Grid Lines", 1},
                     {2, "Show Zero Lines", 1},
                     {4, "Show Screen Segments", 1},
                     {5, "Show Time Segments", 1}});
  if (prefsArray[11]) FBMenu(kGridsMenu, 1, 2);
  if (prefsArray[13]) FBMenu(kGridsMenu, 2, 2);
  if (prefsArray[12]) FBMenu(kGridsMenu, 4, 2);
  if (prefsArray[19]) FBMenu(kGridsMenu, 5, 2);
  MakeHierMenu(kViewMenu, 3, "Scaling [Active Channel]", kScalingActiveMenu);
  items(kScalingActiveMenu, {{1, "High Resolution", 1},
                             {2, "Scale to Include Zero", 1},
                             {3, "Normal Scaling", 1},
                             {4, "-", 1},
                             {5, "Manual Scaling...", 1},
                             {6, "Set Interactively...", 1}});
  MakeHierMenu(kViewMenu, 4, "Scaling [All Channels]", kScalingAllMenu);
  items(kScalingAllMenu, {{1, "High Resolution", 1}, {2, "Scale to Include Zero", 1}, {3, "/NNormal Scaling", 1}});
  items(kViewMenu, {{6, "/+Zoom In     ' + '", 0},
                    {7, "/-Zoom Out   ' - '", 0},
                    {8, "Redraw", 1},
                    {9, "/LOverlay...", 0},
                    {10, "      Remove Overlay", 1}});
  MakeHierMenu(kViewMenu, 11, "Comments, Blocks", kCommentsBlocksMenu);
  items(kCommentsBlocksMenu, {{1, "Show Comments", 1}, {2, "Show Block Instructions", 1}});
  if (prefsArray[20]) FBMenu(kCommentsBlocksMenu, 2, 2);
  items(kViewMenu, {{12, "Show Multiple Channels...", 0},
                    {13, "Show Single Channel", 0},
                    {15, "Plot Styles...", 1},
                    {16, "Plot as Histogram", 1},
                    {18, "Show All Channel Values...", 1}});
  MakeHierMenu(kViewMenu, 20, "Significant Digits", kSignificantDigitsMenu);
  items(kSignificantDigitsMenu, {{1, "Four", 1}, {2, "Five", 1}, {3, "Six", 2}, {4, "Seven", 1}, {5, "Eight", 1}});
}

void buildScriptMenu() {
  FBMenu(kScriptMenu, 0, 1, "Script");
  items(kScriptMenu, {{1, "Record a Script", 1},
                      {2, "Halt Script Recording", 1},
                      {4, "Load Script...", 1},
                      {5, "View Script...", 1},
                      {6, "Save Script...", 0},
                      {8, "Run Script [ Automatic, All Files ]", 0},
                      {9, "Run Script [ 1st Run Manual ]", 0},
                      {10, "Run Script [ Automatic, One File ]", 0},
                      {12, "Interrupt Script", 2},
                      {13, "Clear Script", 1},
                      {15, "Quiet Script Runs", 1}});
}

void buildSpecialMenu() {
  FBMenu(kSpecialMenu, 0, 1, "Special");
  items(kSpecialMenu, {{1, "   Simple Math...", 1},
                       {2, "   Simple Regression...", 1},
                       {3, "   Expression Evaluator...", 1},
                       {5, "   STP Adjustment...", 1},
                       {6, "   Altitude & Pressure...", 1},
                       {7, "         Altitude Simulation...", 1},
                       {8, "   pO\u2082 & pH\u2082O Estimates...", 1},
                       {9, "   Dissolved Oxygen...", 1},
                       {11, "   Metabolic Allometry...", 1},
                       {12, "         Minimum Flowrates ...", 1},
                       {13, "   Chamber Washout...", 1},
                       {14, "   Q10 Adjustment...", 1},
                       {15, "   Closed System Respirometry...", 1},
                       {16, "   Ventilation...", 1},
                       {17, "   Thermoregulatory Costs...", 0},
                       {19, "   Day of the Year...", 1},
                       {20, "   Sunrise, Sunset...", 1},
                       {21, "   Unit Conversions...", 1}});
}

void buildHelpMenu() {
  FBMenu(kHelpMenu, 0, 1, "Help");
  // The desktop's own help item opens the program's help pages.
  FBMenu(kHelpMenu, 1, 1, "Quorvelant Help");
  FBMenu(kHelpMenu, 2, 0, "Key to Toolbar Buttons...");
  FBMenu(kHelpMenu, 4, MakerWebAddress().empty() ? 0 : 1, "     Kestrix Website");
  FBMenu(kHelpMenu, 5, MakerMailAddress().empty() ? 0 : 1, "     Send Me an Email...");
}

}  // namespace

void MAINMENU() {
  FBMenu(kAppMenu, 0, 1, "Quorvelant");
  FBMenu(kAppMenu, kAboutItem, 1, "About Quorvelant...");
  buildFileMenu();
  buildEditMenu();
  buildAnalyzeMenu();
  buildViewMenu();
  buildScriptMenu();
  FBMenu(kWindowMenu, 0, 0, "Window");
  buildSpecialMenu();
  buildHelpMenu();
  rt::setMenuBar({kAppMenu, kFileMenu, kEditMenu, kAnalyzeMenu, kViewMenu, kScriptMenu, kWindowMenu, kSpecialMenu,
                  kHelpMenu});
}

}  // namespace qv
