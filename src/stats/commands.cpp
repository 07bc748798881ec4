#include "stats/commands.h"

namespace qv {

int16_t IntegrationMode = 54;
int32_t ibase = 0;
int16_t ScanNewSelectedChannel = 0;

}  // namespace qv
