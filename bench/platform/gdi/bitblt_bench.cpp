// BitBlt between memory DCs, compared with BM_Memcpy of the same surface size.
//   BM_BitBltCopy/<W>x<H>: SRCCOPY of a whole 32-bit compatible bitmap.
//   BM_BitBltInvert/<W>x<H>: SRCINVERT, the general source-and-destination path.
#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

void Blit(benchmark::State& state, int w, int h, DWORD rop) {
  HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
  HBITMAP srcBitmap = CreateBitmap(w, h, 1, 32, nullptr);
  HBITMAP dstBitmap = CreateBitmap(w, h, 1, 32, nullptr);
  HGDIOBJ oldSrc = SelectObject(src, srcBitmap), oldDst = SelectObject(dst, dstBitmap);
  PatBlt(src, 0, 0, w, h, WHITENESS);
  for (auto _ : state) {
    BitBlt(dst, 0, 0, w, h, src, 0, 0, rop);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * w * h * 4);
  SelectObject(src, oldSrc);
  SelectObject(dst, oldDst);
  DeleteDC(src);
  DeleteDC(dst);
  DeleteObject(srcBitmap);
  DeleteObject(dstBitmap);
}

BENCHMARK_CAPTURE(Blit, copy, 1280, 1024, SRCCOPY)->Name("BM_BitBltCopy/1280x1024");
BENCHMARK_CAPTURE(Blit, invert, 1280, 1024, SRCINVERT)->Name("BM_BitBltInvert/1280x1024");

}  // namespace
