// Data-file entry points that this build does not have yet.
#include "core/stub_log.h"
#include "datafiles/datafiles.h"

namespace qv {

void FILEINFO(std::string_view name, std::string_view date, std::string_view time, int16_t mode) {
  notBuilt(callText("FILEINFO", name, date, time, mode), "File Information");
}
void EditFileData(int16_t mode) { notBuilt(callText("EditFileData", mode), "Edit File Data"); }
void AdjustTimeScale() { notBuilt(callText("AdjustTimeScale"), "Adjust Time Scale"); }
void ClearWINDOW41() { notBuilt(callText("ClearWINDOW41"), ""); }
void FixCOMMENTS(uint16_t fromDialog) { notBuilt(callText("FixCOMMENTS", fromDialog), "Comments"); }

}  // namespace qv
