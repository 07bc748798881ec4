#include "scripts/commands.h"

namespace qv {

int16_t InitialNumberOfScriptOperationChannels = 0;
int16_t ScriptIsLoaded = 0;
std::string ScriptFileName;

}  // namespace qv
