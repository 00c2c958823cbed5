// SSE2 version of the AlphaBlend row kernel: four pixels at a time in 16-bit lanes, the
// same integer formulas as the portable core (see alpha.h), so results are bit-identical.
#include "platform/gdi/raster/alpha.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace talix::gdi::raster {

namespace {

// x / 255 rounded, per 16-bit lane (x <= 255 * 255): with t = x + 128,
// (t * 257) >> 16 == (t + (t >> 8)) >> 8, the portable Div255.
inline __m128i Div255x8(__m128i x) {
  return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

// 255 - alpha of each pixel, in its four 16-bit lanes: pixels 0-1 in *lo, 2-3 in *hi.
inline void InverseAlpha(__m128i s, __m128i* lo, __m128i* hi) {
  __m128i inv = _mm_srli_epi32(_mm_xor_si128(s, _mm_set1_epi32(-1)), 24);
  inv = _mm_or_si128(inv, _mm_slli_epi32(inv, 16));
  *lo = _mm_unpacklo_epi32(inv, inv);
  *hi = _mm_unpackhi_epi32(inv, inv);
}

inline __m128i BlendConstant4(__m128i d, __m128i s, __m128i a, __m128i inv) {
  const __m128i zero = _mm_setzero_si128();
  auto half = [&](__m128i d16, __m128i s16) {
    return Div255x8(_mm_add_epi16(_mm_mullo_epi16(s16, a), _mm_mullo_epi16(d16, inv)));
  };
  const __m128i lo = half(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero));
  const __m128i hi = half(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero));
  return _mm_packus_epi16(lo, hi);
}

inline __m128i BlendPremultiplied4(__m128i d, __m128i s, __m128i a, bool scale) {
  const __m128i zero = _mm_setzero_si128();
  if (scale) {
    s = _mm_packus_epi16(Div255x8(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), a)),
                         Div255x8(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), a)));
  }
  __m128i inv_lo, inv_hi;
  InverseAlpha(s, &inv_lo, &inv_hi);
  const __m128i dlo = Div255x8(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), inv_lo));
  const __m128i dhi = Div255x8(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), inv_hi));
  return _mm_adds_epu8(s, _mm_packus_epi16(dlo, dhi));
}

void BlendConstantRow(uint32_t* dst, const uint32_t* src, int count, uint32_t alpha) {
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i inv = _mm_set1_epi16(static_cast<short>(255 - alpha));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), BlendConstant4(d, s, a, inv));
  }
  if (i < count) BlendRowPortable(dst + i, src + i, count - i, {static_cast<uint8_t>(alpha), false});
}

template <bool kScale>
void BlendPremultipliedRow(uint32_t* dst, const uint32_t* src, int count, uint32_t alpha) {
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i zero = _mm_setzero_si128(), ones = _mm_set1_epi32(-1);
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i* d = reinterpret_cast<__m128i*>(dst + i);
    if (!kScale) {
      // Runs of fully opaque or fully transparent pixels are common in images.
      if ((_mm_movemask_epi8(_mm_cmpeq_epi8(s, ones)) & 0x8888) == 0x8888) {
        _mm_storeu_si128(d, s);
        continue;
      }
      if (_mm_movemask_epi8(_mm_cmpeq_epi8(s, zero)) == 0xffff) continue;
    }
    _mm_storeu_si128(d, BlendPremultiplied4(_mm_loadu_si128(d), s, a, kScale));
  }
  if (i < count) BlendRowPortable(dst + i, src + i, count - i, {static_cast<uint8_t>(alpha), true});
}

}  // namespace

void BlendRowSimd(uint32_t* dst, const uint32_t* src, int count, BlendFunction blend) {
  if (blend.source_alpha) {
    if (blend.constant_alpha == 255) {
      BlendPremultipliedRow<false>(dst, src, count, 255);
    } else {
      BlendPremultipliedRow<true>(dst, src, count, blend.constant_alpha);
    }
  } else if (blend.constant_alpha == 255) {
    for (int i = 0; i < count; ++i) dst[i] = src[i];
  } else if (blend.constant_alpha != 0) {
    BlendConstantRow(dst, src, count, blend.constant_alpha);
  }
}

bool HaveBlendRowSimd() { return true; }

}  // namespace talix::gdi::raster

#else

namespace talix::gdi::raster {

void BlendRowSimd(uint32_t* dst, const uint32_t* src, int count, BlendFunction blend) {
  BlendRowPortable(dst, src, count, blend);
}

bool HaveBlendRowSimd() { return false; }

}  // namespace talix::gdi::raster

#endif
