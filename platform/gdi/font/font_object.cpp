#include "platform/gdi/font/font_object.h"

#include "platform/gdi/dc/dc_object.h"

#include <win/base.h>
#include <win/wstr.h>

#include <algorithm>
#include <cstring>

namespace talix::gdi {

LOGFONTW FontObject::LogFont() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return source_ ? source_() : logfont_;
}

void FontObject::SetLogFont(const LOGFONTW& logfont) {
  std::lock_guard<std::mutex> lock(mutex_);
  logfont_ = logfont;
  source_ = nullptr;
}

void FontObject::SetLogFontSource(LogFontSource source) {
  std::lock_guard<std::mutex> lock(mutex_);
  source_ = source;
}

int FontObject::GetObjectInfo(int cb, void* out) const {
  if (!out) return int(sizeof(LOGFONTW));
  LOGFONTW logfont = LogFont();
  int n = std::min<int>(cb, int(sizeof logfont));
  std::memcpy(out, &logfont, size_t(n));
  return n;
}

std::shared_ptr<RealizedFont> FontObject::Realized() const { return RealizeFont(LogFont()); }

std::shared_ptr<RealizedFont> RealizedFontOf(HFONT font) {
  auto* object = PeekGdiObject<FontObject>(font, OBJ_FONT);
  return object ? object->Realized() : nullptr;
}

std::shared_ptr<RealizedFont> RealizedFontOfDc(HDC hdc) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return nullptr;
  HFONT font = dc->State().font;
  if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  return RealizedFontOf(font);
}

}  // namespace talix::gdi

using talix::gdi::FontObject;

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
  if (!lplf) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  LOGFONTW logfont = *lplf;
  logfont.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(talix::gdi::AddGdiObject(std::make_shared<FontObject>(logfont)));
}

HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
                  DWORD iPitchAndFamily, LPCWSTR pszFaceName) {
  LOGFONTW lf{};
  lf.lfHeight = cHeight;
  lf.lfWidth = cWidth;
  lf.lfEscapement = cEscapement;
  lf.lfOrientation = cOrientation;
  lf.lfWeight = cWeight;
  lf.lfItalic = BYTE(bItalic);
  lf.lfUnderline = BYTE(bUnderline);
  lf.lfStrikeOut = BYTE(bStrikeOut);
  lf.lfCharSet = BYTE(iCharSet);
  lf.lfOutPrecision = BYTE(iOutPrecision);
  lf.lfClipPrecision = BYTE(iClipPrecision);
  lf.lfQuality = BYTE(iQuality);
  lf.lfPitchAndFamily = BYTE(iPitchAndFamily);
  if (pszFaceName) lstrcpynW(lf.lfFaceName, pszFaceName, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}
