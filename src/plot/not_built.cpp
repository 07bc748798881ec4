// Plot-window entry points that this build does not have yet. Those a command reaches
// say so in a notice; those called on the program's own road (drawing) do nothing.
#include "core/stub_log.h"
#include "core/notices.h"
#include "plot/plot.h"

namespace qv {

// The multi-channel view's redraws: that view cannot be switched on in this build.
void DrawALLCHANNELS(int16_t) {}
void DrawONEmultichan() {}
void RefreshMULTICHAN() {}
void FixTheCommentsWindow() {}
void ResizeTheMainWindow(int16_t) {}
void ChangeCHARTHITE(int16_t) { NotAvailable("Strip Heights"); }
void MultiChannelDisplay(int16_t) { NotAvailable("Show Multiple Channels"); }
void MultiChannelChanSelectWindow(int16_t) {}
void ShowNotes() { NotAvailable("Show Notes"); }
void ShowOnLineNOTE(int16_t note) { notBuilt(callText("ShowOnLineNOTE", note), "On-line Note"); }

}  // namespace qv
