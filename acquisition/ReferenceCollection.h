// The Full-ON and Full-OFF reference collections: 15 frames per collection, reduced to one trimmed
// mean per pixel.
#pragma once

#include "FrameFormat.h"
#include "GreyMapping.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorin {

enum class Reference { FullOn, FullOff };

inline constexpr int referenceFrames = 15;

// The samples of a collection, slot-major: sample of pixel p in frame slot s at s × 65,536 + p.
using SampleStore = std::span<const std::uint32_t, referenceFrames * frame::pixelCount>;

// The smallest and the largest sample dropped, the 13 others summed in unsigned 32-bit arithmetic
// and divided by 13, truncating.
void trimmedMeans(SampleStore store, std::span<std::uint32_t, frame::pixelCount> means);

// The same by sorting each pixel's 15 samples: the reference the fast path must match.
void trimmedMeansReference(SampleStore store, std::span<std::uint32_t, frame::pixelCount> means);

// levelFromMean of every mean.
void levelsFromMeans(std::span<const std::uint32_t> means, double factor, std::span<std::uint32_t> levels);

class ReferenceCollector {
public:
    // Stores the frame in the next slot. Returns true on the 15th frame, when means() holds the
    // trimmed means and the next frame starts a new collection. A frame of the other kind than the
    // samples already stored starts the collection afresh, so the two references never mix.
    bool add(Reference kind, RawFrame frame);

    int slot() const { return slot_; } // the slot the next frame fills, 0 … 14
    const std::vector<std::uint32_t>& means() const { return means_; }

private:
    std::vector<std::uint32_t> store_; // allocated by the first collection, then kept
    std::vector<std::uint32_t> means_;
    int slot_ = 0;
    Reference kind_ = Reference::FullOn;
};

} // namespace quorin
