// The test binary's entry point. With --child it is the second process of the
// cross-process event tests and runs no test of its own.
#include <gtest/gtest.h>

#include <cstring>

namespace talix::testing {
int RunEventChild(int argc, char** argv);
}

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--child") == 0)
    return talix::testing::RunEventChild(argc - 2, argv + 2);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
