// The tooltip tests' host windows and fixture.
#include "tooltip_fixture.h"

#include <win/wstr.h>

namespace talix::testing {
namespace {

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

LRESULT AnswerNotify(HWND hwnd, NMHDR* header) {
  HostRecord& host = Host();
  DWORD stage = 0;
  if (header->code == NM_CUSTOMDRAW) stage = reinterpret_cast<NMCUSTOMDRAW*>(header)->dwDrawStage;
  host.notices.push_back(Notice{hwnd, header->code, header->idFrom, stage});
  if (header->code == host.destroyOn) {
    DestroyWindow(header->hwndFrom);
    return 0;
  }
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->uFlags |= host.dispFlags;
    if (host.dispResource) {
      info->hinst = GetModuleHandleW(nullptr);
      info->lpszText = MAKEINTRESOURCEW(host.dispResource);
    } else {
      wcsncpy(info->szText, host.dispText, 79);
      info->szText[79] = 0;
    }
    return 0;
  }
  if (header->code == TTN_SHOW) {
    if (host.resizeTo)
      SetWindowPos(header->hwndFrom, HWND_TOPMOST, 0, 0, host.resizeTo->cx, host.resizeTo->cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!host.placeAt) return FALSE;
    SetWindowPos(header->hwndFrom, nullptr, host.placeAt->x, host.placeAt->y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
  }
  if (header->code != NM_CUSTOMDRAW) return 0;
  auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
  if (stage == CDDS_POSTPAINT && host.paintsAfter) {
    HDC window = GetWindowDC(header->hwndFrom);
    RECT frame;
    GetWindowRect(header->hwndFrom, &frame);
    RECT all{0, 0, frame.right - frame.left, frame.bottom - frame.top};
    HBRUSH brush = CreateSolidBrush(host.ownerFill);
    FillRect(window, &all, brush);
    DeleteObject(brush);
    ReleaseDC(header->hwndFrom, window);
    return CDRF_SKIPDEFAULT;
  }
  if (stage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  if (host.prepaintAnswer & CDRF_SKIPDEFAULT) {
    RECT client;
    GetClientRect(header->hwndFrom, &client);
    HBRUSH brush = CreateSolidBrush(host.ownerFill);
    FillRect(draw->hdc, &client, brush);
    DeleteObject(brush);
  }
  return host.prepaintAnswer;
}

}  // namespace

HostRecord& Host() {
  static HostRecord record;
  return record;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) return AnswerNotify(hwnd, reinterpret_cast<NMHDR*>(lParam));
  if (IsMouseMessage(msg) || msg == WM_MOUSELEAVE) {
    Host().mouseMessages.push_back(msg);
    if (Host().relayTo) {
      MSG relayed{hwnd, msg, wParam, lParam, 0, {}};
      SendMessageW(Host().relayTo, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TooltipTest::SetUp() {
  host::UseVirtualClock(true);
  host::ResetInput();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = HostProc;
  wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
  wc.lpszClassName = kHostClass;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  // Fonts, brushes and caches made on first use live on: show one tip before counting.
  static bool warm = false;
  if (!warm) {
    warm = true;
    Host() = HostRecord{};
    HWND top = CreateWindowExW(0, kHostClass, u"warm", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                               nullptr, nullptr, nullptr, nullptr);
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top, nullptr,
                               nullptr, nullptr);
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V3_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = top;
    ti.uId = UINT_PTR(top);
    ti.lpszText = const_cast<LPWSTR>(u"warm");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    host::MouseMove(50, 50);
    SendMessageW(tip, TTM_POPUP, 0, 0);
    Pump();
    DestroyWindow(top);
    Pump();
  }
  gdiBefore_ = host::LiveHandles(HandleKind::GdiObject);
  parent_ = CreateWindowExW(0, kHostClass, u"parent", WS_POPUP | WS_VISIBLE, kParentX, kParentY,
                            400, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent_, nullptr);
  tool_ = CreateWindowExW(0, kHostClass, u"tool", WS_CHILD | WS_VISIBLE, kToolX, kToolY, kToolW,
                          kToolH, parent_, HMENU(kToolId), nullptr, nullptr);
  second_ = CreateWindowExW(0, kHostClass, u"second", WS_CHILD | WS_VISIBLE, kSecondX, kToolY,
                            kToolW, kToolH, parent_, HMENU(kSecondId), nullptr, nullptr);
  tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr, nullptr, nullptr);
  ASSERT_NE(tip_, nullptr);
  SetForegroundWindow(parent_);
  host::MouseMove(0, 0);
  Pump();
  Host() = HostRecord{};
}

void TooltipTest::TearDown() {
  DestroyWindow(parent_);  // the tooltip is owned by it and goes with it
  host::ResetInput();
  Pump();
  Host() = HostRecord{};
  EXPECT_FALSE(IsWindow(tip_));
  EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
  EXPECT_EQ(host::LiveHandles(HandleKind::GdiObject), gdiBefore_) << "GDI objects leaked";
  EXPECT_TRUE(UnregisterClassW(kHostClass, nullptr));
}

void TooltipTest::MoveTo(HWND hwnd, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(hwnd, &pt);
  host::MouseMove(pt.x, pt.y);
  Pump();
}

BOOL TooltipTest::AddTool(HWND window, UINT_PTR id, UINT flags, LPCWSTR text, UINT size,
                          LPARAM lParam) {
  TTTOOLINFOW ti{};
  ti.cbSize = size;
  ti.uFlags = flags;
  ti.hwnd = window;
  ti.uId = id;
  GetClientRect(window, &ti.rect);
  ti.hinst = GetModuleHandleW(nullptr);
  ti.lpszText = const_cast<LPWSTR>(text);
  ti.lParam = lParam;
  return BOOL(SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

TTTOOLINFOW TooltipTest::Info(HWND window, UINT_PTR id, UINT size) const {
  TTTOOLINFOW ti{};
  ti.cbSize = size;
  ti.hwnd = window;
  ti.uId = id;
  return ti;
}

std::u16string TooltipTest::TextOf(HWND window, UINT_PTR id) {
  WCHAR buffer[128] = {};
  TTTOOLINFOW ti = Info(window, id);
  ti.lpszText = buffer;
  SendMessageW(tip_, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
  return buffer;
}

RECT TooltipTest::TipRect() const {
  RECT r{};
  GetWindowRect(tip_, &r);
  return r;
}

void TooltipTest::HoverUntilShown(HWND tool) {
  RECT client;
  GetClientRect(tool, &client);
  MoveTo(tool, client.right / 2, client.bottom / 2);
  Advance(InitialDelay());
}

std::vector<Notice> TooltipTest::TakeNotices() {
  std::vector<Notice> out;
  out.swap(Host().notices);
  return out;
}

std::vector<UINT> TooltipTest::Codes(const std::vector<Notice>& notices) {
  std::vector<UINT> codes;
  for (const Notice& n : notices) codes.push_back(n.code);
  return codes;
}

}  // namespace talix::testing
