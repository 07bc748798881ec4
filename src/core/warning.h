#pragma once
// The program's warning windows: yellow and black stripes round a cleared panel, a caution
// icon, a heading in red bold, the message in black and one or two buttons. The window runs
// its own loop until a button, Return or its close box.
#include <string>
#include <vector>

namespace qv {

struct WarningSpec {
  int window = 1166;
  std::string title = "Warning";
  std::string heading = "Caution: ";
  std::vector<std::string> lines;
  std::string redTail;              // words in red that end the last line
  std::vector<std::string> buttons{"OK"};
  int defaultButton = 1;            // the button Return chooses
  std::string sound = "bub3.mp3";  // "" for none
  int icon = 129;                   // 128 stop, 129 caution, 130 skull, 0 none
  int left = 200, top = 160, width = 480;
  bool endsOnWindowClick = false;   // a click in another window also ends it (result 0)
};

// Returns the button chosen (1-based, in the order given), or 0 when the close box ended it.
int ShowWarning(const WarningSpec& spec);

// The usual one-button warning.
void Warn(int window, const std::string& heading, const std::vector<std::string>& lines);

}  // namespace qv
