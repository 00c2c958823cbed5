// CQuorBackBuffer: building, publishing, painting from and dropping a window's back buffer.
#include "draw/QuorBackBuffer.h"

#include "draw/QuorGraphics.h"
#include "draw/gdi_scope.h"
#include "draw/stretch_copy.h"
#include "frame/QuorLib.h"

#include <algorithm>
#include <optional>
#include <vector>

using talix::draw::OwnedObject;
using talix::draw::RectHeight;
using talix::draw::RectWidth;
using talix::draw::ScreenDc;
using talix::draw::SelectedDc;

namespace {

const WCHAR kBackBufferProp[] = u"PROP_BACKBUFFER";

// Objects of this thread inside CreateBackBuffer / DrawParentBackBuffer. Background windows
// are made to paint synchronously, so two windows naming each other would otherwise
// rebuild each other without end; a nested request for an object already busy returns.
thread_local std::vector<const void*> t_building;
thread_local std::vector<const void*> t_fetching;

class Reentry {
 public:
  Reentry(std::vector<const void*>& busy, const void* object) : busy_(busy), object_(object) {
    nested_ = std::find(busy_.begin(), busy_.end(), object_) != busy_.end();
    if (!nested_) busy_.push_back(object_);
  }
  ~Reentry() {
    if (!nested_) busy_.erase(std::find(busy_.begin(), busy_.end(), object_));
  }
  Reentry(const Reentry&) = delete;
  Reentry& operator=(const Reentry&) = delete;
  bool nested() const { return nested_; }

 private:
  std::vector<const void*>& busy_;
  const void* object_;
  bool nested_;
};

HBITMAP BufferOf(HWND window) {
  return window ? static_cast<HBITMAP>(GetPropW(window, kBackBufferProp)) : nullptr;
}

bool IsChildWindow(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
}

}  // namespace

CQuorBackBuffer::CQuorBackBuffer(CQuorBackBufferClient* client)
    : m_pClient(client), m_hBackBuffer(nullptr), m_hWndBackground(nullptr) {}

CQuorBackBuffer::~CQuorBackBuffer() {
  // The client may already be destroyed (it is usually a later base of the same object),
  // so only what this object recorded itself is used here.
  Unpublish();
  if (m_hBackBuffer) DeleteObject(m_hBackBuffer);
  m_hBackBuffer = nullptr;
}

HWND CQuorBackBuffer::ClientWindow() const { return m_pClient ? m_pClient->GetHWND() : nullptr; }

void CQuorBackBuffer::Unpublish() {
  if (m_hWndPublished && m_hBackBuffer && IsWindow(m_hWndPublished) &&
      BufferOf(m_hWndPublished) == m_hBackBuffer)
    RemovePropW(m_hWndPublished, kBackBufferProp);
  m_hWndPublished = nullptr;
}

void CQuorBackBuffer::DeleteBackBuffer() {
  Unpublish();
  // A property left on the client's window (by an earlier object on it) is stale too.
  if (HWND window = ClientWindow(); window && BufferOf(window))
    RemovePropW(window, kBackBufferProp);
  if (m_hBackBuffer) DeleteObject(m_hBackBuffer);
  m_hBackBuffer = nullptr;
}

void CQuorBackBuffer::CreateBackBuffer(int cx, int cy, CQuorGraphics* graphics) {
  if (cx <= 0 || cy <= 0) return;
  Reentry guard(t_building, this);
  if (guard.nested()) return;
  std::optional<ScreenDc> screen;
  HDC reference = graphics ? static_cast<HDC>(*graphics) : nullptr;
  if (!reference) reference = screen.emplace().get();

  OwnedObject<HBITMAP> buffer(CreateCompatibleBitmap(reference, cx, cy));
  if (!buffer.get()) return;
  const bool rightToLeft = CQuorLib::GetLayout() == 1;
  {
    SelectedDc memory(reference, buffer.get());
    if (!memory.ok()) return;
    DrawParentBackBuffer(memory.get(), RECT{0, 0, cx, cy});
  }  // each step deselects before the next selects the buffer again
  // The ancestor's part arrives as its buffer stores it, mirrored: flip it here so that the
  // final flip leaves it lined up with the ancestor while the client's drawing flips once.
  if (rightToLeft) CQuorLib::MirrorBitmap(buffer.get());
  {
    SelectedDc memory(reference, buffer.get());
    if (!memory.ok()) return;
    CQuorGraphics drawing(memory.get());
    if (m_pClient) m_pClient->Draw(&drawing, cx, cy);
  }
  if (rightToLeft) CQuorLib::MirrorBitmap(buffer.get());

  DeleteBackBuffer();  // a buffer built over an older one replaces it
  m_hBackBuffer = buffer.release();
  if (HWND window = ClientWindow(); window && SetPropW(window, kBackBufferProp, m_hBackBuffer))
    m_hWndPublished = window;
}

bool CQuorBackBuffer::EnsureBackBuffer(HDC dc, const RECT& client) {
  if (!m_hBackBuffer) {
    DeleteBackBuffer();  // clears a stale property
    CQuorGraphics graphics(dc);
    CreateBackBuffer(RectWidth(client), RectHeight(client), &graphics);
  }
  return m_hBackBuffer != nullptr;
}

void CQuorBackBuffer::DrawBackBuffer(HDC dc, RECT client, RECT update) {
  if (!EnsureBackBuffer(dc, client)) return;
  SelectedDc memory(dc, m_hBackBuffer);
  if (!memory.ok()) return;
  BitBlt(dc, update.left, update.top, RectWidth(update), RectHeight(update), memory.get(),
         update.left, update.top, SRCCOPY);
}

void CQuorBackBuffer::DrawBackBufferPart(HDC dc, RECT client, RECT src, RECT dst) {
  if (RectWidth(src) <= 0 || RectHeight(src) <= 0 || RectWidth(dst) <= 0 || RectHeight(dst) <= 0)
    return;
  if (!EnsureBackBuffer(dc, client)) return;
  SelectedDc memory(dc, m_hBackBuffer);
  if (!memory.ok()) return;
  talix::draw::CopyOrStretch(dc, dst.left, dst.top, RectWidth(dst), RectHeight(dst),
                             memory.get(), src.left, src.top, RectWidth(src), RectHeight(src));
}

HBITMAP CQuorBackBuffer::FindParentBuffer(HWND* source) {
  if (m_hWndBackground) {
    *source = m_hWndBackground;
    if (HBITMAP picture = BufferOf(m_hWndBackground)) return picture;
    InvalidateRect(m_hWndBackground, nullptr, TRUE);
    UpdateWindow(m_hWndBackground);
    return BufferOf(m_hWndBackground);
  }
  // Up through the parents of child windows only: past a top-level window GetParent names
  // its owner, whose picture does not lie behind this window.
  for (HWND window = ClientWindow(); window && IsChildWindow(window);) {
    window = GetParent(window);
    if (HBITMAP picture = BufferOf(window)) {
      *source = window;
      return picture;
    }
  }
  return nullptr;
}

void CQuorBackBuffer::DrawParentBackBuffer(HDC dc, RECT rect) {
  Reentry guard(t_fetching, this);
  if (guard.nested()) return;
  HWND source = nullptr;
  HBITMAP picture = FindParentBuffer(&source);
  if (!picture) return;
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  MapWindowPoints(ClientWindow(), source, corners, 2);
  SelectedDc memory(dc, picture);
  if (!memory.ok()) return;
  BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), memory.get(),
         std::min(corners[0].x, corners[1].x), std::min(corners[0].y, corners[1].y), SRCCOPY);
}
