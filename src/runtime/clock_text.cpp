#include <ctime>
#include <string>

#include "runtime/clock.h"

namespace qv::rt {

std::string localClockText(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64] = {};
  std::strftime(text, sizeof text, format, &local);
  return text;
}

}  // namespace qv::rt
