// Fixture of the native control tests: a visible parent window whose procedure records
// WM_COMMAND notifications, WM_DRAWITEM contents and WM_CTLCOLOR* requests, and answers
// the colour requests with a brush a test chooses. Each test starts on the virtual clock
// with a clean input state and must leave no window and no GDI object behind.
#pragma once

#include <talix/host.h>
#include <talix/host_capture.h>
#include <talix/host_input.h>
#include <talix/host_windows.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace talix::testing {

struct Notification {
  int id;
  int code;
  HWND from;
  bool operator==(const Notification& o) const {
    return id == o.id && code == o.code && from == o.from;
  }
};

struct ParentRecord {
  std::vector<Notification> commands;
  std::vector<DRAWITEMSTRUCT> drawItems;
  std::vector<UINT> colourRequests;
  HBRUSH answerBrush = nullptr;        // answer to WM_CTLCOLOR*; null: DefWindowProcW
  COLORREF ownerDrawColour = RGB(255, 0, 0);
};

inline ParentRecord& Parent() {
  static ParentRecord record;
  return record;
}

inline LRESULT CALLBACK ControlParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      Parent().commands.push_back(
          Notification{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
      return 0;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      Parent().drawItems.push_back(*item);
      HBRUSH brush = CreateSolidBrush(Parent().ownerDrawColour);
      FillRect(item->hDC, &item->rcItem, brush);
      DeleteObject(brush);
      return TRUE;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      Parent().colourRequests.push_back(msg);
      if (Parent().answerBrush) return reinterpret_cast<LRESULT>(Parent().answerBrush);
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

constexpr const char16_t* kControlParentClass = u"TalixControlParent";
constexpr int kParentX = 100, kParentY = 100;

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::UseVirtualClock(true);
    host::ResetInput();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControlParentProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    wc.lpszClassName = kControlParentClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    WarmUp();
    gdiBefore_ = host::LiveHandles(HandleKind::GdiObject);
    parent_ = CreateWindowExW(0, kControlParentClass, u"parent", WS_POPUP | WS_VISIBLE, kParentX,
                              kParentY, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
    SetForegroundWindow(parent_);
    host::MouseMove(0, 0);
    Pump();
    Parent() = ParentRecord{};
  }
  void TearDown() override {
    DestroyWindow(parent_);
    host::ResetInput();
    Pump();
    if (Parent().answerBrush) DeleteObject(Parent().answerBrush);
    Parent() = ParentRecord{};
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::GdiObject), gdiBefore_) << "GDI objects leaked";
    EXPECT_TRUE(UnregisterClassW(kControlParentClass, nullptr));
  }
  static void Pump() { host::PumpMessagesUntilIdle(); }

  // Stock objects, system colour brushes and the font caches are made on first use and
  // live on; one painted window of each kind makes them before the count is taken.
  static void WarmUp() {
    static bool done = false;
    if (done) return;
    done = true;
    for (int colour = 0; colour <= COLOR_MENUBAR; ++colour) GetSysColorBrush(colour);
    HWND top = CreateWindowExW(0, kControlParentClass, u"warm", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                               200, nullptr, nullptr, nullptr, nullptr);
    const std::pair<const char16_t*, DWORD> kinds[] = {{u"Static", SS_LEFT},
                                                       {u"Button", BS_PUSHBUTTON},
                                                       {u"Button", BS_CHECKBOX},
                                                       {u"Button", BS_RADIOBUTTON},
                                                       {u"Button", BS_GROUPBOX}};
    for (auto [cls, style] : kinds) {
      HWND h = CreateWindowExW(0, cls, u"&Warm", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 30,
                               top, nullptr, nullptr, nullptr);
      SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
      Pump();
    }
    Pump();
    DestroyWindow(top);
    Pump();
  }

  // A child control of `cls` at x, y in the parent's client area.
  HWND Control(const char16_t* cls, DWORD style, const char16_t* text, int x, int y, int cx,
               int cy, int id) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent_,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  }
  HWND Button(DWORD style, int id = 7, int x = 20, int y = 20, int cx = 100, int cy = 30) {
    return Control(u"Button", style, u"&Go", x, y, cx, cy, id);
  }
  // Screen position of client point x, y of `hwnd`.
  static POINT ScreenPoint(HWND hwnd, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    return pt;
  }
  static void ClickAt(HWND hwnd, int x, int y) {
    POINT pt = ScreenPoint(hwnd, x, y);
    host::Click(pt.x, pt.y);
    Pump();
  }
  static std::vector<Notification> TakeCommands() {
    std::vector<Notification> out;
    out.swap(Parent().commands);
    return out;
  }
  // The colour of client pixel x, y of `hwnd` as drawn into its top-level surface.
  static COLORREF PixelOf(HWND hwnd, int x, int y) {
    Pump();
    UpdateWindow(hwnd);
    HWND top = GetAncestor(hwnd, GA_ROOT);
    host::CapturedImage image;
    if (!host::CaptureWindow(top, &image)) return CLR_INVALID;
    POINT pt = ScreenPoint(hwnd, x, y);
    RECT frame;
    GetWindowRect(top, &frame);
    uint32_t argb = image.At(pt.x - frame.left, pt.y - frame.top);
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
  }

  // The client pixels of `hwnd`, rows top first, from one capture of its top-level window.
  static std::vector<COLORREF> ClientPixels(HWND hwnd) {
    Pump();
    HWND top = GetAncestor(hwnd, GA_ROOT);
    host::CapturedImage image;
    EXPECT_TRUE(host::CaptureWindow(top, &image));
    RECT client, frame;
    GetClientRect(hwnd, &client);
    GetWindowRect(top, &frame);
    POINT origin = ScreenPoint(hwnd, 0, 0);
    std::vector<COLORREF> out;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) {
        uint32_t p = image.At(origin.x - frame.left + x, origin.y - frame.top + y);
        out.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
      }
    return out;
  }

  HWND parent_ = nullptr;

 private:
  size_t gdiBefore_ = 0;
};

}  // namespace talix::testing
