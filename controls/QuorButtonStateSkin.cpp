// Drawing of one push-button state: background pieces, image, caption, window region.
#include "controls/QuorButtonStateSkin.h"

#include "controls/QuorButtonCtrlBase.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "skin/messages.h"

#include <algorithm>
#include <vector>

namespace {

// Frame runs past this are not integer resource ids (and a run ending at 0xFFFFFFFF
// would never end with a 32-bit counter); runs longer than kMaxFrames are cut, so a
// mistyped last id does not probe tens of thousands of missing resources.
constexpr UINT kLastResourceId = 0xFFFF;
constexpr UINT kMaxFrames = 512;

bool LoadPicture(CQuorBitmap** out, UINT id) {
  return id && CQuorResourceManager::LoadBitmapW(out, CQuorLib::m_hInstRes, id, u"PNG");
}

void ReleasePicture(CQuorBitmap** picture) {
  if (*picture) CQuorResourceManager::UnloadBitmap(picture);
  *picture = nullptr;
}

bool Missing(UINT id, const CQuorBitmap* picture) { return id != 0 && picture == nullptr; }

int WidthOf(const CQuorBitmap* picture) { return picture ? picture->GetWidth() : 0; }

void Shift(RECT* r, int dx, int dy) {
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
}

}  // namespace

CQuorButtonStateSkin::CQuorButtonStateSkin()
    : m_pLeft(nullptr),
      m_pMiddle(nullptr),
      m_pRight(nullptr),
      m_pImage(nullptr),
      m_dwReserved(0),
      m_hRgn(nullptr),
      m_rcCaption{},
      m_rcImage{} {}

CQuorButtonStateSkin::~CQuorButtonStateSkin() { Unload(); }

void CQuorButtonStateSkin::Load() {
  Unload();
  LoadPicture(&m_pLeft, m_SkinDef.m_nLeftID);
  LoadPicture(&m_pMiddle, m_SkinDef.m_nMiddleID);
  LoadPicture(&m_pRight, m_SkinDef.m_nRightID);
  LoadPicture(&m_pImage, m_SkinDef.m_nImageID);
  const UINT first = m_SkinDef.m_nFirstFrameID;
  const UINT last = std::min({m_SkinDef.m_nLastFrameID, kLastResourceId, first + kMaxFrames - 1});
  if (first && m_SkinDef.m_nLastFrameID && last >= first) {
    for (UINT id = first; id <= last; ++id) {
      CQuorBitmap* frame = nullptr;
      if (LoadPicture(&frame, id)) m_Frames.push_back(frame);
    }
  }
  Validate();
}

void CQuorButtonStateSkin::Unload() {
  ReleasePicture(&m_pLeft);
  ReleasePicture(&m_pMiddle);
  ReleasePicture(&m_pRight);
  ReleasePicture(&m_pImage);
  while (!m_Frames.empty()) {
    CQuorBitmap* frame = m_Frames.front();
    m_Frames.pop_front();
    ReleasePicture(&frame);
  }
}

void CQuorButtonStateSkin::Validate() {
  const CQuorButtonStateSkinDef& d = m_SkinDef;
  m_nState = QUOR_SKIN_VALID;
  if (Missing(d.m_nLeftID, m_pLeft) || Missing(d.m_nMiddleID, m_pMiddle) ||
      Missing(d.m_nRightID, m_pRight) || Missing(d.m_nImageID, m_pImage))
    m_nState = QUOR_SKIN_INVALID;
  if (d.m_nFirstFrameID && d.m_nLastFrameID && (m_Frames.empty() || d.m_nFrameInterval <= 0))
    m_nState = QUOR_SKIN_INVALID;
}

HFONT CQuorButtonStateSkin::GetFont() const {
  return m_SkinDef.m_hFont ? m_SkinDef.m_hFont
                           : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void CQuorButtonStateSkin::Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) {
  if (!window || !graphics) return;
  m_rcCaption = RECT{WidthOf(m_pLeft), 0, cx - WidthOf(m_pRight), cy};
  m_rcImage = m_rcCaption;
  const RECT focus{m_rcCaption.left, 2, m_rcCaption.right, cy - 2};

  SetupRegion(window->m_hWnd, RECT{0, 0, cx, cy}, graphics);
  DrawBackground(window, graphics, cx, cy);
  if (m_SkinDef.m_nImagePos != IMAGEPOS_NONE && m_pImage) DrawImage(window, graphics, cx, cy);
  if (m_SkinDef.m_nImagePos != IMAGEPOS_CENTER) DrawCaption(window, graphics, cx, cy);

  auto* button = dynamic_cast<CQuorButtonCtrlBase*>(window);
  if (button && button->DrawsFocusRect() && window->m_hWnd && GetFocus() == window->m_hWnd)
    DrawFocusRect(*graphics, &focus);
}

void CQuorButtonStateSkin::DrawBackground(CQuorWindow* window, CQuorGraphics* graphics, int cx,
                                          int cy) {
  if (!m_pLeft && !m_pMiddle && !m_pRight) {
    // Nothing of our own behind the caption: the parent paints there.
    PAINTSTRUCT ps{};
    ps.hdc = *graphics;
    ps.rcPaint = RECT{0, 0, cx, cy};
    SendMessageW(GetParent(window->m_hWnd), UWM_REPAINT,
                 reinterpret_cast<WPARAM>(window->m_hWnd), reinterpret_cast<LPARAM>(&ps));
    return;
  }
  if (m_pLeft) graphics->DrawImage(m_pLeft, 0, 0);
  if (m_pRight) graphics->DrawImage(m_pRight, cx - m_pRight->GetWidth(), 0);
  if (!m_pMiddle || m_pMiddle->GetWidth() <= 0) return;
  const int tile = m_pMiddle->GetWidth(), height = m_pMiddle->GetHeight();
  const int end = m_pRight ? cx - m_pRight->GetWidth() : cx;
  for (int x = WidthOf(m_pLeft); x < end; x += tile) {
    const int w = std::min(tile, end - x);  // the last tile is cut, never stretched
    graphics->DrawImage(m_pMiddle, RECT{x, 0, x + w, height}, RECT{0, 0, w, height});
  }
}

void CQuorButtonStateSkin::DrawImage(CQuorWindow*, CQuorGraphics* graphics, int cx, int cy) {
  const int w = m_pImage->GetWidth(), h = m_pImage->GetHeight();
  RECT& r = m_rcImage;
  switch (m_SkinDef.m_nImagePos) {
    case IMAGEPOS_CENTER:
      r = RECT{cx / 2 - w / 2, cy / 2 - h / 2, 0, 0};
      break;
    case IMAGEPOS_LEFT:
      r.top = cy / 2 - h / 2;
      break;
    case IMAGEPOS_TOP:
      r.left = cx / 2 - w / 2;
      break;
    case IMAGEPOS_RIGHT:
      r.left = r.right - w;
      r.top = cy / 2 - h / 2;
      break;
    case IMAGEPOS_BOTTOM:
      r.left = cx / 2 - w / 2;
      r.top = cy - h;
      break;
    default:
      break;
  }
  if (m_SkinDef.m_nImagePos != IMAGEPOS_RIGHT) r.right = r.left + w;
  r.bottom = r.top + h;
  Shift(&r, m_SkinDef.m_nOffsetX, m_SkinDef.m_nOffsetY);
  r.left = std::max<LONG>(r.left, WidthOf(m_pLeft));
  r.right = std::min<LONG>(r.right, cx - WidthOf(m_pRight));
  // With frames the timer draws into the rectangle.
  if (m_Frames.empty() && r.right > r.left) graphics->DrawImage(m_pImage, r);
}

void CQuorButtonStateSkin::DrawCaption(CQuorWindow* window, CQuorGraphics* graphics, int, int) {
  if (m_pImage || !m_Frames.empty()) {
    switch (m_SkinDef.m_nImagePos) {
      case IMAGEPOS_LEFT: m_rcCaption.left = m_rcImage.right; break;
      case IMAGEPOS_TOP: m_rcCaption.top = m_rcImage.bottom; break;
      case IMAGEPOS_RIGHT: m_rcCaption.right = m_rcImage.left; break;
      case IMAGEPOS_BOTTOM: m_rcCaption.bottom = m_rcImage.top; break;
      default: break;
    }
  }
  Shift(&m_rcCaption, m_SkinDef.m_nOffsetX, m_SkinDef.m_nOffsetY);
  const HWND hwnd = window->m_hWnd;
  const int length = std::max(GetWindowTextLengthW(hwnd), 0);
  std::vector<WCHAR> text(static_cast<size_t>(length) + 1, 0);
  GetWindowTextW(hwnd, text.data(), length + 1);
  if (!m_SkinDef.m_hFont) m_SkinDef.m_hFont = GetFont();

  const HDC dc = *graphics;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, m_SkinDef.m_crText);
  const HGDIOBJ oldFont = SelectObject(dc, m_SkinDef.m_hFont);
  RECT r = m_rcCaption;
  DrawTextW(dc, text.data(), -1, &r, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  SelectObject(dc, oldFont);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void CQuorButtonStateSkin::DrawFrame(CQuorWindow*, CQuorGraphics* graphics, DWORD index) {
  if (!graphics || index >= m_Frames.size()) return;
  auto it = m_Frames.begin();
  std::advance(it, index);
  graphics->DrawImage(*it, m_rcImage.left, m_rcImage.top);
}

// The window shows the back buffer mirrored in right-to-left layout (the buffer is flipped,
// or a mirrored window flips it as it paints and maps its region the same way): the
// outline drawn at the left then lies at the right, so the region is flipped as a whole -
// pieces, their shapes and the band between them.
static HRGN MirroredRegion(HRGN region, int cx) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (!size) return nullptr;
  std::vector<char> data(size);
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(region, size, rgn) != size) return nullptr;
  const XFORM flip{-1.0f, 0.0f, 0.0f, 1.0f, static_cast<float>(cx), 0.0f};
  return ExtCreateRegion(&flip, size, rgn);
}

void CQuorButtonStateSkin::SetupRegion(HWND hwnd, RECT rect, CQuorGraphics*) {
  if (!hwnd || !m_pLeft || !m_pRight || !m_pLeft->GetMask() || !m_pRight->GetMask()) return;
  const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
  HRGN left = m_pLeft->MaskToRegion(0xFFFFFF, 0);
  HRGN right = m_pRight->MaskToRegion(0xFFFFFF, 0);
  HRGN middle = CreateRectRgn(m_pLeft->GetWidth(), 0, cx - m_pRight->GetWidth(), cy);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (!left || !right || !middle || !region) {
    for (HRGN part : {left, right, middle, region})
      if (part) DeleteObject(part);
    return;
  }
  OffsetRgn(right, cx - m_pRight->GetWidth(), 0);
  for (HRGN part : {left, middle, right}) {
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  if (CQuorLib::GetLayout() == 1) {
    HRGN mirrored = MirroredRegion(region, cx);
    DeleteObject(region);
    if (!mirrored) return;
    region = mirrored;
  }
  m_hRgn = region;
  if (HDC dc = GetDC(hwnd)) {
    SelectClipRgn(dc, region);
    ReleaseDC(hwnd, dc);
  }
  if (!SetWindowRgn(hwnd, region, TRUE)) DeleteObject(region), m_hRgn = nullptr;
}
