// Data-file entry points that this build does not have yet.
#include "core/stub_log.h"
#include "datafiles/datafiles.h"

namespace qv {

void PARSEbySAMPLES() { notBuilt(callText("PARSEbySAMPLES"), "Sample Averaging"); }
void PARSEbyTIME() { notBuilt(callText("PARSEbyTIME"), "Time Averaging"); }
void ExportBlockData() { notBuilt(callText("ExportBlockData"), "Export Block as csv"); }
void PrintMarkersToFile() { notBuilt(callText("PrintMarkersToFile"), "Export Markers"); }

}  // namespace qv
