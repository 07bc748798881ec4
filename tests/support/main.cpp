#include <gtest/gtest.h>

#include "support/qvtest.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qvtest::resetRuntime();
  return RUN_ALL_TESTS();
}
