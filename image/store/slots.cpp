// The store's slots: records, frame installation and deletion, header rules, settings.
#include "draw/gdi_scope.h"
#include "image/NBitmapUtil.h"

#include <algorithm>
#include <new>
#include <utility>

using talix::draw::QueryBitmapSize;

CNBitmapUtil::CNBitmap::CNBitmap() : m_pBitmapInfo(nullptr), m_nRowSize(0), m_nImageSize(0) {
  std::fill(std::begin(m_hBitmap), std::end(m_hBitmap), nullptr);
  std::fill(std::begin(m_nDelay), std::end(m_nDelay), 0);
}

CNBitmapUtil::CNBitmap::~CNBitmap() {
  for (HBITMAP& frame : m_hBitmap) {
    if (frame) DeleteObject(frame);
    frame = nullptr;
  }
  delete m_pBitmapInfo;
}

CNBitmapUtil::CGIFFileStruct::CGIFFileStruct()
    : m_nControlOffset(-1), m_nBackground(0xFFFFFFFF), m_nScreenWidth(0), m_nScreenHeight(0) {
  std::fill(std::begin(m_nFrameStart), std::end(m_nFrameStart), 0);
  std::fill(std::begin(m_nFrameLength), std::end(m_nFrameLength), 0);
  std::fill(std::begin(m_nTransparentColor), std::end(m_nTransparentColor), -1);
  std::fill(std::begin(m_nDisposal), std::end(m_nDisposal), 0);
  std::fill(std::begin(m_nDelay), std::end(m_nDelay), 0);
  std::fill(std::begin(m_nControlData), std::end(m_nControlData), 0u);
  std::fill(std::begin(m_nFrameLeft), std::end(m_nFrameLeft), 0);
  std::fill(std::begin(m_nFrameTop), std::end(m_nFrameTop), 0);
  std::fill(std::begin(m_nFrameWidth), std::end(m_nFrameWidth), 0);
  std::fill(std::begin(m_nFrameHeight), std::end(m_nFrameHeight), 0);
  std::fill(std::begin(m_bHasControl), std::end(m_bHasControl), false);
}

CNBitmapUtil::CNBitmapUtil()
    : m_nLoopCount(0),
      m_nJPEGCompressionFactor(50),
      m_bGIFErrorDiffusion(true),
      m_nLastError(QUO_OK),
      m_nGIFBkColor(0xFFFFFFFF),
      m_nLastBlendIndex(-1),
      m_pBlendImage(nullptr),
      m_pBlendMask(nullptr),
      m_pBlendBackground(nullptr),
      m_pBlendOutput(nullptr),
      m_nBlendCapacity(0),
      m_nBlendRows(0),
      m_nBlendResized(0) {
  for (CNBitmap*& slot : m_pBitmaps) slot = new CNBitmap;
}

CNBitmapUtil::~CNBitmapUtil() { Clear(); }

void CNBitmapUtil::Clear() {
  for (CNBitmap*& slot : m_pBitmaps) {
    delete slot;
    slot = nullptr;
  }
  // The blend buffers belong to the store as much as the slots do.
  for (unsigned char** buffer : {&m_pBlendImage, &m_pBlendMask, &m_pBlendBackground, &m_pBlendOutput}) {
    delete[] *buffer;
    *buffer = nullptr;
  }
  m_nBlendCapacity = 0;
  m_nBlendRows = 0;
  m_nLastBlendIndex = -1;
}

// ---- Records ----

CNBitmapUtil::CNBitmap* CNBitmapUtil::GetBitmapObject(BitmapType type) {
  return IsSlot(type) ? m_pBitmaps[type] : nullptr;
}

void CNBitmapUtil::SetBitmapObject(BitmapType type, CNBitmap* record) {
  if (!IsSlot(type) || m_pBitmaps[type] == record) return;
  delete m_pBitmaps[type];
  m_pBitmaps[type] = record;
}

void CNBitmapUtil::ResetSlot(BitmapType type) {
  if (!IsSlot(type)) return;
  CNBitmap* fresh = new (std::nothrow) CNBitmap;
  if (!fresh) return;  // keep the old record rather than leave the slot empty
  SetBitmapObject(type, fresh);
}

void CNBitmapUtil::PrepareSlot(BitmapType type, int width, int height) {
  CNBitmap* slot = GetBitmapObject(type);
  if (!slot) {
    if (IsSlot(type)) m_pBitmaps[type] = new (std::nothrow) CNBitmap;
    return;
  }
  const BITMAPINFO* header = slot->m_pBitmapInfo;
  if (header && (header->bmiHeader.biWidth != width || header->bmiHeader.biHeight != height))
    ResetSlot(type);
}

// ---- Sizes and headers ----

int CNBitmapUtil::RowSizeFor(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  if (int64_t(width) * height > kMaxFramePixels) return 0;
  return (3 * width + 3) & ~3;
}

BITMAPINFO* CNBitmapUtil::MakeHeader(int width, int height) {
  if (!RowSizeFor(width, height)) return nullptr;
  auto* header = new (std::nothrow) BITMAPINFO{};
  if (!header) return nullptr;
  BITMAPINFOHEADER& h = header->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  return header;
}

HBITMAP CNBitmapUtil::CreateFrameSection(int width, int height, void** bits) {
  BITMAPINFO* header = MakeHeader(width, height);
  if (!header) return nullptr;
  void* pixels = nullptr;
  HBITMAP frame = CreateDIBSection(nullptr, header, DIB_RGB_COLORS, &pixels, nullptr, 0);
  delete header;
  if (frame && bits) *bits = pixels;
  return frame;
}

BITMAPINFO* CNBitmapUtil::CreateBitmapInfoStruct(HBITMAP bitmap) {
  SIZE size{};
  if (!QueryBitmapSize(bitmap, &size)) return nullptr;
  return MakeHeader(size.cx, size.cy);
}

// ---- Frames ----

bool CNBitmapUtil::InstallFrame(BitmapType type, int index, HBITMAP frame, int width, int height,
                                int delay) {
  if (!IsFrameIndex(index) || !IsSlot(type)) {
    if (frame) DeleteObject(frame);
    return false;
  }
  PrepareSlot(type, width, height);
  CNBitmap* slot = m_pBitmaps[type];
  BITMAPINFO* header = slot && !slot->m_pBitmapInfo ? MakeHeader(width, height) : nullptr;
  if (!slot || (!slot->m_pBitmapInfo && !header)) {
    if (frame) DeleteObject(frame);
    return false;
  }
  if (slot->m_hBitmap[index] && slot->m_hBitmap[index] != frame) DeleteObject(slot->m_hBitmap[index]);
  slot->m_hBitmap[index] = frame;
  slot->m_nDelay[index] = delay;
  if (header) {
    slot->m_pBitmapInfo = header;
    slot->m_nRowSize = RowSizeFor(width, height);
    slot->m_nImageSize = slot->m_nRowSize * height;
  }
  return true;
}

HBITMAP CNBitmapUtil::DeleteBitmap(BitmapType type, int index) {
  CNBitmap* slot = GetBitmapObject(type);
  if (!slot || !IsFrameIndex(index) || !slot->m_hBitmap[index]) return nullptr;
  HBITMAP frame = slot->m_hBitmap[index];
  DeleteObject(frame);
  slot->m_hBitmap[index] = nullptr;
  slot->m_nDelay[index] = 0;
  if (std::none_of(std::begin(slot->m_hBitmap), std::end(slot->m_hBitmap),
                   [](HBITMAP h) { return h != nullptr; })) {
    delete slot->m_pBitmapInfo;
    slot->m_pBitmapInfo = nullptr;
    slot->m_nRowSize = 0;
    slot->m_nImageSize = 0;
  }
  return frame;
}

HBITMAP CNBitmapUtil::GetBitmapHandle(BitmapType type, int index) {
  CNBitmap* slot = GetBitmapObject(type);
  return slot && IsFrameIndex(index) ? slot->m_hBitmap[index] : nullptr;
}

BITMAPINFO* CNBitmapUtil::GetBitmapInfo(BitmapType type) {
  CNBitmap* slot = GetBitmapObject(type);
  return slot ? slot->m_pBitmapInfo : nullptr;
}

int CNBitmapUtil::GetBitmapWidth(BitmapType type) {
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  BITMAPINFO* header = GetBitmapInfo(type);
  return header ? header->bmiHeader.biWidth : Fail(QUO_ERR_NO_IMAGE, 0);
}

int CNBitmapUtil::GetBitmapHeight(BitmapType type) {
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  BITMAPINFO* header = GetBitmapInfo(type);
  return header ? header->bmiHeader.biHeight : Fail(QUO_ERR_NO_IMAGE, 0);
}

int CNBitmapUtil::GetBitmapSize(BitmapType type) {
  if (!IsSlot(type)) return Fail(QUO_ERR_NO_SLOT, 0);
  CNBitmap* slot = GetBitmapObject(type);
  return slot && slot->m_pBitmapInfo ? slot->m_nImageSize : Fail(QUO_ERR_NO_IMAGE, 0);
}

int CNBitmapUtil::GetNumberOfBitmaps(BitmapType type) {
  CNBitmap* slot = GetBitmapObject(type);
  if (!slot) return 0;
  return int(std::count_if(std::begin(slot->m_hBitmap), std::end(slot->m_hBitmap),
                           [](HBITMAP h) { return h != nullptr; }));
}

int CNBitmapUtil::GetFirstBitmapIndex(BitmapType type) {
  CNBitmap* slot = GetBitmapObject(type);
  if (!slot) return 0;
  for (int i = 0; i < kMaxFrames; ++i)
    if (slot->m_hBitmap[i]) return i;
  return 0;
}

int CNBitmapUtil::GetFrameDelay(BitmapType type, int index) {
  CNBitmap* slot = GetBitmapObject(type);
  return slot && IsFrameIndex(index) ? slot->m_nDelay[index] : 0;
}

int CNBitmapUtil::SetFrameDelay(BitmapType type, int index, int delay) {
  CNBitmap* slot = GetBitmapObject(type);
  if (!slot || !IsFrameIndex(index)) return 0;
  int old = slot->m_nDelay[index];
  slot->m_nDelay[index] = delay;
  return old;
}

HBITMAP CNBitmapUtil::SetBitmap(HWND window, BitmapType type, int index) {
  if (!window) return Fail<HBITMAP>(QUO_ERR_PARAM1, nullptr);
  HBITMAP frame = GetBitmapHandle(type, index);
  if (frame) SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(frame));
  return frame;
}

// ---- Settings ----

CNBitmapUtil::QUOError CNBitmapUtil::GetLastError() { return m_nLastError; }

int CNBitmapUtil::SetLoopCount(int loopCount) { return std::exchange(m_nLoopCount, loopCount); }

unsigned long CNBitmapUtil::SetGIFBkColor(unsigned long color) {
  return std::exchange(m_nGIFBkColor, color);
}

bool CNBitmapUtil::SetGIFErrorDiffusion(bool diffusion) {
  return std::exchange(m_bGIFErrorDiffusion, diffusion);
}

int CNBitmapUtil::SetJPEGCompressionFactor(int factor) {
  if (factor < 0 || factor > 100) return Fail(QUO_ERR_PARAM1, -1);
  return std::exchange(m_nJPEGCompressionFactor, factor);
}
