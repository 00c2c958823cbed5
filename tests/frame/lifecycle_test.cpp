// Load and unload: the window-support module object set up at load, the loaders after
// TALIX_Finalize, and a whole run of the loaders ending in an exit without leaks.
#include "loader_fixture.h"

#include "frame/AppModule.h"
#include "frame/EmbeddedFonts.h"
#include "frame/LibraryExports.h"
#include "frame/QuorResourceManager.h"
#include "frame/ResourceLoaders.h"
#include "frame/StrColorLoader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

using frametest::LoaderTest;
using talix::frame::AppModule;
using talix::frame::TheAppModule;

// Process attach ran on the thread that loaded the library, which is the test's main
// thread.
TEST(LibraryLoad, ModuleObjectRecordsTheLibraryAndTheMainThread) {
  EXPECT_TRUE(TheAppModule().IsInitialized());
  EXPECT_EQ(TheAppModule().MainThreadId(), GetCurrentThreadId());
  EXPECT_NE(TheAppModule().ModuleInstance(), nullptr);
  HMODULE library = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCWSTR>(&KvnLoadColor), &library));
  EXPECT_EQ(TheAppModule().ModuleInstance(), library);
  EXPECT_NE(talix::frame::ColorLoader(), nullptr);
}

TEST(LibraryLoad, ModuleObjectInitOnceAndTermClears) {
  AppModule module;
  int loop = 0;
  module.Init(nullptr);
  const DWORD main = GetCurrentThreadId();
  std::thread([&] { module.Init(nullptr); }).join();  // ignored: already initialised
  EXPECT_EQ(module.MainThreadId(), main);
  EXPECT_TRUE(module.AddMessageLoop(&loop));
  module.AddCreateWindowData(&loop);
  module.Term();
  module.Term();
  EXPECT_FALSE(module.IsInitialized());
  EXPECT_EQ(module.MainThreadId(), 0u);
  EXPECT_EQ(module.MessageLoopCount(), 0u);
  EXPECT_EQ(module.ExtractCreateWindowData(), nullptr);
}

// One message loop per thread; window-creation data is handed back per thread, latest
// first.
TEST(LibraryLoad, ModuleObjectRegistriesArePerThread) {
  AppModule module;
  module.Init(nullptr);
  int mainLoop = 0, otherLoop = 0, first = 0, second = 0, foreign = 0;
  EXPECT_FALSE(module.AddMessageLoop(nullptr));
  EXPECT_TRUE(module.AddMessageLoop(&mainLoop));
  EXPECT_FALSE(module.AddMessageLoop(&otherLoop));
  module.AddCreateWindowData(&first);
  module.AddCreateWindowData(&second);
  DWORD otherThread = 0;
  void* extractedThere = nullptr;
  std::thread([&] {
    otherThread = GetCurrentThreadId();
    EXPECT_TRUE(module.AddMessageLoop(&otherLoop));
    module.AddCreateWindowData(&foreign);
    extractedThere = module.ExtractCreateWindowData();
    EXPECT_TRUE(module.RemoveMessageLoop());
    EXPECT_FALSE(module.RemoveMessageLoop());
  }).join();
  EXPECT_EQ(extractedThere, &foreign);
  EXPECT_EQ(module.GetMessageLoop(GetCurrentThreadId()), &mainLoop);
  EXPECT_EQ(module.GetMessageLoop(otherThread), nullptr);
  EXPECT_EQ(module.MessageLoopCount(), 1u);
  EXPECT_EQ(module.ExtractCreateWindowData(), &second);
  EXPECT_EQ(module.ExtractCreateWindowData(), &first);
  EXPECT_EQ(module.ExtractCreateWindowData(), nullptr);
  module.Term();
}

TEST_F(LoaderTest, LoadersFailCleanlyAfterFinalize) {
  EXPECT_EQ(KvnLoadColor(nullptr, 600), RGB(192, 192, 192));
  HINSTANCE theme = TALIX_GetCommonSKX();
  TALIX_Finalize();
  EXPECT_EQ(talix::frame::ColorLoader(), nullptr);
  EXPECT_EQ(KvnLoadColor(nullptr, 600), 0u);
  EXPECT_EQ(KvnLoadColor(theme, 600), 0u);
  EXPECT_EQ(TALIX_LoadBitmap(700), nullptr);
  ResetColorCache();  // no loader: nothing to replace
  EXPECT_EQ(talix::frame::ColorLoader(), nullptr);
  LOGFONTW lf{};
  KvnLoadFont(&lf);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
}

// A host's whole life in a child process: the loaders in use, TALIX_Finalize, exit with
// a skin bitmap still held (the cache frees it at unload). The leak checker of the
// sanitized build runs at that exit.
TEST_F(LoaderTest, FinalizeAndExitLeaveNothingBehind) {
  EXPECT_EXIT(
      {
        CQuorBitmap* held = nullptr;
        CQuorResourceManager::LoadBitmapW(&held, TALIX_GetCommonSKX(), 700, nullptr);
        KvnLoadFont(nullptr);
        KvnLoadColor(nullptr, 600);
        DeleteObject(TALIX_LoadBitmap(700));
        TALIX_Finalize();
        std::exit(held && !talix::frame::EmbeddedFonts().fonts[1] ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
