// Documents handed over by the desktop: file arguments at start-up and documents a second
// start of the program passes to the running one. Each is looked at briefly to tell the
// program's own files and Sable files from anything else, which is skipped.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/shell_hooks.h"
#include "datafiles/datafiles.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_windows.h"
#include "datafiles/open_road.h"
#include "core/open_rules.h"
#include "core/warning.h"
#include "runtime/files.h"
#include "runtime/events.h"

namespace qv {

namespace {

constexpr size_t kHeadBytes = 512;

std::vector<std::string> gPending;
bool gOpening = false;

// Documents are opened where the program waits for the user's next command (the main loop,
// start-up); one handed over while a tool window runs waits until the tool has returned.
bool atTopLevel() {
  const rt::Handler menu = rt::handler(rt::Vector::Menu);
  return menu == nullptr || menu == hooks::mainMenuHandler || menu == hooks::startupMenuHandler;
}

std::vector<uint8_t> fileHead(const std::string& path) {
  std::vector<uint8_t> head(kHeadBytes);
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
  head.resize(size_t(in.gcount()));
  return head;
}

void openDocument(const std::string& path) {
  const int16_t type = finderDocumentType(fileHead(path));
  if (type == 0) {
    FileHasBeenClicked = 0;
    // A double-click that does nothing visible leaves the user guessing: say which file and why.
    Warn(1166, "Not opened: ", handedOverRefusal(rt::fileNameOf(path), fileHead(path), rt::fileExists(path)));
    return;
  }
  TypeOfFile = type;
  FileHasBeenClicked = 1;
  FileIconWasClicked = type == kTypeSable ? 2 : 1;
  CLICKEDDataFileCFURL = path;
  GetClickedFile();
  MergeThisFile = 0;
  CLICKEDDataFileCFURL.clear();
}

}  // namespace

int16_t GetClickedFile() {
  const int16_t result = LoadIntoNewSlot(1);
  TypeOfFile = 0;
  FileIconWasClicked = 0;
  return result;
}

void MyFinderInfo() {
  const std::vector<std::string>& docs = rt::documentPaths();
  gPending.insert(gPending.end(), docs.begin(), docs.end());
  if (gOpening || !atTopLevel()) {
    FileHasBeenClicked = 1;
    FileIconWasClicked = 1;
    return;
  }
  OpenHandedOverDocuments();
}

bool DocumentsWaiting() { return !gPending.empty(); }

void OpenHandedOverDocuments() {
  if (gOpening) return;
  gOpening = true;
  std::vector<std::string> docs;
  docs.swap(gPending);
  size_t room = size_t(documentsRoom(openFileCount()));
  if (docs.size() > room) {
    TooManyFiles(int16_t(std::min<size_t>(docs.size() - room, 32767)));
    // Files the user closed in the chooser make room for more of the documents.
    room = size_t(documentsRoom(openFileCount()));
  }
  if (docs.size() > room) docs.resize(room);
  for (const std::string& path : docs) {
    if (gQuitPending) break;
    openDocument(path);
  }
  keepFileKeptForLoad();
  FileHasBeenClicked = 0;
  FileIconWasClicked = 0;
  gOpening = false;
  // Documents handed over while these were opened wait for the main loop.
  if (!gPending.empty()) FileHasBeenClicked = FileIconWasClicked = 1;
  rt::FlushEvents();
}

}  // namespace qv
