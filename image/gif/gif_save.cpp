// Saving: frames deeper than 8 bits are reduced to the fixed palette first. One frame
// gives a still picture (only when it is 8 bits deep); two or more an animation with
// a loop block (unless it plays once) and each frame's delay.
#include "image/gif/gif_save.h"

#include "image/gif/colour_reduction.h"

#include <win/file.h>

namespace talix::gif {
namespace {

bool ReduceDeepFrames(CGifLibrary& gif, NearestIndexFn nearest) {
  for (int i = 0; i < gif.m_count; ++i) {
    CGifLibrary::CNImage* frame = gif.m_images[i];
    if (frame->BitsPerPixel() <= 8) continue;
    CGifLibrary::CNImage* reduced = ReduceToFixedPalette(*frame, gif.m_errorDiffusion, nearest);
    if (!reduced) return false;
    delete frame;
    gif.m_images[i] = reduced;
  }
  return true;
}

void WriteStill(CGifLibrary::CGifEncoder& encoder, const CGifLibrary::CNImage& frame) {
  if (frame.BitsPerPixel() != 8) return;
  encoder.WriteHeader(frame);
  encoder.WriteControlExtension(CGifLibrary::CGifEncoder::kDefaultDelay);
  encoder.WriteImage(frame);
  encoder.WriteTrailer();
}

void WriteAnimation(CGifLibrary::CGifEncoder& encoder, const CGifLibrary& gif) {
  for (int i = 0; i < CGifLibrary::kMaxFrames; ++i) encoder.m_delays[i] = gif.m_delays[i];
  encoder.m_loopCount = gif.m_loopCount;
  encoder.WriteHeader(*gif.m_images[0]);
  if (gif.m_loopCount != 1) encoder.WriteLoopBlock();
  for (int i = 0; i < gif.m_count; ++i) {
    encoder.WriteControlExtension(encoder.m_delays[i]);
    encoder.WriteImage(*gif.m_images[i]);
  }
  encoder.WriteTrailer();
}

}  // namespace

bool SaveFrames(CGifLibrary& gif, const WCHAR* path, NearestIndexFn nearest) {
  if (!path || gif.m_count < 0 || gif.m_count > CGifLibrary::kMaxFrames) return false;
  FILE* stream = _wfopen(path, u"wb");
  if (!stream) return false;
  CGifLibrary::CNFile file(stream);
  bool reduced = ReduceDeepFrames(gif, nearest);
  if (reduced) {
    CGifLibrary::CGifEncoder encoder(&file);
    if (gif.m_count == 1) WriteStill(encoder, *gif.m_images[0]);
    if (gif.m_count >= 2) WriteAnimation(encoder, gif);
  }
  std::fflush(stream);
  // A failed write (a full disk, say) leaves a truncated file: report it as failed.
  bool written = reduced && !std::ferror(stream) && std::ftell(stream) > 0;
  bool closed = std::fclose(stream) == 0;
  return written && closed;
}

}  // namespace talix::gif
