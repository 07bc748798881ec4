#include "core/shell_hooks.h"

namespace qv::hooks {

void (*mainMenuHandler)() = nullptr;
void (*startupMenuHandler)() = nullptr;
void (*mainLoopPass)() = nullptr;
void (*repeatLastAnalysis)() = nullptr;
bool (*runCalculator)(uint16_t) = nullptr;
void (*flashScriptStep)() = nullptr;
void (*fileInfo)(std::string_view, std::string_view, std::string_view, int16_t) = nullptr;
void (*fixComments)(uint16_t) = nullptr;
void (*cutBlock)(int16_t) = nullptr;
void (*removeMarkersFromBlock)() = nullptr;
void (*smoothing)(int16_t) = nullptr;
void (*constantVolumeWindow)() = nullptr;

}  // namespace qv::hooks
