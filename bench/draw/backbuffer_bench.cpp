// A typical skinned button (90 x 24, a masked picture over its parent's back buffer):
//   BM_RebuildBackBuffer/button    the button's buffer dropped and its window repainted:
//                                  the parent's part copied in, the masked picture drawn
//                                  (three temporaries and a blend), published, blitted
//   BM_AlphaBlendPeer/button       one AlphaBlend of a 90 x 24 per-pixel-alpha picture:
//                                  the least a masked draw of that size costs here
//   BM_PaintFromBackBuffer/button  the same repaint with the buffer in place (one BitBlt)
//   BM_BitBltPeer/button           one 90 x 24 BitBlt between memory DCs: the copy that
//                                  the buffered paint makes, without the paint round
// Compare each with its peer in the same run (ratios, medians of repetitions).
#include "draw/QuorBitmap.h"
#include "draw/QuorGraphics.h"
#include "frame/QuorLib.h"
#include "tests/draw/skin_bitmap/buffer_window.h"

#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kButtonW = 90, kButtonH = 24;

HBITMAP Filled(int w, int h, COLORREF color) { return CQuorLib::CreateColorBitmap(color, SIZE{w, h}); }

// A parent with a painted buffer and a button on it with a masked picture; both are
// windows that paint from their back buffers.
using talix::draw::testing::BufferWindow;

void DrawPicture(CQuorBitmap* picture, HDC dc) {
  CQuorGraphics graphics(dc);
  graphics.DrawImage(picture, 0, 0);
}

struct ButtonScene {
  CQuorBitmap background, face;
  BufferWindow parent, button;

  ButtonScene() {
    BufferWindow::Register();
    background.Attach(Filled(200, 60, RGB(40, 60, 90)));
    face.Attach(Filled(kButtonW, kButtonH, RGB(200, 180, 20)));
    face.AttachMask(Filled(kButtonW, kButtonH, RGB(96, 96, 96)));
    parent.paint = [this](HDC dc, int, int) { DrawPicture(&background, dc); };
    button.paint = [this](HDC dc, int, int) { DrawPicture(&face, dc); };
    parent.Create(0, 0, 200, 60);
    UpdateWindow(parent.hwnd);
    button.Create(50, 18, kButtonW, kButtonH, parent.hwnd);
    UpdateWindow(button.hwnd);
  }
  ~ButtonScene() {
    DestroyWindow(parent.hwnd);
    button.DeleteBackBuffer();
    parent.DeleteBackBuffer();
    UnregisterClassW(BufferWindow::kClass, nullptr);
    for (CQuorBitmap* picture : {&background, &face}) {
      DeleteObject(picture->Detach());
      DeleteObject(picture->DetachMask());
    }
  }
  void Repaint() {
    InvalidateRect(button.hwnd, nullptr, FALSE);
    UpdateWindow(button.hwnd);
  }
};

void SetButtonBytes(benchmark::State& state) {
  state.SetBytesProcessed(int64_t(state.iterations()) * kButtonW * kButtonH * 4);
}

void BM_RebuildBackBuffer(benchmark::State& state) {
  ButtonScene scene;
  for (auto _ : state) {
    scene.button.DeleteBackBuffer();
    scene.Repaint();
  }
  SetButtonBytes(state);
}
BENCHMARK(BM_RebuildBackBuffer)->Name("BM_RebuildBackBuffer/button");

void BM_PaintFromBackBuffer(benchmark::State& state) {
  ButtonScene scene;
  for (auto _ : state) scene.Repaint();
  SetButtonBytes(state);
}
BENCHMARK(BM_PaintFromBackBuffer)->Name("BM_PaintFromBackBuffer/button");

// A peer's target and source, each selected into a memory DC of its own.
class MemoryPair {
 public:
  MemoryPair(HBITMAP target, HBITMAP source)
      : to(CreateCompatibleDC(nullptr)), from(CreateCompatibleDC(nullptr)), target_(target),
        source_(source), oldTo_(SelectObject(to, target)), oldFrom_(SelectObject(from, source)) {}
  ~MemoryPair() {
    SelectObject(to, oldTo_);
    SelectObject(from, oldFrom_);
    DeleteDC(to);
    DeleteDC(from);
    DeleteObject(source_);
    DeleteObject(target_);
  }
  MemoryPair(const MemoryPair&) = delete;
  MemoryPair& operator=(const MemoryPair&) = delete;

  const HDC to, from;

 private:
  HBITMAP target_, source_;
  HGDIOBJ oldTo_, oldFrom_;
};

// A premultiplied 32-bit picture with alpha 159 (the grey-96 mask of the scene).
HBITMAP PremultipliedFace() {
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kButtonW, -kButtonH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP face = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int i = 0; face && i < kButtonW * kButtonH; ++i) pixels[i] = 0x9F7C700Cu;
  return face;
}

void BM_AlphaBlendPeer(benchmark::State& state) {
  MemoryPair dcs(Filled(kButtonW, kButtonH, RGB(40, 60, 90)), PremultipliedFace());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  for (auto _ : state)
    AlphaBlend(dcs.to, 0, 0, kButtonW, kButtonH, dcs.from, 0, 0, kButtonW, kButtonH, blend);
  SetButtonBytes(state);
}
BENCHMARK(BM_AlphaBlendPeer)->Name("BM_AlphaBlendPeer/button");

void BM_BitBltPeer(benchmark::State& state) {
  MemoryPair dcs(Filled(kButtonW, kButtonH, RGB(40, 60, 90)),
                 Filled(kButtonW, kButtonH, RGB(200, 180, 20)));
  for (auto _ : state) BitBlt(dcs.to, 0, 0, kButtonW, kButtonH, dcs.from, 0, 0, SRCCOPY);
  SetButtonBytes(state);
}
BENCHMARK(BM_BitBltPeer)->Name("BM_BitBltPeer/button");

}  // namespace
