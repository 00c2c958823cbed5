// SSE2 version of the mask blend: sixteen bytes per step, widened to 16-bit lanes,
// fg * m + bg * (255 - m) (at most 65025, so no lane overflows), shifted right by 8 and
// packed back. The tail of fewer than sixteen bytes goes through the portable core, which
// also applies the four-byte rounding of the count.
#include "draw/blender.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace talix::draw {

namespace {

inline __m128i BlendHalf(__m128i m, __m128i f, __m128i b) {
  const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), m);
  const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(f, m), _mm_mullo_epi16(b, inverse));
  return _mm_srli_epi16(sum, 8);
}

inline __m128i Blend16(__m128i m, __m128i f, __m128i b) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lo = BlendHalf(_mm_unpacklo_epi8(m, zero), _mm_unpacklo_epi8(f, zero),
                               _mm_unpacklo_epi8(b, zero));
  const __m128i hi = BlendHalf(_mm_unpackhi_epi8(m, zero), _mm_unpackhi_epi8(f, zero),
                               _mm_unpackhi_epi8(b, zero));
  return _mm_packus_epi16(lo, hi);
}

}  // namespace

void BlendBytesSse2(const uint8_t* mask, const uint8_t* fg, const uint8_t* bg, uint8_t* out,
                    size_t count) {
  size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fg + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), Blend16(m, f, b));
  }
  BlendBytesPortable(mask + i, fg + i, bg + i, out + i, count - i);
}

bool HaveBlendBytesSse2() { return true; }

}  // namespace talix::draw

#else

namespace talix::draw {

void BlendBytesSse2(const uint8_t* mask, const uint8_t* fg, const uint8_t* bg, uint8_t* out,
                    size_t count) {
  BlendBytesPortable(mask, fg, bg, out, count);
}

bool HaveBlendBytesSse2() { return false; }

}  // namespace talix::draw

#endif
