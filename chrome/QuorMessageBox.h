// CQuorMessageBox: a skinned message box in the place of MessageBoxW.
//
//   CQuorMessageBox::SetBackgroundSkin(&backgroundSkin);   // borrowed; first call wins
//   CQuorMessageBox::SetButtonSkin(&buttonSkin);           // borrowed; first call wins
//   CQuorMessageBox::SetButtonCaptions(languageModule, IDS_OK, IDS_CANCEL, IDS_YES, IDS_NO);
//   int answer = CQuorMessageBox::Show(owner, u"Save the changes?", u"Editor",
//                                      MB_YESNOCANCEL | MB_ICONQUESTION);
//
// Show builds a modal dialog from a template made in memory: the background skin painted
// over the dialog with the box's icon at (21, 21), the text in a CQuorStaticCtrl and up
// to four CQuorButtonCtrl sharing the button skin, captions loaded from the language
// module. The dialog is as wide as its text (wrapped at half the screen width) and the
// caption need, centred over its owner or the work area. It answers IDOK, IDCANCEL,
// IDYES or IDNO; Escape and the close box answer IDCANCEL whatever buttons are shown.
// Until both skins are set Show is MessageBoxW (MB_RTLREADING added in right-to-left
// layout).
//
// The box finds itself through the dialog's DWLP_USER slot: GWLP_USERDATA belongs to the
// skinned background that subclasses the dialog.
//
// Limits: button sets OK, OK/Cancel, Yes/No and Yes/No/Cancel; any other set shows the
// four buttons where the template puts them, with no default (a box wider than the
// template shows them all, a narrower one cuts off those beyond its edge). Captions are
// at most 254 characters. One thread. The default button is marked by the dialog
// manager, which may give it the native push-button type in place of owner-draw.
#pragma once

#include "controls/QuorButtonCtrl.h"
#include "controls/QuorButtonSkin.h"
#include "controls/QuorStaticBitmapSkin.h"
#include "controls/QuorStaticCtrl.h"
#include "frame/talix_export.h"
#include "skin/QuorWindow.h"
#include "skin/QuorWindowImpl.h"

#include <windows.h>

class TALIX_LIB_API CQuorMessageBox : public CQuorWindow {
 public:
  // Size of the template memory and of each caption buffer (in characters).
  static constexpr size_t kTemplateBytes = 1024;
  static constexpr int kCaptionChars = 255;
  static constexpr COLORREF kDefaultTextColor = RGB(205, 205, 205);

  // The dialog's skinned background: the background skin with the box's icon over it.
  class TALIX_LIB_API CMessageBoxBackground : public CQuorWindowImpl<CQuorStaticBitmapSkin> {
   public:
    CMessageBoxBackground() : m_hIcon(nullptr) {}
    // Borrowed; drawn at (21, 21) whenever the buffer is built.
    void SetIcon(HICON icon) { m_hIcon = icon; }
    HICON GetIcon() const { return m_hIcon; }
    void CreateBackBuffer(int cx, int cy, CQuorGraphics* graphics) override;

   private:
    HICON m_hIcon;
  };

  CQuorMessageBox(LPCWSTR text, LPCWSTR caption, UINT type);
  virtual ~CQuorMessageBox();
  CQuorMessageBox(const CQuorMessageBox&) = delete;
  CQuorMessageBox& operator=(const CQuorMessageBox&) = delete;

  static void SetButtonSkin(CQuorButtonSkin* skin);
  static void SetBackgroundSkin(CQuorStaticBitmapSkin* skin);
  static void SetTextColor(COLORREF color);
  static void SetButtonCaptions(HINSTANCE languageModule, UINT ok, UINT cancel, UINT yes,
                                UINT no);
  // Runs the box; its answer, -1 when the template memory or the dialog cannot be had.
  static int Show(HWND parent, LPCWSTR text, LPCWSTR caption, UINT type);
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

  // Fills `memory` (kTemplateBytes, zeroed) with the box's dialog template.
  static void CreateDialogTemplate(BYTE* memory);
  // Writes one "Button" item at `where` (DWORD aligned); its length in WORDs.
  static int PutItemToTemplate(WORD* where, short x, short y, short cx, short cy, WORD id);

  // The box on `dialog`, or null.
  static CQuorMessageBox* FromDialog(HWND dialog);

  // Forgets the class-wide settings (skins, colour, captions); for tests and shutdown.
  static void ResetConfiguration();

  static CQuorButtonSkin* m_pButtonSkin;
  static CQuorStaticBitmapSkin* m_pBackgroundSkin;
  static COLORREF m_clrText;
  static HINSTANCE m_hLanguageModule;
  static UINT m_uOk, m_uCancel, m_uYes, m_uNo;

  HFONT m_hMessageFont;
  HICON m_hIcon;
  CMessageBoxBackground m_Background;
  CQuorStaticCtrl m_Text;
  CQuorButtonCtrl m_btnOk, m_btnCancel, m_btnYes, m_btnNo;
  WCHAR m_szOk[kCaptionChars], m_szCancel[kCaptionChars], m_szYes[kCaptionChars],
      m_szNo[kCaptionChars];
  WCHAR* m_pszText;
  WCHAR* m_pszCaption;
  RECT m_rcText;
  UINT m_uType;
  HBRUSH m_hBrush;

 protected:
  BOOL OnInitDialog();
  void OnCommand(WPARAM wParam);
  void OnDrawItem(WPARAM wParam, LPARAM lParam);
  HBRUSH OnCtlColorStatic(WPARAM wParam);
  void FreeResources();
  void LoadStrings();
  void CreateButtons();
  void SetDialogIcon();

 private:
  // Layout steps of OnInitDialog (QuorMessageBoxLayout.cpp).
  int MinimumWidthForCaption(const NONCLIENTMETRICSW& metrics);
  SIZE MeasureText(int halfScreen);
  void PlaceButtons(int bw, int bh);
  void CentreOverOwner();
  void CreateTextControl();
  CQuorButtonCtrl* ButtonById(int id);
};
