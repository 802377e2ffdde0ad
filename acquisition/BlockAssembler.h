// Reassembly of a frame from the board's block answers: a state machine fed with the byte chunks
// the driver hands over, telling the acquisition loop what to send next.
#pragma once

#include "FrameFormat.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorin {

class BlockAssembler {
public:
    enum class Step {
        NeedMore,      // the current block is not complete yet
        SendRequest,   // a block is complete: request block `block()`
        FrameComplete, // four complete, in-order blocks: `frame()` holds the frame
        OverFull,      // more bytes than a block holds: everything dropped, request block 0 again
    };

    BlockAssembler();

    // Starts the frame again at block 0 (the caller sends block request 0).
    void restart();

    // Takes the next chunk of received bytes. After FrameComplete the frame stays readable until
    // the next restart(); feeding bytes before that counts as an over-full block.
    Step feed(std::span<const std::uint8_t> chunk);

    int block() const { return block_; }            // the block being fetched, 0 … 3
    std::size_t blockFill() const { return fill_; } // bytes of that block received so far
    std::span<const std::uint8_t, frame::frameBytes> frame() const {
        return std::span<const std::uint8_t, frame::frameBytes>(frame_.data(), frame::frameBytes);
    }

private:
    std::vector<std::uint8_t> frame_; // B0 … B3 back to back
    int block_ = 0;
    std::size_t fill_ = 0;
    bool complete_ = false;
};

} // namespace quorin
