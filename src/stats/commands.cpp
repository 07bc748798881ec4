#include "stats/commands.h"

namespace qv {

int16_t IntegrationMode = 54;
double ibase = 0.0;
int16_t ScanNewSelectedChannel = 0;

}  // namespace qv
