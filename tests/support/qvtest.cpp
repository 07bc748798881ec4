#include "support/qvtest.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "app/shell_hooks.h"

namespace qvtest {

void resetRuntime() {
  static bool started = false;
  if (!started) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("QV_EVENTS");
    static char arg0[] = "qvtest";
    static char* argv[] = {arg0, nullptr};
    qv::rt::initRuntime(1, argv);
    qv::InstallShellHooks();
    qv::rt::setExitHook([](int status) { throw qv::rt::ProgramExit{status, qv::rt::lastFatalMessage()}; });
    started = true;
  }
  qv::rt::script::clear();
  qv::rt::script::setActive(true);
  qv::rt::FlushEvents();
  for (auto v : {qv::rt::Vector::Menu, qv::rt::Vector::Mouse, qv::rt::Vector::Dialog, qv::rt::Vector::Edit,
                 qv::rt::Vector::FileError, qv::rt::Vector::Documents})
    qv::rt::setHandler(v, nullptr);
  for (int id : qv::rt::windowIds()) qv::rt::closeWindow(id);
}

void script(std::initializer_list<const char*> lines) {
  for (const char* l : lines) {
    if (!qv::rt::script::pushLine(l)) ADD_FAILURE() << "malformed scripted line: " << l;
  }
}

std::string tempDir(const std::string& name) {
  std::string dir = (std::filesystem::temp_directory_path() / ("qvtest-" + std::to_string(getpid())) / name).string();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace qvtest

// Caches the font and graphics libraries keep for the life of the process are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\nleak:libglib\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\n";
}
