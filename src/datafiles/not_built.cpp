// Data-file entry points that this build does not have yet.
#include "core/chooser.h"
#include "core/stub_log.h"
#include "datafiles/datafiles.h"

namespace qv {

int16_t FILELOADING() {
  notBuilt(callText("FILELOADING"), "Open");
  return 0;
}

int16_t LOADFILE(int16_t fromFinder) {
  notBuilt(callText("LOADFILE", fromFinder), "Open");
  TypeOfFile = 0;
  return 1;
}

int16_t GetClickedFile() {
  notBuilt(callText("GetClickedFile"), "Open");
  return 0;
}

void MyFinderInfo() { notBuilt(callText("MyFinderInfo"), "Open"); }

int16_t SelectWhichFileToClose() {
  notBuilt(callText("SelectWhichFileToClose"), "Close Several Files");
  return 1;
}

void LABELwarn() { notBuilt(callText("LABELwarn"), ""); }

void FILEINFO(std::string_view name, std::string_view date, std::string_view time, int16_t mode) {
  notBuilt(callText("FILEINFO", name, date, time, mode), "File Information");
}
void EditFileData(int16_t mode) { notBuilt(callText("EditFileData", mode), "Edit File Data"); }
void PARSEbySAMPLES() { notBuilt(callText("PARSEbySAMPLES"), "Sample Averaging"); }
void PARSEbyTIME() { notBuilt(callText("PARSEbyTIME"), "Time Averaging"); }
void AdjustTimeScale() { notBuilt(callText("AdjustTimeScale"), "Adjust Time Scale"); }
void ExportBlockData() { notBuilt(callText("ExportBlockData"), "Export Block as csv"); }
void PrintMarkersToFile() { notBuilt(callText("PrintMarkersToFile"), "Export Markers"); }
void ClearWINDOW41() { notBuilt(callText("ClearWINDOW41"), ""); }
void FixCOMMENTS(uint16_t fromDialog) { notBuilt(callText("FixCOMMENTS", fromDialog), "Comments"); }

}  // namespace qv
