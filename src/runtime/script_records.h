#pragma once
// Scripted input: one record a line, as event files and tests give it.
#include <optional>
#include <string>
#include <string_view>

namespace qv::rt {

enum class RecordKind {
  Menu,       // menu M I
  Click,      // click ID
  Dialog,     // dialog KIND ID
  Key,        // key CODE
  Type,       // type ID TEXT
  Popup,      // popup ID ITEM
  MouseDown,  // mouse down X Y [W]
  MouseDrag,  // mouse drag X Y [W]
  MouseUp,    // mouse up X Y [W]
  Open,       // open PATH | open cancel
  Save,       // save PATH | save cancel
  Page,       // page ok | page cancel
  Print,      // print PATH | print cancel
  Alert,      // alert N
  Color,      // color R G B | color cancel
  Shot,       // shot W PATH
  Quit,       // quit
};

struct ScriptRecord {
  RecordKind kind = RecordKind::Quit;
  int a = 0, b = 0, c = 0;  // numbers of the record (menu/item, kind/id, x/y/window ...)
  bool hasWindow = false;   // mouse records: a window was named
  bool cancel = false;      // open/save/page/print/color: the cancel answer
  std::string text;         // type TEXT, open/save/print PATH, shot PATH
  int line = 0;             // line of the event file
  std::string source;       // the line as written, for messages
};

// Parses one line. Blank lines and comments give nullopt with ok = true; a malformed
// line gives nullopt with ok = false.
std::optional<ScriptRecord> parseScriptLine(std::string_view line, bool& ok);

// Names the record kind as a reader would write it ("open", "mouse down").
const char* recordKindName(RecordKind k);

}  // namespace qv::rt
