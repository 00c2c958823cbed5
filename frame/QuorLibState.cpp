// CQuorLib's state operations: instances, OS flags, scale factors and layout.
//
// Scale factors come from the screen's logical DPI and, away from 96 DPI, from the cell
// of the system font (7x16 at 96 DPI). A query that fails, or a value that is not
// positive, keeps 1.0 for the factor it would set: a zero factor would shrink every
// auto-scaled bitmap to nothing.
#include "frame/QuorLib.h"

namespace {

// The leading fields of LOGFONTW: the cell size is all that is read here.
struct SystemFontRecord {
  LONG height;
  LONG width;
  LONG escapement;
  LONG orientation;
  LONG weight;
  BYTE flags[8];
  WCHAR faceName[32];
};
static_assert(sizeof(SystemFontRecord) == 92, "LOGFONTW layout");

void ScaleFromSystemFont() {
  SystemFontRecord font{};
  HGDIOBJ stock = GetStockObject(SYSTEM_FONT);
  if (!stock || GetObjectW(stock, sizeof(font), &font) != static_cast<int>(sizeof(font))) return;
  if (font.width > 0) CQuorLib::m_ScaleX = font.width / 7.0;
  if (font.height > 0) CQuorLib::m_ScaleY = font.height * 0.0625;
}

void ComputeScaleFactors() {
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  if (dpiX > 0) CQuorLib::m_ScaleX = dpiX / 96.0;
  if (dpiY > 0) CQuorLib::m_ScaleY = dpiY / 96.0;
  if (dpiX > 0 && dpiX != 96) ScaleFromSystemFont();
  ReleaseDC(nullptr, screen);
}

}  // namespace

void CQuorLib::Init(HINSTANCE hInst, HINSTANCE hInstRes) {
  m_hInst = hInst;
  m_hInstRes = hInstRes;
  CheckOS();
  ComputeScaleFactors();
}

void CQuorLib::CheckOS() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return;
  m_IsWindows9x = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  m_IsWindowsXP = info.dwMajorVersion >= 5 && info.dwMinorVersion >= 1;
}

HINSTANCE CQuorLib::GetInstance() { return m_hInst; }
void CQuorLib::SetInstance(HINSTANCE hInst) { m_hInst = hInst; }
HINSTANCE CQuorLib::GetResourceInstance() { return m_hInstRes; }
void CQuorLib::SetResourceInstance(HINSTANCE hInstRes) { m_hInstRes = hInstRes; }
bool CQuorLib::IsWindows9x() { return m_IsWindows9x; }
bool CQuorLib::IsWindowsXP() { return m_IsWindowsXP; }
void CQuorLib::SetAutoScale(bool autoScale) { m_IsAutoScale = autoScale; }
bool CQuorLib::GetAutoScale() { return m_IsAutoScale; }
double CQuorLib::GetScaleX() { return m_ScaleX; }
double CQuorLib::GetScaleY() { return m_ScaleY; }

DWORD CQuorLib::SetLayout(DWORD layout) {
  DWORD previous = m_dwLayout;
  m_dwLayout = layout;
  return previous;
}

DWORD CQuorLib::GetLayout() { return m_dwLayout; }
