// CGifLibrary: the frame sequence and its settings.
#include "image/GifLibrary.h"

#include "image/gif/gif_save.h"
#include "image/gif/nearest_colour.h"

#include <memory>
#include <new>

CGifLibrary::CGifLibrary() : m_images{}, m_count(0), m_delays{}, m_loopCount(0),
                             m_reserved(false), m_errorDiffusion(true) {}

CGifLibrary::~CGifLibrary() { Clear(); }

void CGifLibrary::Clear() {
  for (int i = 0; i < m_count; ++i) {
    delete m_images[i];
    m_images[i] = nullptr;
  }
  m_count = 0;
  for (int& delay : m_delays) delay = 0;
  m_loopCount = 0;
  m_errorDiffusion = true;
}

bool CGifLibrary::AddFrame(HBITMAP bitmap, bool first) {
  if (first) Clear();
  if (m_count >= kMaxFrames) return false;
  std::unique_ptr<CNImage> image(new (std::nothrow) CNImage);
  if (!image || !image->CreateFromBitmap(bitmap)) return false;
  if (m_count > 0) {
    const CNImage& last = *m_images[m_count - 1];
    if (image->Width() != last.Width() || image->Height() != last.Height()) return false;
  }
  m_images[m_count++] = image.release();
  return true;
}

bool CGifLibrary::Save(const WCHAR* path) {
  return talix::gif::SaveFrames(*this, path, talix::gif::NearestIndex);
}
