#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/qvtest.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qvtest::resetRuntime();
  int rc = RUN_ALL_TESTS();
  // The folders a test made for its files go with the process, unless asked to keep them.
  if (!std::getenv("QV_KEEP_TEST_FILES")) {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / ("qvtest-" + std::to_string(getpid())), ec);
  }
  return rc;
}
