#include "output/commands.h"

namespace qv {

int16_t SignificantFigures = 5;
std::string note1 = " ", note2 = " ";

}  // namespace qv
