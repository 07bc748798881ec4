#include "plot/notes_table.h"

namespace qv {

std::vector<OnlineNote> fileRemarks[21];

}  // namespace qv
