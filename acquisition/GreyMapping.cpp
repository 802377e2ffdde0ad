#include "GreyMapping.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUORIN_GREY_AVX2 1
#endif

namespace quorin {
namespace {

void mapScalar(RawFrame frame, const LevelMaps& maps, std::uint8_t* out, std::size_t from, std::size_t to) {
    const auto& lower = maps.minMap();
    const auto& upper = maps.maxMap();
    for (std::size_t p = from; p < to; ++p)
        out[p] = greyLevel(frame::decodeSample(&frame[p * frame::sampleBytes]), lower[p], upper[p]);
}

#ifdef QUORIN_GREY_AVX2
// Eight pixels at a time in single precision. The quotient d × 255 / range is computed with at most
// three roundings of 2^-24 each, so the exact quotient lies within a relative 2^-21 of it: where
// both ends of that interval truncate to the same integer, that integer is the exact result. Groups
// where they do not (a quotient within rounding distance of an integer), or where d × 255 would
// wrap in 32 bits, take the scalar path, so the output is the scalar output byte for byte.
// Returns whether all eight are exact; their levels go to `low` and `high` (four each, 32-bit).
__attribute__((target("avx2"))) bool mapEight(const std::uint8_t* samples, const std::uint32_t* lower,
                                              const float* scale, __m128i& low, __m128i& high) {
    const __m256i zeroSignal = _mm256_set1_epi32(static_cast<int>(frame::zeroSignal));
    const __m256i noWrap = _mm256_set1_epi32(static_cast<int>(0xFFFFFFFFu / 255u)); // d above wraps d × 255
    const __m256 cap = _mm256_set1_ps(255.5f); // min() also turns NaN (a narrow pixel) into it
    const __m256 below = _mm256_set1_ps(1.0f - 0x1p-21f);
    const __m256 above = _mm256_set1_ps(1.0f + 0x1p-21f);

    const __m256i raw = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(samples));
    const __m256i a = _mm256_max_epu32(raw, zeroSignal);
    const __m256i d = _mm256_sub_epi32(a, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower)));
    const __m256 quotient = _mm256_min_ps(_mm256_mul_ps(_mm256_cvtepi32_ps(d), _mm256_loadu_ps(scale)), cap);
    const __m256i least = _mm256_cvttps_epi32(_mm256_mul_ps(quotient, below));
    const __m256i most = _mm256_cvttps_epi32(_mm256_mul_ps(quotient, above));
    const __m256i exact = _mm256_andnot_si256(_mm256_cmpgt_epi32(d, noWrap), _mm256_cmpeq_epi32(least, most));
    low = _mm256_castsi256_si128(least);
    high = _mm256_extracti128_si256(least, 1);
    return _mm256_movemask_epi8(exact) == -1;
}

__attribute__((target("avx2"))) void mapAvx2(RawFrame frame, const LevelMaps& maps, std::uint8_t* out) {
    const std::uint32_t* lower = maps.minMap().data();
    const float* scale = maps.greyScale().data();
    const std::uint8_t* samples = frame.data(); // x86 is little-endian: the bytes are the samples
    for (std::size_t p = 0; p < frame::pixelCount; p += 16) {
        __m128i a0, a1, b0, b1;
        const bool exactA = mapEight(samples + p * frame::sampleBytes, lower + p, scale + p, a0, a1);
        const bool exactB =
            mapEight(samples + (p + 8) * frame::sampleBytes, lower + p + 8, scale + p + 8, b0, b1);
        // Negative quotients (below the lower level) saturate to 0 in the unsigned pack.
        const __m128i grey = _mm_packus_epi16(_mm_packs_epi32(a0, a1), _mm_packs_epi32(b0, b1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + p), grey);
        if (!exactA)
            mapScalar(frame, maps, out, p, p + 8);
        if (!exactB)
            mapScalar(frame, maps, out, p + 8, p + 16);
    }
}

bool haveAvx2() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}
#endif

} // namespace

void buildGreyFrame(RawFrame frame, const LevelMaps& maps, cv::Mat& grey) {
    grey.create(frame::side, frame::side, CV_8UC1);
#ifdef QUORIN_GREY_AVX2
    if (haveAvx2()) {
        mapAvx2(frame, maps, grey.ptr<std::uint8_t>());
        return;
    }
#endif
    mapScalar(frame, maps, grey.ptr<std::uint8_t>(), 0, frame::pixelCount);
}

cv::Mat buildGreyFrame(RawFrame frame, const LevelMaps& maps) {
    cv::Mat grey;
    buildGreyFrame(frame, maps, grey);
    return grey;
}

void buildGreyFrameReference(RawFrame frame, const LevelMaps& maps, cv::Mat& grey) {
    grey.create(frame::side, frame::side, CV_8UC1);
    for (std::size_t p = 0; p < frame::pixelCount; ++p) {
        const std::uint32_t a = frame::decodeSample(&frame[p * frame::sampleBytes]);
        grey.at<std::uint8_t>(static_cast<int>(p / frame::side), static_cast<int>(p % frame::side)) =
            greyLevel(a, maps.minMap()[p], maps.maxMap()[p]);
    }
}

} // namespace quorin
