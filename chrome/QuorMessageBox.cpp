// CQuorMessageBox: class-wide settings, Show, the dialog procedure and the box's
// resources. The template is written in QuorMessageBoxTemplate.cpp, the layout made in
// QuorMessageBoxLayout.cpp.
#include "chrome/QuorMessageBox.h"

#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"
#include "frame/ResHandler.h"

#include <win/wstr.h>

CQuorButtonSkin* CQuorMessageBox::m_pButtonSkin = nullptr;
CQuorStaticBitmapSkin* CQuorMessageBox::m_pBackgroundSkin = nullptr;
COLORREF CQuorMessageBox::m_clrText = CQuorMessageBox::kDefaultTextColor;
HINSTANCE CQuorMessageBox::m_hLanguageModule = nullptr;
UINT CQuorMessageBox::m_uOk = 0;
UINT CQuorMessageBox::m_uCancel = 0;
UINT CQuorMessageBox::m_uYes = 0;
UINT CQuorMessageBox::m_uNo = 0;

namespace {

// An owned copy; a null text becomes an empty one.
WCHAR* CopyText(LPCWSTR text) { return _wcsdup(text ? text : u""); }

bool RightToLeft() { return CQuorLib::GetLayout() == 1; }

// Frees the template memory on every path out of Show.
class TemplateMemory {
 public:
  TemplateMemory() : handle_(GlobalAlloc(GMEM_ZEROINIT, CQuorMessageBox::kTemplateBytes)) {
    if (handle_) bytes_ = static_cast<BYTE*>(GlobalLock(handle_));
  }
  ~TemplateMemory() {
    if (bytes_) GlobalUnlock(handle_);
    if (handle_) GlobalFree(handle_);
  }
  TemplateMemory(const TemplateMemory&) = delete;
  TemplateMemory& operator=(const TemplateMemory&) = delete;
  BYTE* bytes() const { return bytes_; }

 private:
  HGLOBAL handle_;
  BYTE* bytes_ = nullptr;
};

}  // namespace

void CQuorMessageBox::CMessageBoxBackground::CreateBackBuffer(int cx, int cy,
                                                              CQuorGraphics* graphics) {
  CQuorWindowImpl<CQuorStaticBitmapSkin>::CreateBackBuffer(cx, cy, graphics);
  if (!m_hIcon || !m_hBackBuffer) return;
  talix::draw::ScreenDc screen;
  talix::draw::SelectedDc memory(screen.get(), m_hBackBuffer);
  if (memory.ok()) DrawIcon(memory.get(), 21, 21, m_hIcon);
}

CQuorMessageBox::CQuorMessageBox(LPCWSTR text, LPCWSTR caption, UINT type)
    : m_hMessageFont(nullptr),
      m_hIcon(nullptr),
      m_szOk{},
      m_szCancel{},
      m_szYes{},
      m_szNo{},
      m_pszText(CopyText(text)),
      m_pszCaption(CopyText(caption)),
      m_rcText{},
      m_uType(type),
      m_hBrush(nullptr) {}

CQuorMessageBox::~CQuorMessageBox() {
  if (m_Text.m_hWnd && IsWindow(m_Text.m_hWnd)) DestroyWindow(m_Text.m_hWnd);
  if (m_hBrush) DeleteObject(m_hBrush);
  if (m_hMessageFont) DeleteObject(m_hMessageFont);
  if (m_hIcon) DestroyIcon(m_hIcon);
  free(m_pszText);
  free(m_pszCaption);
}

void CQuorMessageBox::SetButtonSkin(CQuorButtonSkin* skin) {
  if (!m_pButtonSkin) m_pButtonSkin = skin;
}

void CQuorMessageBox::SetBackgroundSkin(CQuorStaticBitmapSkin* skin) {
  if (!m_pBackgroundSkin) m_pBackgroundSkin = skin;
}

void CQuorMessageBox::SetTextColor(COLORREF color) { m_clrText = color; }

void CQuorMessageBox::SetButtonCaptions(HINSTANCE languageModule, UINT ok, UINT cancel,
                                        UINT yes, UINT no) {
  m_hLanguageModule = languageModule;
  m_uOk = ok;
  m_uCancel = cancel;
  m_uYes = yes;
  m_uNo = no;
}

void CQuorMessageBox::ResetConfiguration() {
  m_pButtonSkin = nullptr;
  m_pBackgroundSkin = nullptr;
  m_clrText = kDefaultTextColor;
  SetButtonCaptions(nullptr, 0, 0, 0, 0);
}

int CQuorMessageBox::Show(HWND parent, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (!m_pButtonSkin || !m_pBackgroundSkin)
    return MessageBoxW(parent, text, caption, RightToLeft() ? type | MB_RTLREADING : type);
  TemplateMemory memory;
  if (!memory.bytes()) return -1;
  CreateDialogTemplate(memory.bytes());
  CQuorMessageBox box(text, caption, type);
  const INT_PTR result = DialogBoxIndirectParamW(
      CQuorLib::GetInstance(), reinterpret_cast<LPCDLGTEMPLATEW>(memory.bytes()), parent,
      &DialogProc, reinterpret_cast<LPARAM>(&box));
  return int(result);
}

CQuorMessageBox* CQuorMessageBox::FromDialog(HWND dialog) {
  return reinterpret_cast<CQuorMessageBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK CQuorMessageBox::DialogProc(HWND dialog, UINT msg, WPARAM wParam,
                                             LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* box = reinterpret_cast<CQuorMessageBox*>(lParam);
    if (!box) return 0;
    box->m_hWnd = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return box->OnInitDialog();
  }
  CQuorMessageBox* box = FromDialog(dialog);
  if (!box) return 0;
  switch (msg) {
    case WM_COMMAND:
      box->OnCommand(wParam);
      return 0;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      box->FreeResources();
      return 0;
    case WM_DRAWITEM:
      box->OnDrawItem(wParam, lParam);
      return 1;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(box->OnCtlColorStatic(wParam));
    default:
      return 0;
  }
}

void CQuorMessageBox::OnCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id != IDOK && id != IDCANCEL && id != IDYES && id != IDNO) return;
  EndDialog(m_hWnd, id);
  FreeResources();
}

void CQuorMessageBox::OnDrawItem(WPARAM wParam, LPARAM lParam) {
  // The skinned button draws itself when handed the request.
  if (HWND control = GetDlgItem(m_hWnd, int(wParam)))
    SendMessageW(control, WM_DRAWITEM, wParam, lParam);
  SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 1);
}

HBRUSH CQuorMessageBox::OnCtlColorStatic(WPARAM wParam) {
  SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
  m_Text.SetTextColor(m_clrText);
  if (!m_hBrush) {
    LOGBRUSH hollow{BS_HOLLOW, 0, 0};
    m_hBrush = CreateBrushIndirect(&hollow);
  }
  return m_hBrush;
}

CQuorButtonCtrl* CQuorMessageBox::ButtonById(int id) {
  switch (id) {
    case IDOK: return &m_btnOk;
    case IDCANCEL: return &m_btnCancel;
    case IDYES: return &m_btnYes;
    case IDNO: return &m_btnNo;
    default: return nullptr;
  }
}

void CQuorMessageBox::FreeResources() {
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
    HWND button = GetDlgItem(m_hWnd, id);
    if (button) DestroyWindow(button);
  }
}

void CQuorMessageBox::LoadStrings() {
  if (!m_hLanguageModule) return;
  LoadStringW(m_hLanguageModule, m_uOk, m_szOk, kCaptionChars);
  LoadStringW(m_hLanguageModule, m_uCancel, m_szCancel, kCaptionChars);
  LoadStringW(m_hLanguageModule, m_uYes, m_szYes, kCaptionChars);
  LoadStringW(m_hLanguageModule, m_uNo, m_szNo, kCaptionChars);
}

void CQuorMessageBox::CreateButtons() {
  const struct {
    int id;
    const WCHAR* caption;
  } buttons[] = {{IDOK, m_szOk}, {IDCANCEL, m_szCancel}, {IDYES, m_szYes}, {IDNO, m_szNo}};
  for (const auto& entry : buttons) {
    CQuorButtonCtrl* button = ButtonById(entry.id);
    HWND item = GetDlgItem(m_hWnd, entry.id);
    if (!item || !button->SubclassWindow(item)) continue;
    SetWindowTextW(item, entry.caption);
    button->SetSkin(m_pButtonSkin);
    button->SizeToContent();
    EnableWindow(item, TRUE);
  }
}

namespace {

// The language module's code is "ara": Arabic keeps its question mark as drawn.
bool LanguageIsArabic() {
  CResHandler* handler = talix::frame::ResourceHandler();
  if (!handler) return false;
  if (!handler->GetLanguageName()) handler->GetLanguageModule();
  const WCHAR* name = handler->GetLanguageName();
  return name && _wcsicmp(name, u"ara") == 0;
}

}  // namespace

void CQuorMessageBox::SetDialogIcon() {
  LPCWSTR name = nullptr;
  switch (m_uType & 0xF0) {
    case MB_ICONHAND: name = IDI_HAND; break;
    case MB_ICONQUESTION: name = IDI_QUESTION; break;
    case MB_ICONEXCLAMATION: name = IDI_EXCLAMATION; break;
    case MB_ICONASTERISK: name = IDI_ASTERISK; break;
    default: return;
  }
  m_hIcon = LoadIconW(nullptr, name);
  const bool keepAsDrawn = name == IDI_QUESTION && LanguageIsArabic();
  if (m_hIcon && RightToLeft() && !keepAsDrawn) {
    HICON mirrored = CQuorLib::CreateMirroredIcon(m_hIcon);
    DestroyIcon(m_hIcon);
    m_hIcon = mirrored;
  }
  m_Background.SetIcon(m_hIcon);
}
