#pragma once
// The rules of the open road that need no window: what the open panel offers for each kind
// of request, which slot a new file takes, and the plot settings a file starts with.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Kind of open request going into the open road and the detected format coming out.
extern int16_t TypeOfFile;

struct OpenPanelRequest {
  std::string prompt;
  std::vector<std::string> extensions;  // without dots; empty: any file
};

// The panel for a kind of request (TypeOfFile on entry): 4 Sable or own binary files; 1, 2,
// 5 and 6 the program's own files; anything else any file.
OpenPanelRequest openPanelFor(int16_t typeOfFile);

// The lowest slot whose in-use flag is clear, counting from 0; -1 when all are taken.
int lowestFreeSlot(std::span<const bool> inUse);

// Half-width in pixels of the automatic block on the whole-file view: `xstep` pixels a case
// when the file fits the plot, else the cases' share of the plot width (integer division).
int32_t automaticBlockPixels(int32_t abunit, int32_t xstep, int32_t screenWidth, int32_t cases);

// "Show Screen Segments" is offered when the pages of a file longer than the plot would be
// fewer than 5 pixels apart.
bool screenSegmentsOffered(int32_t cases, int32_t screenWidth);

// Append or Stack takes a second file only while the file has 1 to 6,099,899 cases.
bool appendAllowed(int32_t cases);

// Markers are drawn when a file has at most this many.
constexpr int kMostMarkersDrawn = 100;

// How many documents handed over by the desktop can still be opened.
int documentsRoom(int openFiles);

// The loading window's left and right edges: beside the plot window (its left edge) when
// the slot has one, else at the usual place.
struct LoadingWindowEdges {
  int left = 0, right = 0;
};
LoadingWindowEdges loadingWindowEdges(bool plotWindowExists, int plotWindowLeft);

// Text lines of the loading window.
std::string markersPresentLine(int count);
std::string notesPresentLine(int count);
// The caution after a load that left out markers pointing at no case of the file.
std::string markersDroppedLine(int count);

}  // namespace qv
