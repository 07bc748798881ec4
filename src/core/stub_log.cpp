#include "core/stub_log.h"

#include "core/notices.h"

namespace qv {

namespace {
NotBuiltRecorder gRecorder;
}

void notBuilt(const std::string& call, std::string_view command) {
  if (gRecorder) {
    gRecorder(call);
    return;
  }
  if (!command.empty()) NotAvailable(command);
}

void setNotBuiltRecorder(NotBuiltRecorder recorder) { gRecorder = std::move(recorder); }

}  // namespace qv
