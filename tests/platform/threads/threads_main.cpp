// The test binary's entry point. With --child ROLE it is the other process of a test
// (see RunChildProcess) and runs no test of its own.
#include <gtest/gtest.h>

#include <cstring>

namespace talix::testing {
int RunEventChild(int argc, char** argv);
int RunClockChild(int argc, char** argv);
}

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
    if (std::strcmp(argv[2], "event") == 0) return talix::testing::RunEventChild(argc - 3, argv + 3);
    if (std::strcmp(argv[2], "clock") == 0) return talix::testing::RunClockChild(argc - 3, argv + 3);
    return 2;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
