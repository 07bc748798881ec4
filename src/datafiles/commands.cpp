#include "datafiles/datafiles.h"

namespace qv {

int16_t SaveAsBigENDIAN = 0;
int16_t MergeFileCommentHandling = 2;
int16_t ButtonsAreON = 0;
std::string DefaultNameStem = "data";

}  // namespace qv
