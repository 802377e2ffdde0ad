#include "ReferenceCollection.h"

#include <algorithm>
#include <array>

namespace quorin {

namespace {

// One pass over the 15 slots: sum − smallest − largest equals the sum of the 13 middle samples
// modulo 2^32, so the result matches the sorting reference exactly. Plain loops over runs of
// pixels, which the compiler vectorises.
inline void trimmedMeansOnePass(SampleStore store, std::span<std::uint32_t, frame::pixelCount> means) {
    constexpr std::size_t run = 64;
    for (std::size_t first = 0; first < frame::pixelCount; first += run) {
        std::uint32_t sum[run], least[run], most[run];
        const std::uint32_t* slot0 = store.data() + first;
        for (std::size_t i = 0; i < run; ++i)
            sum[i] = least[i] = most[i] = slot0[i];
        for (int s = 1; s < referenceFrames; ++s) {
            const std::uint32_t* slot = slot0 + s * frame::pixelCount;
            for (std::size_t i = 0; i < run; ++i) {
                sum[i] += slot[i];
                least[i] = std::min(least[i], slot[i]);
                most[i] = std::max(most[i], slot[i]);
            }
        }
        for (std::size_t i = 0; i < run; ++i)
            means[first + i] = (sum[i] - least[i] - most[i]) / 13u;
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Chosen at run time (not with an ifunc, which sanitizer builds cannot resolve at load time).
__attribute__((target("avx2"))) void trimmedMeansAvx2(SampleStore store,
                                                      std::span<std::uint32_t, frame::pixelCount> means) {
    trimmedMeansOnePass(store, means);
}
#endif

} // namespace

void trimmedMeans(SampleStore store, std::span<std::uint32_t, frame::pixelCount> means) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool haveAvx2 = __builtin_cpu_supports("avx2");
    if (haveAvx2)
        return trimmedMeansAvx2(store, means);
#endif
    trimmedMeansOnePass(store, means);
}

void trimmedMeansReference(SampleStore store, std::span<std::uint32_t, frame::pixelCount> means) {
    std::array<std::uint32_t, referenceFrames> samples;
    for (std::size_t p = 0; p < frame::pixelCount; ++p) {
        for (int s = 0; s < referenceFrames; ++s)
            samples[s] = store[s * frame::pixelCount + p];
        std::sort(samples.begin(), samples.end());
        std::uint32_t sum = 0;
        for (int s = 1; s < referenceFrames - 1; ++s)
            sum += samples[s];
        means[p] = sum / 13u;
    }
}

void levelsFromMeans(std::span<const std::uint32_t> means, double factor, std::span<std::uint32_t> levels) {
    std::transform(means.begin(), means.end(), levels.begin(),
                   [factor](std::uint32_t mean) { return levelFromMean(mean, factor); });
}

bool ReferenceCollector::add(Reference kind, RawFrame frame) {
    if (store_.empty()) {
        store_.resize(referenceFrames * frame::pixelCount);
        means_.resize(frame::pixelCount);
    }
    if (slot_ != 0 && kind != kind_)
        slot_ = 0;
    kind_ = kind;
    std::uint32_t* slot = store_.data() + slot_ * frame::pixelCount;
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        slot[p] = frame::decodeSample(&frame[p * frame::sampleBytes]);
    if (++slot_ < referenceFrames)
        return false;
    slot_ = 0;
    trimmedMeans(SampleStore(store_.data(), store_.size()),
                 std::span<std::uint32_t, frame::pixelCount>(means_.data(), frame::pixelCount));
    return true;
}

} // namespace quorin
