#pragma once
// Shared test set-up: the runtime on the offscreen platform, scripted input, and an exit
// hook that turns the program's exits into ProgramExit exceptions.
#include <gtest/gtest.h>

#include <string>

#include "runtime/runtime.h"

namespace qvtest {

// Starts the runtime once (offscreen) and resets scripted input, handlers and windows.
void resetRuntime();

// Pushes event-file lines as scripted input.
void script(std::initializer_list<const char*> lines);

// A fresh folder for the test's files.
std::string tempDir(const std::string& name);

// Runs f and returns the exit status it ended the program with, or -1 when it returned.
template <class F>
int exitStatusOf(F&& f) {
  try {
    f();
  } catch (const qv::rt::ProgramExit& e) {
    return e.status;
  }
  return -1;
}

}  // namespace qvtest
