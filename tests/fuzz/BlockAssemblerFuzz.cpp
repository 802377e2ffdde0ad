// The block assembler fed arbitrary chunk sequences. Each step of the input is a chunk length
// (up to a whole block, so frames can complete) and a fill byte; the assembler must keep its
// invariants whatever it is fed, and a completed frame must be exactly the bytes of the four
// blocks fed since the last restart.
#include "BlockAssembler.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

using quorin::BlockAssembler;
namespace frame = quorin::frame;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    BlockAssembler assembler;
    std::vector<std::uint8_t> expected; // bytes accepted into the frame since the last restart
    std::vector<std::uint8_t> chunk;
    while (input.remaining_bytes() > 0) {
        const auto length = input.ConsumeIntegralInRange<std::size_t>(0, frame::blockBytes + 16);
        const auto fill = input.ConsumeIntegral<std::uint8_t>();
        chunk.assign(length, fill);
        const int blockBefore = assembler.block();
        const std::size_t fillBefore = assembler.blockFill();
        switch (assembler.feed(chunk)) {
        case BlockAssembler::Step::NeedMore:
            if (assembler.block() != blockBefore || assembler.blockFill() != fillBefore + length)
                std::abort();
            expected.insert(expected.end(), chunk.begin(), chunk.end());
            break;
        case BlockAssembler::Step::SendRequest:
            if (assembler.block() != blockBefore + 1 || assembler.blockFill() != 0 ||
                fillBefore + length != frame::blockBytes)
                std::abort();
            expected.insert(expected.end(), chunk.begin(), chunk.end());
            break;
        case BlockAssembler::Step::FrameComplete:
            expected.insert(expected.end(), chunk.begin(), chunk.end());
            if (blockBefore != 3 || expected.size() != frame::frameBytes ||
                !std::equal(expected.begin(), expected.end(), assembler.frame().begin()))
                std::abort();
            assembler.restart();
            expected.clear();
            break;
        case BlockAssembler::Step::OverFull:
            if (assembler.block() != 0 || assembler.blockFill() != 0)
                std::abort();
            expected.clear();
            break;
        }
        if (assembler.block() < 0 || assembler.block() > 3 || assembler.blockFill() >= frame::blockBytes)
            std::abort();
    }
    return 0;
}
