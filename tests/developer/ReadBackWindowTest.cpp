#include "DeveloperWindowFixture.h"

#include <QRadioButton>

#include <chrono>

using namespace quorin;

namespace {

void put(std::vector<std::uint8_t>& b, std::size_t offset, std::uint32_t v, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        b[offset + i] = static_cast<std::uint8_t>(v >> (8 * (size - 1 - i)));
}

// fps 9, INT0 166 µs, INT1 2 µs, CFG_REG 1bf, DAC channel i at code 8192 · (i mod 8), word w = w + 1.
std::vector<std::uint8_t> block(std::uint8_t mode) {
    std::vector<std::uint8_t> b(256, 0);
    b[0] = mode;
    b[1] = 9;
    put(b, 6, 6640, 3);
    put(b, 9, 101, 3);
    put(b, 12, 0x01BF, 2);
    for (std::size_t i = 0; i < 16; ++i)
        put(b, 17 + 2 * i, 8192 * (i % 8), 2);
    for (std::size_t w = 0; w < 51; ++w)
        put(b, 49 + 4 * w, static_cast<std::uint32_t>(w + 1), 4);
    put(b, 53, 0xFFFFFFFF, 4);
    return b;
}

} // namespace

TEST_F(DeveloperWindowTest, ReadBackOfAGoaBlock) {
    fillScanFields(7);
    board->replyPieces = {block(1)};
    testing::internal::CaptureStdout();
    click("pushButton_readparam");
    const std::string out = testing::internal::GetCapturedStdout();

    const QStringList lines = listing().split('\n');
    ASSERT_EQ(lines.size(), 36);
    EXPECT_EQ(lines.mid(0, 6), (QStringList{"fps:9", "INT0:166", "INT1:2", "CFG_REG:1bf", "GOA_DC2:-20.00",
                                            "GOA_DC1:-15.00"}));
    EXPECT_EQ(lines[13], "Pixel_DC1:-15.00");
    EXPECT_EQ(lines[16], "Vc1k_H:0.00");
    EXPECT_EQ(lines.mid(20, 3), (QStringList{"rst_fall:1", "rst_rise:-1", "stv_rise:3"}));
    EXPECT_EQ(lines[26], "ck_low :7");
    EXPECT_EQ(lines.mid(32), (QStringList{"total_period:13", "sa_start:30", "sb_start:31", "sab_high:32"}));

    EXPECT_EQ(text("lineEdit_frame"), "9");
    EXPECT_EQ(text("lineEdit_int0"), "166");
    EXPECT_EQ(text("lineEdit_cfgreg"), "1bf");
    EXPECT_EQ(text("lineEdit_tftVbias"), "-5.00");
    EXPECT_EQ(text("lineEdit_10"), "-1");
    EXPECT_EQ(text("lineEdit_96"), "32");
    EXPECT_EQ(text("lineEdit_51"), "7"); // the other mode's fields keep their texts
    EXPECT_TRUE(window.findChild<QRadioButton*>("radioSCAN")->isChecked());
    EXPECT_TRUE(messages.isEmpty());

    EXPECT_NE(out.find("sum == 256\n["), std::string::npos) << out;
    EXPECT_NE(out.find("[63] "), std::string::npos);
}

TEST_F(DeveloperWindowTest, ReadBackOfAScanBlockInTwoPieces) {
    const auto reply = block(2);
    board->replyPieces = {{reply.begin(), reply.begin() + 62}, {reply.begin() + 62, reply.end()}};
    click("pushButton_readparam");
    const QString split = listing();
    board->replyPieces = {reply};
    click("pushButton_readparam");
    EXPECT_EQ(listing(), split);

    const QStringList lines = split.split('\n');
    ASSERT_EQ(lines.size(), 63);
    EXPECT_EQ(lines[20], "scan_ck_high:1");
    EXPECT_EQ(lines[26], "ck6_start :7");
    EXPECT_EQ(lines[62], "scan_total_period:43");
    EXPECT_EQ(text("lineEdit_52"), "-1");
    EXPECT_EQ(text("lineEdit_93"), "43");
    EXPECT_EQ(text("lineEdit_9"), "100"); // GOA fields keep their form defaults
}

TEST_F(DeveloperWindowTest, UnansweredReadBackKeepsEverything) {
    board->replyPieces = {block(1)};
    click("pushButton_readparam");
    const QString before = listing();

    struct Case {
        std::size_t bytes;
        const char* message;
    };
    for (const Case c : {Case{0, "No reply from the board"}, Case{100, "Incomplete reply from the board"}}) {
        messages.clear();
        const auto reply = block(2);
        board->replyPieces = {{reply.begin(), reply.begin() + c.bytes}};
        const auto start = std::chrono::steady_clock::now();
        click("pushButton_readparam");
        EXPECT_LT(std::chrono::steady_clock::now() - start,
                  bounds::parameterReadBackTimeout + std::chrono::seconds(1));
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_EQ(listing(), before);
        EXPECT_TRUE(text("lineEdit_51").isEmpty());
        EXPECT_EQ(text("lineEdit_10"), "-1");
    }
}
