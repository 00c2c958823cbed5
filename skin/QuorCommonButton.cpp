#include "skin/QuorCommonButton.h"

#include "draw/QuorBitmap.h"
#include "frame/LibraryExports.h"
#include "frame/QuorLib.h"

namespace {

// Loads skins from the theme module and puts the previous resource instance back.
class ThemeInstanceScope {
 public:
  ThemeInstanceScope() : saved_(CQuorLib::GetResourceInstance()) {
    CQuorLib::SetResourceInstance(TALIX_GetCommonSKX());
  }
  ~ThemeInstanceScope() { CQuorLib::SetResourceInstance(saved_); }
  ThemeInstanceScope(const ThemeInstanceScope&) = delete;
  ThemeInstanceScope& operator=(const ThemeInstanceScope&) = delete;

 private:
  HINSTANCE saved_;
};

const CQuorCommonButtonSkinDef& DefaultFor(ECommonButtonSize size) {
  switch (size) {
    case COMMON_BUTTON_SMALL: return CQuorCommonButtonSkin::m_DefaultSmallSkinDef;
    case COMMON_BUTTON_LARGE: return CQuorCommonButtonSkin::m_DefaultLargeSkinDef;
    default: return CQuorCommonButtonSkin::m_DefaultMediumSkinDef;
  }
}

}  // namespace

CQuorCommonButtonCtrl::~CQuorCommonButtonCtrl() {
  // The base destructor may still destroy the window; it must not find a freed skin.
  CQuorCommonButtonSkin* skin = m_pSkin;
  m_pSkin = nullptr;
  delete skin;
}

HWND CQuorCommonButtonCtrl::Create(HWND parent, RECT& rect, UINT id, DWORD style,
                                   DWORD exStyle, ECommonButtonSize size) {
  ThemeInstanceScope theme;
  HWND hwnd = CQuorWindowImpl::Create(u"Button", parent, rect, nullptr, id, style, exStyle,
                                      nullptr);
  if (!hwnd) return nullptr;
  MakeSkin(size);
  m_nCtrlID = UINT(GetDlgCtrlID(hwnd));
  return hwnd;
}

BOOL CQuorCommonButtonCtrl::SubclassWindow(HWND hwnd, ECommonButtonSize size) {
  m_nCtrlID = UINT(GetDlgCtrlID(hwnd));
  const BOOL result = CQuorWindowImpl::SubclassWindow(hwnd);
  if (!result) return FALSE;
  const DWORD style = DWORD(GetWindowLongW(hwnd, GWL_STYLE));
  SetWindowLongW(hwnd, GWL_STYLE, LONG((style & ~0xBu) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
  const DWORD exStyle = DWORD(GetWindowLongW(hwnd, GWL_EXSTYLE));
  SetWindowLongW(hwnd, GWL_EXSTYLE, LONG(exStyle | WS_EX_NOPARENTNOTIFY));
  ThemeInstanceScope theme;
  MakeSkin(size);
  return result;
}

void CQuorCommonButtonCtrl::MakeSkin(ECommonButtonSize size) {
  delete m_pSkin;
  auto* skin = new CQuorCommonButtonSkin;
  skin->SetSkinDef(DefaultFor(size));
  skin->Load();
  SetSkin(skin);
  SizeToContent();
}

void CQuorCommonButtonCtrl::SetButtonIcon(UINT icon, UINT disabledIcon) {
  if (disabledIcon == UINT(-1)) disabledIcon = icon;
  if (m_pSkin) m_pSkin->SetButtonIcon(icon, disabledIcon);
  DeleteBackBuffer();
  if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CQuorCommonButtonCtrl::SizeToContent() {
  if (!m_hWnd || !IsWindow(m_hWnd)) return;
  CQuorBitmap* focused =
      m_pSkin ? m_pSkin->State(COMMON_BUTTON_FOCUSED).GetBackground() : nullptr;
  const int cx = focused ? focused->GetWidth() : 0;
  const int cy = focused ? focused->GetHeight() : 0;
  SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

ECommonButtonState CQuorCommonButtonCtrl::ComputeGraphicalState() {
  if (!IsWindowEnabled(m_hWnd)) return COMMON_BUTTON_DISABLED;
  const bool pushed = (m_lStateFlags & BST_PUSHED) != 0;
  if (m_lStateFlags & BST_FOCUS) {
    if (m_bHot && pushed) return COMMON_BUTTON_FOCUSED_PUSHED;
    return m_bHot ? COMMON_BUTTON_FOCUSED_HOT : COMMON_BUTTON_FOCUSED;
  }
  if (pushed) return m_bHot ? COMMON_BUTTON_PUSHED : COMMON_BUTTON_NORMAL;
  return m_bHot ? COMMON_BUTTON_HOT : COMMON_BUTTON_NORMAL;
}

LRESULT CQuorCommonButtonCtrl::OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  RECT client{};
  GetClientRect(hwnd, &client);
  m_eGraphicalState = ComputeGraphicalState();
  PAINTSTRUCT ps{};
  if (BeginPaint(hwnd, &ps)) {
    if (SkinIsValid())
      DrawBackBuffer(ps.hdc, client, ps.rcPaint);
    else
      DrawPlaceHolder(ps.hdc);
  }
  EndPaint(hwnd, &ps);
  return 0;
}
