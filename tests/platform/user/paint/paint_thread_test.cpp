// Painting across threads: invalidation from another thread wakes the owner's message
// wait, and another thread may draw into a window through its own DC.
#include "paint_fixture.h"

#include <thread>

namespace talix::testing {
namespace {

TEST_F(PaintTest, InvalidationFromAnotherThreadWakesTheOwnersWait) {
  HWND hwnd = Filled(RGB(1, 2, 3), 0, 0, 40, 40);
  host::PumpMessagesUntilIdle();
  events.clear();
  std::thread other([hwnd] {
    HDC hdc = GetDC(hwnd);  // drawing from a worker, as progress animations do
    RECT box{0, 0, 10, 10};
    FillRect(hdc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(hwnd, hdc);
    InvalidateRect(hwnd, nullptr, FALSE);
  });
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));  // blocks until the WM_PAINT is due
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(msg.hwnd, hwnd);
  other.join();
  EXPECT_EQ(Window(hwnd).At(5, 5), Argb(RGB(255, 255, 255)));
  DispatchMessageW(&msg);
  EXPECT_EQ(Window(hwnd).At(5, 5), Argb(RGB(1, 2, 3)));
}

}  // namespace
}  // namespace talix::testing
