#include "controls/QuorStaticCtrl.h"

#include <map>
#include <vector>

namespace {

// The library-wide text colours, keyed by control. Never destroyed, so that controls
// outliving static destruction can still drop their entries.
std::map<const CQuorStaticCtrl*, COLORREF>& TextColors() {
  static auto* colors = new std::map<const CQuorStaticCtrl*, COLORREF>;
  return *colors;
}

// Selects a DC state for the text and puts it back when done.
class TextState {
 public:
  TextState(HDC dc, HFONT font, COLORREF color)
      : dc_(dc),
        mode_(SetBkMode(dc, TRANSPARENT)),
        color_(::SetTextColor(dc, color)),
        font_(font ? static_cast<HFONT>(SelectObject(dc, font)) : nullptr) {}
  ~TextState() {
    if (font_) SelectObject(dc_, font_);
    ::SetTextColor(dc_, color_);
    SetBkMode(dc_, mode_);
  }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;

 private:
  HDC dc_;
  int mode_;
  COLORREF color_;
  HFONT font_;
};

}  // namespace

CQuorStaticCtrl::CQuorStaticCtrl() : m_hHollowBrush(nullptr) {
  m_pfnWndProc = &CQuorStaticCtrl::WindowProc;
}

CQuorStaticCtrl::~CQuorStaticCtrl() {
  TextColors().erase(this);
  // The window may outlive this object (the base gives it its old procedure back), so
  // it no longer needs the brush this object answered its colour requests with.
  if (m_hHollowBrush) DeleteObject(m_hHollowBrush);
  m_hHollowBrush = nullptr;
}

HWND CQuorStaticCtrl::Create(HWND parent, RECT& rect, unsigned int id, unsigned long style,
                             unsigned long exStyle) {
  return CQuorWindowImpl<CQuorBaseSkin>::Create(u"Static", parent, rect, u"", id, style,
                                                exStyle, nullptr);
}

BOOL CQuorStaticCtrl::SubclassWindow(HWND hwnd) {
  return CQuorWindowImpl<CQuorBaseSkin>::SubclassWindow(hwnd);
}

void CQuorStaticCtrl::SetTextColor(unsigned long color) {
  TextColors()[this] = color & 0xFFFFFF;
}

COLORREF CQuorStaticCtrl::GetTextColor() const {
  auto it = TextColors().find(this);
  return it == TextColors().end() || it->second == 0 ? kDefaultTextColor : it->second;
}

void CQuorStaticCtrl::SetTextAlignment(DWORD alignment) {
  if (!m_hWnd) return;
  const DWORD style = DWORD(GetWindowLongW(m_hWnd, GWL_STYLE));
  SetWindowLongW(m_hWnd, GWL_STYLE, LONG((style & ~DWORD(3)) + alignment));
}

UINT CQuorStaticCtrl::TextFormatForStyle(DWORD style) {
  UINT format;
  if (style & SS_RIGHT)
    format = DT_RIGHT | DT_VCENTER | DT_WORDBREAK;
  else if (style & SS_CENTER)
    format = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  else if (style & 0x0B)  // with bits 0 and 1 clear: bit 3, as in SS_LEFTNOWORDWRAP
    format = DT_VCENTER | DT_SINGLELINE;
  else
    format = DT_LEFT | DT_VCENTER | DT_WORDBREAK;
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  return format;
}

LRESULT CALLBACK CQuorStaticCtrl::WindowProc(HWND hwnd, UINT msg, WPARAM wParam,
                                             LPARAM lParam) {
  // Only objects of this class install this procedure, so the object is one.
  auto* self = static_cast<CQuorStaticCtrl*>(FromHandle(hwnd));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT:
      return self->OnPaint(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND:
      return self->OnEraseBkgnd(hwnd, msg, wParam, lParam);
    case WM_SIZE:
      return self->OnSize(hwnd, msg, wParam, lParam);
    case WM_DESTROY:
      return self->OnDestroy(hwnd, msg, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case OCM_CTLCOLORSTATIC:
      return self->OnCtlColor(hwnd, msg, wParam, lParam);
    case WM_DRAWITEM:
    case OCM_DRAWITEM:
      return self->OnDrawItem(hwnd, msg, wParam, lParam);
    case UWM_INVALIDATEBACKBUFFER:
      InvalidateRect(hwnd, nullptr, TRUE);
      self->DeleteBackBuffer();
      return 0;
    case UWM_REPAINT:
      return self->OnRepaint(hwnd, msg, wParam, lParam);
    default:
      // WM_NCDESTROY and the rest: the skinned window's own handling.
      return CQuorWindowImpl<CQuorBaseSkin>::WindowProc(hwnd, msg, wParam, lParam);
  }
}

LRESULT CQuorStaticCtrl::OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_hHollowBrush) DeleteObject(m_hHollowBrush);
  m_hHollowBrush = nullptr;
  DeleteBackBuffer();
  return CallPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CQuorStaticCtrl::OnEraseBkgnd(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  PAINTSTRUCT ps{};
  ps.hdc = reinterpret_cast<HDC>(wParam);
  ps.fErase = FALSE;
  GetClientRect(hwnd, &ps.rcPaint);
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, UWM_REPAINT, reinterpret_cast<WPARAM>(hwnd),
                 reinterpret_cast<LPARAM>(&ps));
  return 1;
}

LRESULT CQuorStaticCtrl::OnPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CQuorWindowImpl<CQuorBaseSkin>::OnPaint(hwnd, msg, wParam, lParam);
}

LRESULT CQuorStaticCtrl::OnSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DeleteBackBuffer();
  return CallPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CQuorStaticCtrl::OnRepaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CQuorWindowImpl<CQuorBaseSkin>::OnRepaint(hwnd, msg, wParam, lParam);
}

LRESULT CQuorStaticCtrl::OnCtlColor(HWND, UINT, WPARAM wParam, LPARAM) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, GetTextColor());
  if (!m_hHollowBrush) {
    LOGBRUSH lb{BS_HOLLOW, 0, 0};
    m_hHollowBrush = CreateBrushIndirect(&lb);
  }
  return reinterpret_cast<LRESULT>(m_hHollowBrush);
}

void CQuorStaticCtrl::OnPaint(PAINTSTRUCT* ps) {
  RECT client;
  if (!GetClientRect(m_hWnd, &client)) return;
  if (SkinIsValid())
    DrawBackBuffer(ps->hdc, client, ps->rcPaint);
  else
    DrawWindowText(ps->hdc, client);
}

void CQuorStaticCtrl::DrawWindowText(HDC dc, const RECT& client) {
  const int length = GetWindowTextLengthW(m_hWnd);
  if (length <= 0) return;
  std::vector<WCHAR> text(size_t(length) + 1, 0);
  const int copied = GetWindowTextW(m_hWnd, text.data(), length + 1);
  if (copied <= 0) return;
  auto font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  const COLORREF color = IsWindowEnabled(m_hWnd) ? GetTextColor() : kDisabledTextColor;
  TextState state(dc, font, color);
  RECT rect = client;
  const DWORD style = DWORD(GetWindowLongW(m_hWnd, GWL_STYLE));
  DrawTextW(dc, text.data(), copied, &rect, TextFormatForStyle(style));
}
