#include "core/notices.h"

#include "core/warning.h"

namespace qv {

void NotAvailable(std::string_view command) {
  WarningSpec s;
  s.window = 990;
  s.title = "Not available";
  s.heading = "Not available";
  s.lines = {"\u201C" + std::string(command) + "\u201D is not available in this build of Quorvelant."};
  s.sound = "";
  ShowWarning(s);
}

}  // namespace qv
