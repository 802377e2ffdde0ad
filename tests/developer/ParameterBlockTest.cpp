#include "ParameterBlock.h"
#include "Bounds.h"
#include "ScriptedBoard.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace quorin;

namespace {

void putWord(ParameterBlock& b, std::size_t offset, std::uint32_t v, std::size_t size = 4) {
    for (std::size_t i = 0; i < size; ++i)
        b[offset + i] = static_cast<std::uint8_t>(v >> (8 * (size - 1 - i)));
}

// fps 9, INT0 6640 ticks, INT1 101 ticks, CFG_REG 01 BF, DAC codes from a small table.
ParameterBlock sampleBlock(std::uint8_t mode) {
    ParameterBlock b{};
    b[0] = mode;
    b[1] = 9;
    putWord(b, 6, 6640, 3);
    putWord(b, 9, 101, 3);
    putWord(b, 12, 0x01BF, 2);
    const std::uint16_t codes[16] = {0x2000, 0x8000, 0x0000, 0xFFFF, 0xCCCD, 0x8000, 0x8000, 0x8000,
                                     0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000};
    for (std::size_t i = 0; i < 16; ++i)
        putWord(b, 17 + 2 * i, codes[i], 2);
    for (std::size_t w = 0; w < 43; ++w)
        putWord(b, 49 + 4 * w, static_cast<std::uint32_t>(w * 1000));
    putWord(b, 53, 9842200);
    putWord(b, 57, 0xFFFFFFFF);
    return b;
}

std::vector<std::string> lines(const std::vector<ParameterRow>& rows) {
    std::vector<std::string> out;
    for (const ParameterRow& r : rows)
        out.push_back(r.label + r.value);
    return out;
}

} // namespace

TEST(ParameterBlockDecoder, CommonRowsAndDacConversions) {
    const auto rows = decodeParameterBlock(sampleBlock(1));
    const std::vector<std::string> shown = lines(rows);
    const std::vector<std::string> head(shown.begin(), shown.begin() + 9);
    EXPECT_EQ(head,
              (std::vector<std::string>{"fps:9", "INT0:166", "INT1:2", "CFG_REG:1bf", "GOA_DC2:-15.00",
                                        "GOA_DC1:0.00", "VGL:-20.00", "TFT_Vbias:20.00", "TFT_VCOM:12.00"}));
    EXPECT_EQ(rows[0].field, "lineEdit_frame");
    EXPECT_EQ(rows[3].field, "lineEdit_cfgreg");
    EXPECT_EQ(rows[16], (ParameterRow{"Vc1k_H:", "0.00", "lineEdit_vclkH"}));
    EXPECT_EQ(rows[19].field, "lineEdit_bk1");
}

TEST(ParameterBlockDecoder, GoaBlockListsSixteenTimingValues) {
    const auto rows = decodeParameterBlock(sampleBlock(1));
    ASSERT_EQ(rows.size(), 36u);
    EXPECT_EQ(rows[20], (ParameterRow{"rst_fall:", "0", "lineEdit_9"}));
    EXPECT_EQ(rows[21], (ParameterRow{"rst_rise:", "9842200", "lineEdit_10"}));
    EXPECT_EQ(rows[22], (ParameterRow{"stv_rise:", "-1", "lineEdit_11"}));
    EXPECT_EQ(rows[26], (ParameterRow{"ck_low :", "6000", "lineEdit_15"}));
    EXPECT_EQ(rows[32], (ParameterRow{"total_period:", "12000", "lineEdit_21"}));
    // Words 13 to 28 are reserved: the next row is word 29 at offset 165.
    EXPECT_EQ(rows[33], (ParameterRow{"sa_start:", "29000", "lineEdit_94"}));
    EXPECT_EQ(rows[35], (ParameterRow{"sab_high:", "31000", "lineEdit_96"}));
}

TEST(ParameterBlockDecoder, AnyOtherModeByteListsTheScanSet) {
    for (std::uint8_t mode : {0, 2, 255}) {
        const auto rows = decodeParameterBlock(sampleBlock(mode));
        ASSERT_EQ(rows.size(), 63u) << int(mode);
        EXPECT_EQ(rows[20], (ParameterRow{"scan_ck_high:", "0", "lineEdit_51"}));
        EXPECT_EQ(rows[26], (ParameterRow{"ck6_start :", "6000", "lineEdit_57"}));
        EXPECT_EQ(rows[28], (ParameterRow{"ck8_start:", "8000", "lineEdit_59"}));
        EXPECT_EQ(rows[29], (ParameterRow{"scan_high:", "9000", "lineEdit_60"}));
        EXPECT_EQ(rows[30], (ParameterRow{"scan1_start:", "10000", "lineEdit_61"}));
        EXPECT_EQ(rows[61], (ParameterRow{"scan32_start:", "41000", "lineEdit_92"}));
        EXPECT_EQ(rows[62], (ParameterRow{"scan_total_period:", "42000", "lineEdit_93"}));
    }
}

class ParameterReadBack : public ::testing::Test {
protected:
    void SetUp() override { board = ScriptedBoard::install(); }
    void TearDown() override { driver::installBackend(nullptr); }

    std::vector<std::uint8_t> sample = [] {
        const ParameterBlock b = sampleBlock(2);
        return std::vector<std::uint8_t>(b.begin(), b.end());
    }();
    std::shared_ptr<ScriptedBoard> board;
    FT_STATUS status = FT_OTHER_ERROR;
};

TEST_F(ParameterReadBack, ReplyInPiecesGivesTheSameBlock) {
    board->replyPieces = {
        {sample.begin(), sample.begin() + 62}, {sample.begin() + 62, sample.end()}, {0xEE, 0xEE}};
    const ReadBack r = readParameterBlock(ScriptedBoard::handle, status);
    EXPECT_EQ(r.outcome, ReadBackOutcome::Complete);
    EXPECT_TRUE(std::equal(r.block.begin(), r.block.end(), sample.begin()));
    EXPECT_EQ(status, FT_OK);
    ASSERT_EQ(board->writes.size(), 1u);
    EXPECT_EQ(board->writes[0], (Bytes{0xFF, 0xAA, 0x00, 0xFF, 0x0D, 0xEB}));
}

TEST_F(ParameterReadBack, StaleBytesAreDroppedBeforeTheRequest) {
    board->preload({0x01, 0x02, 0x03});
    board->replyPieces = {sample};
    board->replyPieces[0].push_back(0xEE);
    const ReadBack r = readParameterBlock(ScriptedBoard::handle, status);
    EXPECT_EQ(r.outcome, ReadBackOutcome::Complete);
    EXPECT_TRUE(std::equal(r.block.begin(), r.block.end(), sample.begin()));
    EXPECT_EQ(board->queued(), 1u); // bytes beyond the block stay in the queue
}

TEST_F(ParameterReadBack, SilentOrShortBoardEndsWithinTheBound) {
    struct Case {
        std::size_t bytes;
        ReadBackOutcome outcome;
    };
    for (const Case c : {Case{0, ReadBackOutcome::NoReply}, Case{200, ReadBackOutcome::ShortReply}}) {
        board->replyPieces = {std::vector<std::uint8_t>(sample.begin(), sample.begin() + c.bytes)};
        const auto start = std::chrono::steady_clock::now();
        const ReadBack r = readParameterBlock(ScriptedBoard::handle, status);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.received, c.bytes);
        EXPECT_GE(waited, bounds::parameterReadBackTimeout);
        EXPECT_LT(waited, bounds::parameterReadBackTimeout + std::chrono::seconds(1));
    }
}

TEST_F(ParameterReadBack, DeadHandleEndsAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    const ReadBack r = readParameterBlock(nullptr, status);
    EXPECT_EQ(r.outcome, ReadBackOutcome::NoReply);
    EXPECT_NE(status, FT_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}
