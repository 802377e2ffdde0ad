// The developer window against the simulated board: what is set comes back in the read-back.
#include "Bounds.h"
#include "CommandFrames.h"
#include "Developer_Mode.h"
#include "OperatorDialogs.h"
#include "QStringPrinting.h"
#include "RunningDataManager.h"
#include "SimulatedBoard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <chrono>

using namespace quorin;

namespace {

class DeveloperOnSimulatedBoard : public ::testing::Test {
protected:
    void SetUp() override {
        backend = sim::installSimulatedBackend();
        previousDialogs = dialogs::install({[this](const QString& text) { messages << text; }, {}, {}});
        RunningDataManager::instance()->setSharedVariable(0);
        ASSERT_EQ(FT_OpenEx(sim::defaultSerial, FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
        window.deviceHandle = handle;
    }
    void TearDown() override {
        FT_Close(handle);
        dialogs::install(previousDialogs);
        driver::installBackend(nullptr);
    }

    sim::SimulatedBoard& board() const { return *backend->board(); }
    QLineEdit* field(const QString& name) const { return window.findChild<QLineEdit*>(name); }
    QString text(const QString& name) const { return field(name)->text(); }
    void setText(const QString& name, const QString& value) { field(name)->setText(value); }
    void click(const char* button) { window.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
    QStringList listing() const {
        return window.findChild<QTextEdit*>(QStringLiteral("textEdit"))->toPlainText().split('\n');
    }
    // Every configuration packet in the board's log is followed, after the pause, by the apply command.
    void expectEveryPacketApplied() const {
        const auto log = board().writeLog();
        const auto apply = applyCommand();
        int packets = 0;
        for (std::size_t i = 0; i < log.size(); ++i) {
            const auto& bytes = log[i].bytes;
            if (bytes.size() <= 6 || bytes[2] != 0x00)
                continue;
            ++packets;
            ASSERT_LT(i + 1, log.size());
            EXPECT_EQ(log[i + 1].bytes, Bytes(apply.begin(), apply.end()));
            EXPECT_GE(log[i + 1].time - log[i].time, bounds::configurationPause);
        }
        EXPECT_GT(packets, 0);
    }

    std::shared_ptr<sim::SimulatedBackend> backend;
    dialogs::Handlers previousDialogs;
    QStringList messages;
    FT_HANDLE handle = nullptr;
    DevelopView window;
};

const char* const dacNames[16] = {
    "lineEdit_goa_dc2", "lineEdit_goaDc1",   "lineEdit_vgl",      "lineEdit_tftVbias",
    "lineEdit_tftVcom", "lineEdit_goaDch",   "lineEdit_goaDc3",   "lineEdit_muxH",
    "lineEdit_muxL",    "lineEdit_pixelDc1", "lineEdit_pixelDc2", "lineEdit_pixelDc3",
    "lineEdit_vclkH",   "lineEdit_vscanL",   "lineEdit_vscanH",   "lineEdit_bk1"};

} // namespace

TEST_F(DeveloperOnSimulatedBoard, GoaSettingsComeBackInTheReadBack) {
    setText("lineEdit_int0", "250");
    setText("lineEdit_int1", "400");
    setText("lineEdit_cfgreg", "1BF");
    click("pushButton_adc");
    for (int i = 0; i < 16; ++i)
        setText(dacNames[i], QString::number(i - 8) + ".50");
    click("pushButton_dac");
    window.findChild<QRadioButton*>("radioGOA")->setChecked(true);
    click("pushButton_switch");
    setText("lineEdit_frame", "7");
    click("pushButton_Frame");
    setText("lineEdit_96", "-1");
    click("pushButton_goa");

    for (const char* name :
         {"lineEdit_int0", "lineEdit_cfgreg", "lineEdit_frame", "lineEdit_vgl", "lineEdit_10"})
        setText(name, "typed");
    click("pushButton_readparam");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    const QStringList lines = listing();
    ASSERT_EQ(lines.size(), 36);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"fps:7", "INT0:250", "INT1:400", "CFG_REG:1bf"}));
    EXPECT_EQ(lines[4], "GOA_DC2:-8.50");
    EXPECT_EQ(lines[19], "BK1:7.50");
    EXPECT_EQ(lines[21], "rst_rise:" + QString::number(1302 * 1028));
    EXPECT_EQ(lines[32], "total_period:1428571");
    EXPECT_EQ(lines[35], "sab_high:-1");

    EXPECT_EQ(text("lineEdit_int0"), "250");
    EXPECT_EQ(text("lineEdit_cfgreg"), "1bf");
    EXPECT_EQ(text("lineEdit_frame"), "7");
    EXPECT_EQ(text("lineEdit_vgl"), "-6.50");
    EXPECT_EQ(text("lineEdit_10"), QString::number(1302 * 1028));
    expectEveryPacketApplied();
}

TEST_F(DeveloperOnSimulatedBoard, ScanSettingsComeBackInTheReadBack) {
    click("pushButton_switch"); // SCAN Mode is checked at start
    for (int k = 0; k < 43; ++k)
        setText(QStringLiteral("lineEdit_%1").arg(51 + k), QString::number(1000 * k - 7));
    setText("lineEdit_93", "2000000");
    click("pushButton_scan");
    for (int k = 0; k < 43; ++k)
        setText(QStringLiteral("lineEdit_%1").arg(51 + k), "");

    click("pushButton_readparam");
    const QStringList lines = listing();
    ASSERT_EQ(lines.size(), 63);
    EXPECT_EQ(lines[0], "fps:5");
    EXPECT_EQ(lines[20], "scan_ck_high:-7");
    EXPECT_EQ(lines[26], "ck6_start :5993");
    EXPECT_EQ(lines[62], "scan_total_period:2000000");
    EXPECT_EQ(text("lineEdit_51"), "-7");
    EXPECT_EQ(text("lineEdit_92"), "40993");
    EXPECT_EQ(text("lineEdit_9"), "100"); // GOA fields untouched
    expectEveryPacketApplied();
}

TEST_F(DeveloperOnSimulatedBoard, StalledBoardReturnsControlWithinTheBound) {
    click("pushButton_readparam");
    const QStringList before = listing();
    board().setStalled(true);
    const auto start = std::chrono::steady_clock::now();
    click("pushButton_readparam");
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              bounds::parameterReadBackTimeout + std::chrono::seconds(1));
    EXPECT_EQ(messages, QStringList{"No reply from the board"});
    EXPECT_EQ(listing(), before);
}
