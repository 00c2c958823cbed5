// Skinned windows: how an object takes a window (Create, SubclassWindow), gives it back
// (UnsubclassWindow, destruction) and what the window keeps or loses on the way.
#include "skin_test_support.h"

#include <cstring>
#include <memory>

namespace skintest {
namespace {

using SkinnedWindow = CQuorWindowImpl<TestSkin>;

constexpr WCHAR kBackBufferProp[] = u"PROP_BACKBUFFER";

// A skinned window without a procedure of its own to install.
struct NoProcWindow : SkinnedWindow {
  NoProcWindow() { m_pfnWndProc = nullptr; }
};

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)); }
LONG_PTR UserDataOf(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWLP_USERDATA); }

int PropertyCount(HWND hwnd) {
  int count = 0;
  EnumPropsExW(
      hwnd, [](HWND, LPWSTR, HANDLE, ULONG_PTR counter) -> BOOL {
        ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// A procedure installed over a skinned one, passing everything on.
WNDPROC g_below = nullptr;
LRESULT CALLBACK OverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(g_below, hwnd, msg, wParam, lParam);
}

// A dialog made from an in-memory template with one check box, id 100.
class DialogControl {
 public:
  DialogControl() {
    Words({0, 0, 0, 0});  // style: WS_POPUP | WS_VISIBLE set below, exStyle 0
    const DWORD style = WS_POPUP | WS_VISIBLE;
    std::memcpy(bytes_.data(), &style, 4);
    Words({1, 0, 0, 120, 60, 0, 0, 0});  // one item; x y cx cy; no menu, class, title
    while (bytes_.size() % 4) bytes_.push_back(0);
    const DWORD itemStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
    Words({LOWORD(itemStyle), HIWORD(itemStyle), 0, 0, 10, 10, 60, 14, 100, 0xFFFF, 0x0080});
    Words({0, 0});  // no title, no creation data
    dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()),
                                        nullptr, nullptr, 0);
    control = GetDlgItem(dialog, 100);
  }
  ~DialogControl() { DestroyWindow(dialog); }
  HWND dialog = nullptr;
  HWND control = nullptr;

 private:
  void Words(std::initializer_list<int> words) {
    for (int w : words) {
      bytes_.push_back(static_cast<BYTE>(w));
      bytes_.push_back(static_cast<BYTE>(w >> 8));
    }
  }
  std::vector<BYTE> bytes_;
};

// A control with a message of its own, handled by its own procedure.
constexpr UINT kPing = WM_USER + 77;
struct PingWindow : SkinnedWindow {
  PingWindow() { m_pfnWndProc = &PingProc; }
  static LRESULT CALLBACK PingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<PingWindow*>(FromHandle(hwnd));
    if (self && msg == kPing) return ++self->pings;
    return SkinnedWindow::WindowProc(hwnd, msg, wParam, lParam);
  }
  int pings = 0;
};

class WindowAttachTest : public SkinTest {
 protected:
  TestSkin skin_{TestSkinDef{TRUE, {0, 0, 0, 0}, 0, 0}};
};

TEST_F(WindowAttachTest, CreateInstallsTheProcedureAndKeepsWhatWasThere) {
  HWND top = MakeTop(0, 0, 200, 100);
  SkinnedWindow window;
  RECT rc{5, 6, 45, 26};
  HWND hwnd = window.Create(kHostClass, top, rc, u"caption", 42, WS_CHILD | WS_VISIBLE, 0, nullptr);
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(window.m_hWnd, hwnd);
  EXPECT_EQ(window.GetHWND(), hwnd);
  EXPECT_EQ(GetDlgCtrlID(hwnd), 42);
  EXPECT_EQ(ProcOf(hwnd), &SkinnedWindow::WindowProc);
  EXPECT_EQ(UserDataOf(hwnd), reinterpret_cast<LONG_PTR>(&window));
  RECT placed;
  GetWindowRect(hwnd, &placed);
  EXPECT_EQ(placed.left, 5);
  EXPECT_EQ(placed.bottom, 26);
  // Messages the skinned window does not handle reach the class procedure.
  WCHAR text[16] = {};
  EXPECT_EQ(GetWindowTextW(hwnd, text, 16), 7);
  EXPECT_TRUE(SetWindowTextW(hwnd, u"other"));
  EXPECT_EQ(GetWindowTextW(hwnd, text, 16), 5);
}

TEST_F(WindowAttachTest, DerivedControlsInstallTheirOwnProcedure) {
  HWND top = MakeTop(0, 0, 50, 50);
  PingWindow window;
  window.SetSkin(&skin_);
  ASSERT_TRUE(window.SubclassWindow(top));
  EXPECT_EQ(ProcOf(top), &PingWindow::PingProc);
  EXPECT_EQ(SendMessageW(top, kPing, 0, 0), 1);
  EXPECT_EQ(SendMessageW(top, kPing, 0, 0), 2);
  EXPECT_EQ(SendMessageW(top, WM_ERASEBKGND, 0, 0), 1) << "the template's handlers still run";
  EXPECT_TRUE(SetWindowTextW(top, u"passed on"));
  EXPECT_EQ(GetWindowTextLengthW(top), 9);
  EXPECT_EQ(window.UnsubclassWindow(FALSE), top);
}

TEST_F(WindowAttachTest, CreateLeavesNothingBehindWhenItCannot) {
  size_t windows = talix::host::LiveWindowCount();
  RECT rc{0, 0, 10, 10};
  NoProcWindow noProc;
  EXPECT_EQ(noProc.Create(kHostClass, nullptr, rc, u"", 0, WS_POPUP, 0, nullptr), nullptr);
  SkinnedWindow noClass;
  EXPECT_EQ(noClass.Create(u"NoSuchClass", nullptr, rc, u"", 0, WS_POPUP, 0, nullptr), nullptr);
  EXPECT_EQ(noClass.m_hWnd, nullptr);
  EXPECT_EQ(talix::host::LiveWindowCount(), windows);

  SkinnedWindow busy;
  HWND first = busy.Create(kHostClass, nullptr, rc, u"", 0, WS_POPUP, 0, nullptr);
  ASSERT_TRUE(first);
  EXPECT_EQ(busy.Create(kHostClass, nullptr, rc, u"", 0, WS_POPUP, 0, nullptr), nullptr)
      << "one window per object";
  EXPECT_EQ(busy.m_hWnd, first);
  EXPECT_EQ(talix::host::LiveWindowCount(), windows + 1);
  DestroyWindow(first);
}

TEST_F(WindowAttachTest, DialogControlIsSubclassedAndGivenBack) {
  DialogControl dlg;
  ASSERT_TRUE(dlg.control);
  const WNDPROC nativeProc = ProcOf(dlg.control);
  SetWindowLongPtrW(dlg.control, GWLP_USERDATA, 0x1234);
  const int properties = PropertyCount(dlg.control);

  SkinnedWindow window;
  window.SetSkin(&skin_);
  ASSERT_TRUE(window.SubclassWindow(dlg.control));
  EXPECT_EQ(ProcOf(dlg.control), &SkinnedWindow::WindowProc);
  EXPECT_EQ(UserDataOf(dlg.control), reinterpret_cast<LONG_PTR>(&window));
  // The native check box still keeps its data.
  SendMessageW(dlg.control, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(dlg.control, BM_GETCHECK, 0, 0), BST_CHECKED);
  UpdateWindow(dlg.dialog);
  UpdateWindow(dlg.control);
  ASSERT_TRUE(window.GetBackBuffer());
  EXPECT_EQ(GetPropW(dlg.control, kBackBufferProp), window.GetBackBuffer());

  EXPECT_EQ(window.UnsubclassWindow(FALSE), dlg.control);
  EXPECT_EQ(window.m_hWnd, nullptr);
  EXPECT_EQ(ProcOf(dlg.control), nativeProc);
  EXPECT_EQ(UserDataOf(dlg.control), 0x1234);
  EXPECT_EQ(GetPropW(dlg.control, kBackBufferProp), nullptr) << "no stale back buffer";
  EXPECT_EQ(PropertyCount(dlg.control), properties);
  EXPECT_EQ(window.GetBackBuffer(), nullptr);
  EXPECT_EQ(SendMessageW(dlg.control, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(window.UnsubclassWindow(FALSE), nullptr) << "nothing left to give back";
}

TEST_F(WindowAttachTest, SubclassRefusals) {
  HWND top = MakeTop(0, 0, 100, 100);
  HWND first = CreateWindowExW(0, kHostClass, u"", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
  HWND second = CreateWindowExW(0, kHostClass, u"", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
  SkinnedWindow owner;
  ASSERT_TRUE(owner.SubclassWindow(first));

  // An object with a live window keeps it; the other window is not touched.
  EXPECT_FALSE(owner.SubclassWindow(second));
  EXPECT_EQ(owner.m_hWnd, first);
  EXPECT_EQ(ProcOf(second), &DefWindowProcW);

  // A window that already carries a skinned object takes no second one.
  SkinnedWindow intruder;
  EXPECT_FALSE(intruder.SubclassWindow(first));
  EXPECT_EQ(UserDataOf(first), reinterpret_cast<LONG_PTR>(&owner));
  EXPECT_EQ(intruder.m_hWnd, nullptr);

  EXPECT_FALSE(intruder.SubclassWindow(nullptr));
  NoProcWindow noProc;
  EXPECT_FALSE(noProc.SubclassWindow(second));
  EXPECT_EQ(ProcOf(second), &DefWindowProcW);
}

TEST_F(WindowAttachTest, UnsubclassUnderAnotherSubclassNeedsForce) {
  HWND top = MakeTop(0, 0, 100, 100);
  SkinnedWindow window;
  ASSERT_TRUE(window.SubclassWindow(top));
  g_below = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OverProc)));
  ASSERT_EQ(g_below, &SkinnedWindow::WindowProc);

  EXPECT_EQ(window.UnsubclassWindow(FALSE), nullptr);
  EXPECT_EQ(ProcOf(top), &OverProc);
  EXPECT_EQ(UserDataOf(top), reinterpret_cast<LONG_PTR>(&window));
  EXPECT_EQ(window.m_hWnd, top);

  EXPECT_EQ(window.UnsubclassWindow(TRUE), top);
  EXPECT_EQ(ProcOf(top), &DefWindowProcW);
  EXPECT_EQ(UserDataOf(top), 0);
}

TEST_F(WindowAttachTest, WindowOutlivesItsObject) {
  HWND top = MakeTop(0, 0, 100, 100);
  SetWindowLongPtrW(top, GWLP_USERDATA, 77);
  auto window = std::make_unique<SkinnedWindow>();
  window->SetSkin(&skin_);
  ASSERT_TRUE(window->SubclassWindow(top));
  UpdateWindow(top);
  ASSERT_TRUE(GetPropW(top, kBackBufferProp));
  window.reset();
  EXPECT_EQ(ProcOf(top), &DefWindowProcW);
  EXPECT_EQ(UserDataOf(top), 77);
  EXPECT_EQ(GetPropW(top, kBackBufferProp), nullptr);
  // Later messages find no freed object.
  InvalidateRect(top, nullptr, TRUE);
  UpdateWindow(top);
  EXPECT_TRUE(SetWindowTextW(top, u"still here"));
}

TEST_F(WindowAttachTest, ObjectOutlivesItsWindow) {
  SkinnedWindow window;
  window.SetSkin(&skin_);
  RECT rc{0, 0, 30, 30};
  HWND hwnd = window.Create(kHostClass, nullptr, rc, u"", 0, WS_POPUP | WS_VISIBLE, 0, nullptr);
  ASSERT_TRUE(hwnd);
  UpdateWindow(hwnd);
  ASSERT_TRUE(window.GetBackBuffer());
  DestroyWindow(hwnd);
  EXPECT_EQ(window.m_hWnd, nullptr);
  EXPECT_EQ(window.GetBackBuffer(), nullptr) << "the buffer goes with the window";
  EXPECT_EQ(window.UnsubclassWindow(TRUE), nullptr);
}

TEST_F(WindowAttachTest, ProcedureWithoutObjectDoesTheDefault) {
  HWND top = MakeTop(0, 0, 50, 50);
  EXPECT_EQ(SkinnedWindow::WindowProc(top, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"abc")), TRUE);
  EXPECT_EQ(GetWindowTextLengthW(top), 3);
  EXPECT_EQ(SkinnedWindow::WindowProc(top, WM_ERASEBKGND, 0, 0), 0)
      << "no object: DefWindowProcW, not the skinned answer";
}

}  // namespace
}  // namespace skintest
