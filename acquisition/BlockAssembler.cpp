#include "BlockAssembler.h"

#include <algorithm>

namespace quorin {

BlockAssembler::BlockAssembler() : frame_(frame::frameBytes) {}

void BlockAssembler::restart() {
    block_ = 0;
    fill_ = 0;
    complete_ = false;
}

BlockAssembler::Step BlockAssembler::feed(std::span<const std::uint8_t> chunk) {
    if (chunk.empty())
        return Step::NeedMore;
    // A frame may never mix bytes of two requests: anything beyond a block, or arriving after the
    // frame is complete, throws the whole frame away.
    if (complete_ || fill_ + chunk.size() > frame::blockBytes) {
        restart();
        return Step::OverFull;
    }
    std::copy(chunk.begin(), chunk.end(), frame_.begin() + block_ * frame::blockBytes + fill_);
    fill_ += chunk.size();
    if (fill_ < frame::blockBytes)
        return Step::NeedMore;
    if (block_ + 1 < frame::blocksPerFrame) {
        ++block_;
        fill_ = 0;
        return Step::SendRequest;
    }
    complete_ = true;
    return Step::FrameComplete;
}

} // namespace quorin
