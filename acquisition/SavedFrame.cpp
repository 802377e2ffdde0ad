#include "SavedFrame.h"

#include <algorithm>

namespace quorin {

SavedFrame::SavedFrame(std::span<const std::uint8_t, frame::frameBytes> raw) {
    bool narrow = true;
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        narrow &= raw[p * frame::sampleBytes + 3] == 0;
    width_ = narrow ? 3 : frame::sampleBytes;
    if (!narrow) {
        bytes_.assign(raw.begin(), raw.end());
        return;
    }
    bytes_.resize(frame::pixelCount * 3);
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        std::copy_n(raw.data() + p * frame::sampleBytes, 3, bytes_.data() + p * 3);
}

void SavedFrame::decode(std::span<std::uint32_t, frame::pixelCount> samples) const {
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        samples[p] = sample(p);
}

} // namespace quorin
