// The voltage, current-range and chip-type panels of the real main window against the simulated board:
// what the board receives, in which order and with which pauses, and what the operator sees.
#include "Developer_Mode.h"
#include "MainWindowFixture.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "SettingPanels.h"
#include "SettingsModel.h"
#include "TimingPackets.h"

#include <QLineEdit>
#include <QRadioButton>

namespace quorin::test {
namespace {

using namespace std::chrono_literals;

const Bytes apply{0xFF, 0xAA, 0x01, 0x00, 0x0D, 0xEB};

class ControlPanels : public MainWindowFixture {
protected:
    void openQuietly() {
        openBoard();
        board().clearWriteLog();
        messages.clear();
    }
    void check(const char* radio) { find<QRadioButton>(radio)->setChecked(true); }
    void setField(int number, const QString& text) {
        find<QLineEdit>(QStringLiteral("lineEdit_%1").arg(number))->setText(text);
    }
    QString field(int number) const { return text(QStringLiteral("lineEdit_%1").arg(number)); }
    std::vector<Bytes> writtenBytes() const {
        std::vector<Bytes> out;
        for (const sim::HostWrite& write : board().writeLog())
            out.push_back(write.bytes);
        return out;
    }
};

// Anything but a block request: a configuration packet or an apply command.
bool configures(const Bytes& bytes) {
    return bytes.size() != 6 || bytes[2] != 0x00;
}

enum class Board { Closed, Capturing, EmptyHiddenField };

struct RefusalCase {
    const char* name;
    const char* button;
    Board state;
    const char* message;
};

class PanelRefusal : public ControlPanels, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PanelRefusal, SendsNothingAndChangesNothing) {
    const RefusalCase& c = GetParam();
    if (c.state != Board::Closed)
        openBoard();
    if (c.state == Board::EmptyHiddenField)
        setField(50, QString());
    if (c.state == Board::Capturing)
        click("pushButton_2");
    check("radioGOA");
    check("radioButton_3");
    board().clearWriteLog();
    messages.clear();

    click(c.button);
    EXPECT_EQ(messages, QStringList{c.message});
    for (const Bytes& bytes : writtenBytes())
        EXPECT_FALSE(configures(bytes)) << "a setting reached the board";
    EXPECT_EQ(text("label_save"), QString());
    EXPECT_EQ(field(46), QStringLiteral("12.00"));
    EXPECT_EQ(window->acquisitionThread()->rangeFactor.load(), 25);
}

INSTANTIATE_TEST_SUITE_P(
    States, PanelRefusal,
    ::testing::Values(RefusalCase{"VoltageNoBoard", "pushButton_11", Board::Closed, "No Device Connected"},
                      RefusalCase{"VoltageCapturing", "pushButton_11", Board::Capturing,
                                  "Access prohibited during operation"},
                      RefusalCase{"VoltageEmptyField", "pushButton_11", Board::EmptyHiddenField,
                                  "Some GOA input fields are empty"},
                      RefusalCase{"RangeNoBoard", "pushButton_6", Board::Closed, "No Device Connected"},
                      RefusalCase{"RangeCapturing", "pushButton_6", Board::Capturing,
                                  "Access prohibited during operation"},
                      RefusalCase{"ChipNoBoard", "pushButton_switch", Board::Closed, "No Device Connected"},
                      RefusalCase{"ChipCapturing", "pushButton_switch", Board::Capturing,
                                  "Access prohibited during operation"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlPanels, VoltageSettingWritesThePacketThenApplyAfterThePause) {
    openQuietly();
    setField(38, QStringLiteral("19.999"));
    setField(39, QStringLiteral("-")); // an unfinished entry the validator lets stand
    click("pushButton_11");

    std::array<QString, 16> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = field(SettingsModel::voltageKeys()[i].field);
    const std::vector<sim::HostWrite> log = board().writeLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].bytes, voltagePanelPacket(texts, ChipType::TypeA));
    EXPECT_EQ(log[1].bytes, apply);
    EXPECT_GE(log[1].time - log[0].time, 100ms);
    EXPECT_EQ(text("label_save"), QStringLiteral("Voltage set success"));
    EXPECT_TRUE(messages.isEmpty());
    // The board applied them: slot 3 holds "VGL", slot 4 "Vbias1", slot 5 "Vbias2" as 0 V.
    const auto codes = board().dacCodes();
    EXPECT_EQ(codes[2], 0x2000);
    EXPECT_EQ(codes[3], 0xFFFE);
    EXPECT_EQ(codes[4], 0x8000);

    // Type B without "Switch": the next packet already takes the Type B slots.
    check("radioGOA");
    click("pushButton_11");
    EXPECT_EQ(board().dacCodes()[2], voltageToCode(-12.0)); // "Voff"
    EXPECT_EQ(board().dacCodes()[5], voltageToCode(12.0));  // "Von"
    EXPECT_EQ(board().dacCodes()[11], 0x2000);              // "VGL"
    EXPECT_EQ(board().dacCodes()[12], 0x2000);              // "GOA_DCH"
}

struct ChipCase {
    const char* radio;
    std::uint8_t mode;
    std::array<const char*, 4> voltages; // "Von", "Voff", "Vscan_L", "Vscan_H"
};

class ChipSwitch : public ControlPanels, public ::testing::WithParamInterface<ChipCase> {};

TEST_P(ChipSwitch, SelectsTheModeAndLoadsTheFourVoltageTexts) {
    const ChipCase& c = GetParam();
    openQuietly();
    for (int number = 46; number <= 49; ++number)
        setField(number, QStringLiteral("1.00"));
    check(c.radio);
    click("pushButton_switch");

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(field(46 + i), QString(c.voltages[i]));
    const std::vector<sim::HostWrite> log = board().writeLog();
    ASSERT_EQ(log.size(), 2u) << "no voltage packet goes with the switch";
    EXPECT_EQ(log[0].bytes, (Bytes{0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, c.mode, c.mode}));
    EXPECT_EQ(log[1].bytes, apply);
    EXPECT_GE(log[1].time - log[0].time, 100ms);
    EXPECT_EQ(board().mode(), c.mode);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Chip select success Need reset voltage")});
}

INSTANTIATE_TEST_SUITE_P(
    Types, ChipSwitch,
    ::testing::Values(ChipCase{"radioSCAN", 0x02, {"12.00", "-12.00", "17.00", "-17.00"}},
                      ChipCase{"radioGOA", 0x01, {"15.00", "-15.00", "-15.00", "-15.00"}}),
    [](const auto& info) { return std::string(info.param.radio); });

TEST_F(ControlPanels, CurrentRangeSendsAdcScanGoaWithDerivedTimingsAndSetsTheFactor) {
    struct Step {
        const char* radio;
        int int0;
        std::uint16_t cfgReg;
        double framesPerSecond;
        int rangeFactor;
    };
    // From the 25 the thread starts with, down to 4 and back.
    const Step steps[] = {{"radioButton_3", 400, 0x180, 5, 4},
                          {"radioButton", 166, 0x1BF, 9, 25},
                          {"radioButton_4", 4000, 0x180, 0.5, 4},
                          {"radioButton_2", 250, 0x1BF, 7, 25}};
    openQuietly();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.radio);
        board().clearWriteLog();
        check(step.radio);
        click("pushButton_6");

        const auto ticks = splitTicks(std::int64_t{step.int0} * ticksPerMicrosecond);
        ASSERT_TRUE(ticks);
        const auto timings = deriveTimings(step.framesPerSecond);
        ASSERT_TRUE(timings);
        std::array<std::int32_t, 16> goa{};
        std::array<std::int32_t, scanValueCount> scan{};
        for (std::size_t i = 0; i < goa.size(); ++i)
            goa[i] = (*timings)[i].value;
        for (std::size_t i = 0; i < scan.size(); ++i)
            scan[i] = (*timings)[goa.size() + i].value;
        const std::vector<Bytes> expected{
            adcPacket(*ticks, *ticks, {std::uint8_t(step.cfgReg >> 8), std::uint8_t(step.cfgReg)}),
            apply,
            scanPacket(scan),
            apply,
            goaPacket(goa),
            apply};
        EXPECT_EQ(writtenBytes(), expected);
        EXPECT_EQ(board().int0Ticks(), std::uint32_t(step.int0 * ticksPerMicrosecond));
        EXPECT_EQ(developerWindow->integrationTime(), step.int0);
        EXPECT_EQ(window->acquisitionThread()->rangeFactor.load(), step.rangeFactor);
        EXPECT_EQ(text("label_save"), QStringLiteral("Current set success"));
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    }
}

} // namespace
} // namespace quorin::test
