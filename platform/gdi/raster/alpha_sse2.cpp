// SSE2 version of the AlphaBlend row kernel: four pixels at a time in 16-bit lanes, the
// same integer formulas as the portable core (see alpha.h), so results are bit-identical.
#include "platform/gdi/raster/alpha.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace talix::gdi::raster {

namespace {

// x / 255 rounded, per 16-bit lane (x <= 255 * 255).
inline __m128i Div255x8(__m128i x) {
  x = _mm_add_epi16(x, _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

// Each pixel's alpha lane copied to its four lanes.
inline __m128i BroadcastAlpha(__m128i x) {
  x = _mm_shufflelo_epi16(x, _MM_SHUFFLE(3, 3, 3, 3));
  return _mm_shufflehi_epi16(x, _MM_SHUFFLE(3, 3, 3, 3));
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
  const __m128i full = _mm_set1_epi16(255);
  __m128i slo = _mm_unpacklo_epi8(s, zero), shi = _mm_unpackhi_epi8(s, zero);
  if (scale) {
    slo = Div255x8(_mm_mullo_epi16(slo, a));
    shi = Div255x8(_mm_mullo_epi16(shi, a));
  }
  const __m128i dlo = Div255x8(
      _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(full, BroadcastAlpha(slo))));
  const __m128i dhi = Div255x8(
      _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(full, BroadcastAlpha(shi))));
  return _mm_adds_epu8(_mm_packus_epi16(slo, shi), _mm_packus_epi16(dlo, dhi));
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

void BlendPremultipliedRow(uint32_t* dst, const uint32_t* src, int count, uint32_t alpha) {
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const bool scale = alpha != 255;
  const __m128i alpha_mask = _mm_set1_epi32(static_cast<int>(0xff000000u));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    if (!scale) {
      // Runs of fully transparent or fully opaque pixels are common in images.
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, _mm_setzero_si128())) == 0xffff) continue;
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alpha_mask), alpha_mask)) ==
          0xffff) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), s);
        continue;
      }
    }
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), BlendPremultiplied4(d, s, a, scale));
  }
  if (i < count) BlendRowPortable(dst + i, src + i, count - i, {static_cast<uint8_t>(alpha), true});
}

}  // namespace

void BlendRowSimd(uint32_t* dst, const uint32_t* src, int count, BlendFunction blend) {
  if (blend.source_alpha) {
    BlendPremultipliedRow(dst, src, count, blend.constant_alpha);
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
