// The loader tests' theme: a private library folder whose Resource folder holds the two
// test theme modules, the suite's registry pointing at the first, and a fresh library
// state (resource handler, colour loader, embedded fonts) before and after each test.
#pragma once

#include "frame_fixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace frametest {

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Seeds the registry so that the theme module is TALIX_<theme>.skx ("" = no theme).
  static void UseTheme(const char* theme);
  // Maps a test theme module as a data file, as the resource handler does.
  HINSTANCE MapTheme(const char* theme) const;

  std::unique_ptr<LibraryFolder> folder_;
};

// Starts the library-wide resource objects over (also after TALIX_Finalize).
void RestartLibraryState();

}  // namespace frametest
