// Window data, subclassing, properties, text and classes.
#include "user_test_support.h"

#include <map>

namespace talix::testing {
namespace {

// Three procedures chained with SetWindowLongPtrW(GWLP_WNDPROC); each tags the result
// and passes on to the procedure it replaced, kept in a map by level.
std::map<int, WNDPROC> g_previous;

template <int Level>
LRESULT CALLBACK Chained(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_USER) return CallWindowProcW(g_previous[Level], hwnd, msg, wParam, lParam);
  LRESULT below = CallWindowProcW(g_previous[Level], hwnd, msg, wParam * 10 + Level, lParam);
  return below;
}

LRESULT CALLBACK Base(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) return static_cast<LRESULT>(wParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(UserTest, SubclassChainRunsNewestFirstAndUnwinds) {
  HWND hwnd = Make(WS_POPUP);
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Base));
  g_previous[1] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Chained<1>)));
  g_previous[2] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Chained<2>)));
  g_previous[3] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Chained<3>)));
  EXPECT_EQ(g_previous[1], Base);
  EXPECT_EQ(g_previous[3], Chained<2>);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 321);  // 3 ran first, the base last
  // Unhooking the middle one by restoring the top's predecessor leaves 3 -> 1 -> base.
  g_previous[3] = g_previous[2];
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 31);
  // The class keeps its own procedure.
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)), RecordingProc);
  DestroyWindow(hwnd);
}

TEST_F(UserTest, WindowLongsAndExtraBytesAreBoundsChecked) {
  HWND hwnd = Make(WS_POPUP);
  struct Case {
    int index;
    bool wide;
    bool valid;
  } cases[] = {{0, true, true},  {8, true, true},   {9, true, false}, {12, false, true},
               {13, false, false}, {16, false, false}, {-100, true, false}};
  for (const Case& c : cases) {
    SetLastError(0);
    LONG_PTR old = c.wide ? SetWindowLongPtrW(hwnd, c.index, 0x1122334455667788LL)
                          : SetWindowLongW(hwnd, c.index, 0x11223344);
    (void)old;
    EXPECT_EQ(GetLastError(), c.valid ? 0u : static_cast<DWORD>(ERROR_INVALID_INDEX)) << c.index;
  }
  SetWindowLongPtrW(hwnd, 0, 0x1122334455667788LL);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, 0), 0x1122334455667788LL);
  EXPECT_EQ(SetWindowLongW(hwnd, 4, -5), 0x11223344);  // the high half, little-endian
  EXPECT_EQ(GetWindowLongW(hwnd, 4), -5);
  EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_USERDATA, 42), 0);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), 42);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongW(hwnd, GWLP_WNDPROC), 0);  // a pointer has no 32-bit form
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  SetLastError(0);
  EXPECT_EQ(SetClassLongPtrW(hwnd, 8, 1), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(SetClassLongPtrW(hwnd, 0, 5), 0u);
  EXPECT_EQ(GetClassLongPtrW(hwnd, 0), 5u);
  DestroyWindow(hwnd);
}

TEST_F(UserTest, StyleChangesAreAnnouncedAndApplied) {
  HWND hwnd = Make(WS_POPUP);
  MessageLog::Get().Take();
  LONG old = SetWindowLongW(hwnd, GWL_STYLE, WS_POPUP | WS_BORDER);
  EXPECT_EQ(static_cast<DWORD>(old) & WS_BORDER, 0u);
  EXPECT_EQ(MessageLog::Get().TakeMessages(), (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_STYLE) & WS_BORDER);
  DestroyWindow(hwnd);
}

BOOL CALLBACK CollectProps(HWND, LPWSTR name, HANDLE data, ULONG_PTR lParam) {
  auto* out = reinterpret_cast<std::map<std::u16string, HANDLE>*>(lParam);
  std::u16string key = IS_INTRESOURCE(name) ? u"#" + std::u16string(1, char16_t(uintptr_t(name)))
                                            : std::u16string(name);
  (*out)[key] = data;
  return TRUE;
}

TEST_F(UserTest, PropertiesByNameAndAtom) {
  HWND hwnd = Make(WS_POPUP);
  HANDLE one = reinterpret_cast<HANDLE>(1), two = reinterpret_cast<HANDLE>(2);
  EXPECT_EQ(EnumPropsExW(hwnd, CollectProps, 0), -1);
  EXPECT_TRUE(SetPropW(hwnd, u"Alpha", one));
  EXPECT_TRUE(SetPropW(hwnd, u"ALPHA", two));  // names compare without case
  EXPECT_EQ(GetPropW(hwnd, u"alpha"), two);
  EXPECT_TRUE(SetPropW(hwnd, MAKEINTATOM(7), one));
  EXPECT_EQ(GetPropW(hwnd, MAKEINTATOM(7)), one);
  EXPECT_EQ(GetPropW(hwnd, u"Missing"), nullptr);
  std::map<std::u16string, HANDLE> seen;
  EXPECT_NE(EnumPropsExW(hwnd, CollectProps, reinterpret_cast<LPARAM>(&seen)), -1);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[u"Alpha"], two);  // the name as first given
  EXPECT_EQ(RemovePropW(hwnd, u"Alpha"), two);
  EXPECT_EQ(GetPropW(hwnd, u"Alpha"), nullptr);
  DestroyWindow(hwnd);
}

TEST_F(UserTest, WindowTextThroughMessagesWithShortBuffers) {
  HWND hwnd = Make(WS_POPUP);
  WCHAR buf[8];
  EXPECT_EQ(GetWindowTextW(hwnd, buf, 8), 5);  // "title" from creation
  EXPECT_TRUE(SetWindowTextW(hwnd, u"longer text"));
  EXPECT_EQ(GetWindowTextLengthW(hwnd), 11);
  EXPECT_EQ(GetWindowTextW(hwnd, buf, 4), 3);
  EXPECT_EQ(std::u16string(buf), u"lon");
  EXPECT_EQ(GetWindowTextW(hwnd, buf, 0), 0);
  EXPECT_EQ(FindWindowW(kRecordingClass, u"longer text"), hwnd);
  EXPECT_EQ(FindWindowW(nullptr, u"nothing like it"), nullptr);
  DestroyWindow(hwnd);
}

TEST_F(UserTest, ClassRegistrationRules) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = kRecordingClass;
  SetLastError(0);
  EXPECT_EQ(RegisterClassExW(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  HINSTANCE other = reinterpret_cast<HINSTANCE>(uintptr_t{0x5000});
  wc.hInstance = other;  // another module may have a class of the same name
  ATOM atom = RegisterClassExW(&wc);
  EXPECT_NE(atom, 0);
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  EXPECT_TRUE(GetClassInfoExW(other, kRecordingClass, &info));
  EXPECT_EQ(info.lpfnWndProc, DefWindowProcW);
  EXPECT_TRUE(GetClassInfoExW(nullptr, kRecordingClass, &info));
  EXPECT_EQ(info.lpfnWndProc, RecordingProc);
  EXPECT_TRUE(GetClassInfoExW(nullptr, u"button", &info));  // system classes
  EXPECT_TRUE(GetClassInfoExW(nullptr, u"#32770", &info));
  EXPECT_GE(info.cbWndExtra, DLGWINDOWEXTRA);
  EXPECT_TRUE(UnregisterClassW(kRecordingClass, other));
  HWND hwnd = Make(WS_POPUP);
  SetLastError(0);
  EXPECT_FALSE(UnregisterClassW(kRecordingClass, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  WCHAR name[64];
  EXPECT_EQ(GetClassNameW(hwnd, name, 64), 20);
  EXPECT_EQ(std::u16string(name), kRecordingClass);
  DestroyWindow(hwnd);
}

TEST_F(UserTest, TreeNavigationAndZOrder) {
  HWND top = Make(WS_POPUP);
  HWND a = Make(WS_CHILD, top, WS_EX_NOPARENTNOTIFY, nullptr, 1);
  HWND b = Make(WS_CHILD, top, WS_EX_NOPARENTNOTIFY, nullptr, 2);
  EXPECT_EQ(GetWindow(top, GW_CHILD), b);  // newest on top
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
  SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(top), a);
  EXPECT_EQ(GetParent(a), top);
  EXPECT_EQ(GetAncestor(a, GA_ROOT), top);
  EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(FindWindowExW(top, a, kRecordingClass, nullptr), b);
  RECT desk;
  GetWindowRect(GetDesktopWindow(), &desk);
  EXPECT_EQ(desk.right, host::GetScreenParams().width);
  int count = 0;
  EnumChildWindows(top, [](HWND, LPARAM p) -> BOOL { ++*reinterpret_cast<int*>(p); return TRUE; },
                   reinterpret_cast<LPARAM>(&count));
  EXPECT_EQ(count, 2);
  DestroyWindow(top);
}

}  // namespace
}  // namespace talix::testing
