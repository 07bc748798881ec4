#include "runtime/runtime.h"

namespace {

void quitOnlyMenu() {
  if ((qv::rt::menuNumber() == 1 && qv::rt::menuItemNumber() == 21) ||
      (qv::rt::menuNumber() == 0 && qv::rt::menuItemNumber() == 11))
    qv::rt::exitProgram(0);
}

}  // namespace

int main(int argc, char** argv) {
  qv::rt::initRuntime(argc, argv);
  qv::rt::setHandler(qv::rt::Vector::Menu, quitOnlyMenu);
  for (;;) qv::rt::FBHandleEvents();
}
