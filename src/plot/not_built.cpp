// Plot-window entry points that this build does not have yet. Those a command reaches
// say so in a notice; those called on the program's own road (drawing) do nothing.
#include "core/stub_log.h"
#include "core/notices.h"
#include "plot/plot.h"

namespace qv {

void MANUALSCALING() { NotAvailable("Y-Axis Scaling for Channel"); }
void ScaleGRAPHIC() { NotAvailable("Set Scale Interactively"); }
void OVERLAY() { NotAvailable("Overlay"); }
void InsertMarker() { NotAvailable("Insert Marker"); }

}  // namespace qv
