#include "BlockAssembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using quorin::BlockAssembler;
using Step = BlockAssembler::Step;
namespace frame = quorin::frame;

namespace {

// The board's answer to block request n: bytes that tell block and offset apart.
std::vector<std::uint8_t> blockAnswer(int block) {
    std::vector<std::uint8_t> bytes(frame::blockBytes);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + block * 31 + i / 251);
    return bytes;
}

// Feeds a block in chunks of `chunk` bytes; returns the steps that were not NeedMore.
std::vector<Step> feedBlock(BlockAssembler& assembler, const std::vector<std::uint8_t>& bytes,
                            std::size_t chunk) {
    std::vector<Step> steps;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        const std::size_t n = std::min(chunk, bytes.size() - at);
        const Step step = assembler.feed({bytes.data() + at, n});
        if (step != Step::NeedMore)
            steps.push_back(step);
    }
    return steps;
}

} // namespace

class BlockAssemblerChunking : public ::testing::TestWithParam<std::size_t> {};

TEST_P(BlockAssemblerChunking, FourBlocksInOrderMakeTheFrame) {
    BlockAssembler assembler;
    for (int block = 0; block < 4; ++block) {
        ASSERT_EQ(assembler.block(), block);
        const std::vector<Step> steps = feedBlock(assembler, blockAnswer(block), GetParam());
        ASSERT_EQ(steps.size(), 1u) << "block " << block;
        EXPECT_EQ(steps[0], block < 3 ? Step::SendRequest : Step::FrameComplete);
    }
    const auto frameBytes = assembler.frame();
    for (int block = 0; block < 4; ++block) {
        const auto expected = blockAnswer(block);
        EXPECT_TRUE(
            std::equal(expected.begin(), expected.end(), frameBytes.begin() + block * frame::blockBytes))
            << "block " << block;
    }
    assembler.restart();
    EXPECT_EQ(assembler.block(), 0);
}

INSTANTIATE_TEST_SUITE_P(Chunkings, BlockAssemblerChunking,
                         ::testing::Values(1u, 3u, 4096u, 65535u, 65536u, 10007u));

TEST(BlockAssembler, OverFullBlockRestartsTheFrameWithoutStaleBytes) {
    BlockAssembler assembler;
    feedBlock(assembler, blockAnswer(0), frame::blockBytes);
    ASSERT_EQ(assembler.block(), 1);
    // Stray bytes in front of block 1 push it past its size.
    const std::vector<std::uint8_t> stray(10, 0xEE);
    EXPECT_EQ(assembler.feed(stray), Step::NeedMore);
    EXPECT_EQ(assembler.feed(blockAnswer(1)), Step::OverFull);
    EXPECT_EQ(assembler.block(), 0);
    EXPECT_EQ(assembler.blockFill(), 0u);

    // A clean frame afterwards holds only its own bytes.
    for (int block = 0; block < 4; ++block)
        feedBlock(assembler, blockAnswer(block), 4000);
    const auto frameBytes = assembler.frame();
    const auto expected = blockAnswer(1);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), frameBytes.begin() + frame::blockBytes));
}

TEST(BlockAssembler, BytesAfterACompleteFrameAreOverFull) {
    BlockAssembler assembler;
    for (int block = 0; block < 4; ++block)
        feedBlock(assembler, blockAnswer(block), frame::blockBytes);
    const std::uint8_t extra = 1;
    EXPECT_EQ(assembler.feed({&extra, 1}), Step::OverFull);
    EXPECT_EQ(assembler.block(), 0);
}

TEST(BlockAssembler, EmptyChunkChangesNothing) {
    BlockAssembler assembler;
    EXPECT_EQ(assembler.feed({}), Step::NeedMore);
    EXPECT_EQ(assembler.blockFill(), 0u);
}
