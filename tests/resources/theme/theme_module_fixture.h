// The built Dark theme module, mapped as a data file once for the whole test program,
// with the generator's manifest and the ids header beside it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "theme_manifest.h"

namespace themetest {

class ThemeModuleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  // The bytes of a resource of the module, empty when it is missing.
  static std::string ResourceBytes(int id, LPCWSTR type);

  static HMODULE module_;
  static Manifest manifest_;
  static std::map<std::string, int> ids_;
};

}  // namespace themetest
