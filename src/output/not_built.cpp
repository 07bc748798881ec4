// Results-output entry points that this build does not have yet.
#include "core/stub_log.h"
#include "output/commands.h"

namespace qv {

int16_t OPEN_OUTPUT_PORT() {
  notBuilt(callText("OPEN_OUTPUT_PORT"), "Send Results To");
  return 0;
}
void DRAFTPRINT(std::string_view text) { notBuilt(callText("DRAFTPRINT", text), "Output Results"); }
void SendTextToPrinter() { notBuilt(callText("SendTextToPrinter"), "Print | Close File"); }
void SCREENIMAGE(int16_t mode) { notBuilt(callText("SCREENIMAGE", mode), "Print File Image"); }
void SCALERESULTS(int16_t a, int16_t b) { notBuilt(callText("SCALERESULTS", a, b), "Scale Results"); }

}  // namespace qv
