// CQuorTooltip: the shared tooltip window per top-level window, the registration of tool
// windows and the procedure that catches the tooltip's notifications.
#include "chrome/QuorTooltip.h"

#include "frame/QuorLib.h"
#include "frame/ResourceLoaders.h"

#include <win/commctrl.h>
#include <win/wstr.h>

#include <new>

const WCHAR CQuorTooltip::kWindowProperty[] = u"__KelvaneCQuorTooltipControlWindowHandle";
const WCHAR CQuorTooltip::kCountProperty[] = u"__KelvaneCQuorTooltipControlCount";
const WCHAR CQuorTooltip::kObjectProperty[] = u"__KelvaneCQuorTooltipClassPtr";
const WCHAR CQuorTooltip::kProcedureProperty[] = u"__KelvaneCQuorTooltipOrgWinproc";

namespace {

HFONT CreateTooltipFont() {
  LOGFONTW lf;
  KvnLoadFont(&lf);
  lf.lfHeight = 14;
  lf.lfWeight = 500;
  return CreateFontIndirectW(&lf);
}

// A heap copy of `text`; null for null or when memory runs out.
WCHAR* CopyText(const WCHAR* text) {
  if (!text) return nullptr;
  size_t length = wcslen(text);
  WCHAR* copy = new (std::nothrow) WCHAR[length + 1];
  if (copy) wcscpy(copy, text);
  return copy;
}

HWND SharedWindowOf(HWND top) {
  return top ? static_cast<HWND>(GetPropW(top, CQuorTooltip::kWindowProperty)) : nullptr;
}

int32_t* CountOf(HWND top) {
  return top ? static_cast<int32_t*>(GetPropW(top, CQuorTooltip::kCountProperty)) : nullptr;
}

// The tool record under which `window` is added: its control id over its client area.
TTTOOLINFOW ToolInfoOf(HWND window) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = window;
  info.uId = UINT_PTR(GetDlgCtrlID(window));
  return info;
}

bool HoldsTool(HWND tooltip, HWND window) {
  TTTOOLINFOW info = ToolInfoOf(window);
  return IsWindow(tooltip) &&
         SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

}  // namespace

CQuorTooltip::CQuorTooltip()
    : m_hWndTop(nullptr), m_hInstance(nullptr), m_hFont(CreateTooltipFont()), m_pszText(nullptr) {}

// A copy owns its own text and font: sharing them would free them twice.
CQuorTooltip::CQuorTooltip(const CQuorTooltip& other)
    : m_hWndTop(other.m_hWndTop),
      m_hInstance(other.m_hInstance),
      m_hFont(CreateTooltipFont()),
      m_pszText(CopyText(other.m_pszText)) {}

CQuorTooltip& CQuorTooltip::operator=(const CQuorTooltip& other) {
  if (this == &other) return *this;
  m_hWndTop = other.m_hWndTop;
  m_hInstance = other.m_hInstance;
  ReplaceText(other.m_pszText);
  return *this;
}

CQuorTooltip::~CQuorTooltip() {
  delete[] m_pszText;
  if (m_hFont) DeleteObject(m_hFont);
}

void CQuorTooltip::ReplaceText(const WCHAR* text) {
  WCHAR* copy = CopyText(text);
  delete[] m_pszText;
  m_pszText = copy;
}

void CQuorTooltip::SetTooltip(HWND window, const WCHAR* text) {
  if (!InitializeTooltipManager(window)) return;
  ReplaceText(text);
  if (!text) {
    UnregisterToolWindow(window);
    return;
  }
  // A window registered earlier keeps its subclass; it is added again only when the
  // shared window does not hold it (a failed add, or a shared window made anew).
  bool subclassed = GetPropW(window, kObjectProperty) && GetPropW(window, kProcedureProperty);
  if (!subclassed || !HoldsTool(SharedWindowOf(m_hWndTop), window)) RegisterToolWindow(window);
}

bool CQuorTooltip::InitializeTooltipManager(HWND window) {
  m_hWndTop = GetAncestor(window, GA_ROOT);
  if (!m_hWndTop) return false;
  if (IsWindow(SharedWindowOf(m_hWndTop))) return true;
  HINSTANCE instance = CQuorLib::m_hInst ? CQuorLib::m_hInst : GetModuleHandleW(nullptr);
  HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWndTop, nullptr,
                                 instance, nullptr);
  if (!tooltip) return false;
  m_hInstance = instance;
  SetClassLongW(tooltip, GCL_STYLE, LONG(GetClassLongW(tooltip, GCL_STYLE) | CS_DROPSHADOW));
  SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The count left by a shared window that died with its tools no longer counts anything.
  delete static_cast<int32_t*>(RemovePropW(m_hWndTop, kCountProperty));
  int32_t* count = new (std::nothrow) int32_t(0);
  if (!count || !SetPropW(m_hWndTop, kWindowProperty, tooltip) ||
      !SetPropW(m_hWndTop, kCountProperty, count)) {
    delete count;
    RemovePropW(m_hWndTop, kWindowProperty);
    DestroyWindow(tooltip);
    return false;
  }
  return true;
}

void CQuorTooltip::DestroyTooltipManager() {
  HWND tooltip = SharedWindowOf(m_hWndTop);
  if (tooltip) {
    if (IsWindow(tooltip)) DestroyWindow(tooltip);
    RemovePropW(m_hWndTop, kWindowProperty);
  }
  int32_t* count = CountOf(m_hWndTop);
  if (count && *count == 0) {
    RemovePropW(m_hWndTop, kCountProperty);
    delete count;
  }
}

void CQuorTooltip::RegisterToolWindow(HWND window) {
  if (!GetPropW(window, kProcedureProperty)) {
    LONG_PTR procedure = GetWindowLongPtrW(window, GWLP_WNDPROC);
    if (!procedure || !SetPropW(window, kObjectProperty, this)) return;
    if (!SetPropW(window, kProcedureProperty, reinterpret_cast<HANDLE>(procedure))) {
      RemovePropW(window, kObjectProperty);
      return;
    }
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TooltipNotificationProc));
  } else if (!GetPropW(window, kObjectProperty) && !SetPropW(window, kObjectProperty, this)) {
    return;
  }
  TTTOOLINFOW info = ToolInfoOf(window);
  info.uFlags = TTF_SUBCLASS | (CQuorLib::m_dwLayout == 1 ? TTF_RTLREADING : 0);
  GetClientRect(window, &info.rect);
  info.hinst = m_hInstance;
  info.lpszText = LPSTR_TEXTCALLBACKW;
  HWND tooltip = SharedWindowOf(m_hWndTop);
  int32_t* count = CountOf(m_hWndTop);
  if (IsWindow(tooltip) && SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) &&
      count)
    ++*count;
}

void CQuorTooltip::UnregisterToolWindow(HWND window) {
  auto procedure = reinterpret_cast<WNDPROC>(GetPropW(window, kProcedureProperty));
  if (!procedure) return;
  HWND top = m_hWndTop ? m_hWndTop : GetAncestor(window, GA_ROOT);
  HWND tooltip = SharedWindowOf(top);
  // The tool goes first: the tooltip's own subclass sits in front of ours and leaves the
  // chain cleanly only while it is the window's procedure.
  bool held = HoldsTool(tooltip, window);
  if (held) {
    TTTOOLINFOW info = ToolInfoOf(window);
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  RemovePropW(window, kProcedureProperty);
  RemovePropW(window, kObjectProperty);
  int32_t* count = CountOf(top);
  if (!count) return;
  // A shared window that is gone took its tools along: its count is done with too.
  if (held && *count > 0) --*count;
  if (!IsWindow(tooltip)) *count = 0;
  if (*count > 0) return;
  HWND saved = m_hWndTop;
  m_hWndTop = top;
  DestroyTooltipManager();
  m_hWndTop = saved;
}

LRESULT CALLBACK CQuorTooltip::TooltipNotificationProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                       LPARAM lParam) {
  auto* self = static_cast<CQuorTooltip*>(GetPropW(hwnd, kObjectProperty));
  auto procedure = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kProcedureProperty));
  if (msg == WM_NOTIFY && self && lParam) {
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
      case TTN_GETDISPINFOW: return self->OnTTNGetDispInfo(wParam, lParam);
      case TTN_SHOW: return self->OnTTNShow(wParam, lParam);
      case NM_CUSTOMDRAW: return self->OnTTNCustomDraw(wParam, lParam);
    }
  }
  // A tool window destroyed while still registered leaves the shared window's books.
  if (msg == WM_NCDESTROY && self) self->UnregisterToolWindow(hwnd);
  if (procedure) return CallWindowProcW(procedure, hwnd, msg, wParam, lParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}
