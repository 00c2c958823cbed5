// What a library control test takes stock of before it runs and checks after: live windows,
// GDI objects, icons and pictures in the library's bitmap cache. Header only.
#pragma once

#include "frame/QuorResourceManager.h"

#include <talix/host_handles.h>
#include <talix/host_windows.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>

namespace talix::testing {

// The objects the system makes on first use and keeps for good (stock objects, system
// colour brushes, the shared standard icons and the arrow cursor), made now so that a
// test's counts do not take them for leaks.
inline void MakeSharedSystemObjects() {
  for (int i = WHITE_BRUSH; i <= DEFAULT_GUI_FONT; ++i) GetStockObject(i);
  for (int i = 0; i <= COLOR_MENUBAR; ++i) GetSysColorBrush(i);
  for (WORD id = 32512; id <= 32518; ++id) LoadIconW(nullptr, MAKEINTRESOURCEW(id));  // IDI_*
  LoadCursorW(nullptr, IDC_ARROW);
}

struct LiveCounts {
  size_t windows = 0, gdiObjects = 0, icons = 0, cachedPictures = 0;

  static LiveCounts Now() {
    return LiveCounts{talix::host::LiveWindowCount(),
                      talix::host::LiveHandles(talix::HandleKind::GdiObject),
                      talix::host::LiveHandles(talix::HandleKind::Icon),
                      CQuorResourceManager::GetCache().size()};
  }

  // Fails the running test for every count that is not back where it was.
  void ExpectUnchanged() const {
    const LiveCounts now = Now();
    EXPECT_EQ(now.windows, windows) << "windows leaked";
    EXPECT_EQ(now.gdiObjects, gdiObjects) << "GDI objects leaked";
    EXPECT_EQ(now.icons, icons) << "icons leaked";
    EXPECT_EQ(now.cachedPictures, cachedPictures) << "pictures still cached";
  }
};

}  // namespace talix::testing
