#pragma once
// Memory the program is done with, freed by a helper thread: handing hundreds of megabytes back to
// the system takes it a while, and the user need not wait for that. What is handed over must be
// reachable from nothing else; it is freed in the order handed over, and all of it before the
// program ends. Where no helper can be had it is freed at once.
#include <memory>

namespace qv::rt {

void releaseInBackground(std::shared_ptr<void> owner) noexcept;

}  // namespace qv::rt
