#include "DeveloperWindowFixture.h"
#include "TimingPackets.h"

#include <QFormLayout>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidgetAction>

using namespace quorin;

namespace {

QString labelFor(const QLineEdit* edit) {
    auto* form = qobject_cast<QFormLayout*>(edit->parentWidget()->layout());
    auto* label = form ? qobject_cast<QLabel*>(form->labelForField(const_cast<QLineEdit*>(edit))) : nullptr;
    return label ? label->text() : QString();
}

} // namespace

TEST_F(DeveloperWindowTest, FormShape) {
    EXPECT_EQ(window.objectName(), "Developer_Mode");
    EXPECT_EQ(window.windowTitle(), "Developer_Mode");
    EXPECT_EQ(window.size(), QSize(948, 599));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.findChild<QRadioButton*>("radioSCAN")->isChecked());
    EXPECT_FALSE(window.findChild<QRadioButton*>("radioGOA")->isChecked());
    EXPECT_EQ(window.findChild<QTabWidget*>("tabWidget")->currentIndex(), 0);
    EXPECT_TRUE(window.findChild<QTextEdit*>("textEdit")->isReadOnly());
    EXPECT_EQ(window.findChild<QPushButton*>("pushButton_Frame")->text(), "FREQ  Config");

    // The SCAN handler and the read-back find the 43 fields by name on the SCAN page.
    auto* scanPage = window.findChild<QWidget*>("tab_2");
    for (int n = 51; n <= 93; ++n) {
        auto* edit = scanPage->findChild<QLineEdit*>(QStringLiteral("lineEdit_%1").arg(n));
        ASSERT_TRUE(edit) << n;
        EXPECT_TRUE(edit->text().isEmpty());
    }
    EXPECT_EQ(labelFor(field("lineEdit_61")), "scan1_start");
    EXPECT_EQ(text("lineEdit_10"), "9842200");
    EXPECT_EQ(labelFor(field("lineEdit_96")), "SAB_high");

    // Slots 12 to 15 are labelled apart from their fields' channels.
    const std::pair<const char*, const char*> dacLabels[] = {{"lineEdit_pixelDc3", "Vclk_H"},
                                                             {"lineEdit_vclkH", "Vclk_L"},
                                                             {"lineEdit_vscanL", "Vscan_H"},
                                                             {"lineEdit_vscanH", "Vscan_L"},
                                                             {"lineEdit_bk1", "BK1"}};
    for (const auto& [name, label] : dacLabels)
        EXPECT_EQ(labelFor(field(name)), label) << name;

    QStringList menus;
    for (QAction* a : window.findChild<QMenuBar*>()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"    Setting    ", "    Help    "}));
}

TEST_F(DeveloperWindowTest, MenuEntriesAreInert) {
    for (QPushButton* b : window.findChild<QMenuBar*>()->findChildren<QPushButton*>())
        b->click();
    const QStringList entries = [this] {
        QStringList t;
        for (QMenu* m : window.findChild<QMenuBar*>()->findChildren<QMenu*>())
            for (QAction* a : m->actions())
                if (auto* w = qobject_cast<QPushButton*>(qobject_cast<QWidgetAction*>(a)->defaultWidget()))
                    t << w->text();
        return t;
    }();
    EXPECT_EQ(entries, (QStringList{"Client  Mode", "About", "Language", "Contact Us"}));
    EXPECT_TRUE(board->writes.empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DeveloperWindowTest, IntegrationTimeAccessor) {
    const std::pair<const char*, int> cases[] = {{"", 0}, {"abc", 0}, {"12.5", 0}, {"250", 250}};
    for (const auto& [typed, value] : cases) {
        setText("lineEdit_int0", typed);
        EXPECT_EQ(window.integrationTime(), value) << typed;
    }
}

TEST_F(DeveloperWindowTest, ModeSwitchSendsTheCheckedMode) {
    click("pushButton_switch");
    window.findChild<QRadioButton*>("radioGOA")->setChecked(true);
    EXPECT_FALSE(window.findChild<QRadioButton*>("radioSCAN")->isChecked());
    click("pushButton_switch");
    ASSERT_EQ(board->writes.size(), 4u);
    expectConfiguration(0, {0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, 0x02, 0x02});
    expectConfiguration(2, {0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, 0x01, 0x01});
    EXPECT_EQ(window.lastStatus, FT_OK);
}

TEST_F(DeveloperWindowTest, WithoutABoardWritesFailQuietly) {
    window.deviceHandle = nullptr;
    click("pushButton_switch");
    EXPECT_TRUE(board->writes.empty());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_NE(window.lastStatus, FT_OK);
}

TEST_F(DeveloperWindowTest, EveryBoardWriteIsRefusedDuringCapture) {
    window.rangePreset(1); // fills every field the packets need
    for (const char* dac : {"lineEdit_goa_dc2", "lineEdit_goaDc1", "lineEdit_vgl", "lineEdit_tftVbias",
                            "lineEdit_tftVcom", "lineEdit_goaDch", "lineEdit_goaDc3", "lineEdit_muxH",
                            "lineEdit_muxL", "lineEdit_pixelDc1", "lineEdit_pixelDc2", "lineEdit_pixelDc3",
                            "lineEdit_vclkH", "lineEdit_vscanL", "lineEdit_vscanH", "lineEdit_bk1"})
        setText(dac, "1.00");
    window.findChild<QTextEdit*>("textEdit")->setPlainText("earlier listing");
    board->writes.clear();
    RunningDataManager::instance()->setSharedVariable(1);

    for (const char* button : {"pushButton_adc", "pushButton_dac", "pushButton_goa", "pushButton_scan",
                               "pushButton_readparam", "pushButton_switch"}) {
        messages.clear();
        click(button);
        EXPECT_EQ(messages, QStringList{"Access prohibited during operation"}) << button;
    }
    window.rangePreset(2);
    EXPECT_TRUE(board->writes.empty());
    EXPECT_EQ(listing(), "earlier listing");
}

TEST_F(DeveloperWindowTest, RangePresetSendsAdcScanGoaInOrder) {
    testing::internal::CaptureStdout();
    window.rangePreset(1);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(text("lineEdit_int0"), "166");
    EXPECT_EQ(text("lineEdit_cfgreg"), "1bf");
    EXPECT_EQ(text("lineEdit_frame"), "9");
    EXPECT_EQ(text("lineEdit_10"), "1041600");
    EXPECT_EQ(text("lineEdit_93"), "1111111");
    ASSERT_EQ(board->writes.size(), 6u);
    expectConfiguration(
        0, {0xFF, 0xAA, 0x00, 0xA0, 0x0D, 0xEB, 0x00, 0x19, 0xF0, 0x00, 0x19, 0xF0, 0x01, 0xBF, 0xD2});
    EXPECT_EQ(board->writes[2].size(), 179u);
    EXPECT_EQ(board->writes[2][3], packetType::scan);
    EXPECT_EQ(board->writes[4].size(), 135u);
    EXPECT_EQ(board->writes[4][3], packetType::goa);
    EXPECT_TRUE(messages.isEmpty());

    EXPECT_EQ(out.rfind("1\nmCFG_REG 的值为: 0x01, 0xbf\n", 0), 0u) << out;
    EXPECT_NE(out.find("Hex representation: FF AA 00 A3 0D EB "), std::string::npos);
}

TEST_F(DeveloperWindowTest, AdcRefusalsSendNothing) {
    struct Case {
        const char *int0, *int1, *cfgReg, *message;
    };
    const Case cases[] = {
        {"", "166", "1bf", "Some ADC input fields are empty"},
        {"166", "166", "", "Some ADC input fields are empty"},
        {"419431", "166", "1bf", "Integration time out of range"},
        {"166", "-1", "1bf", "Integration time out of range"},
        {"166", "166", "1bf00", "CFG_REG takes one to four hexadecimal digits"},
        {"166", "166", "1bg", "CFG_REG takes one to four hexadecimal digits"},
    };
    for (const Case& c : cases) {
        messages.clear();
        setText("lineEdit_int0", c.int0);
        setText("lineEdit_int1", c.int1);
        setText("lineEdit_cfgreg", c.cfgReg);
        click("pushButton_adc");
        EXPECT_EQ(messages, QStringList{c.message}) << c.int0 << " " << c.int1 << " " << c.cfgReg;
    }
    EXPECT_TRUE(board->writes.empty());
}

TEST_F(DeveloperWindowTest, AdcFractionalTimeIsSentAsZeroTicks) {
    setText("lineEdit_int0", "166.5");
    setText("lineEdit_int1", "419430");
    setText("lineEdit_cfgreg", "BF");
    click("pushButton_adc");
    expectConfiguration(0, adcPacket({0, 0, 0}, {0xFF, 0xFF, 0xF0}, {0x00, 0xBF}));
}

TEST_F(DeveloperWindowTest, FrameRateRefusalsLeaveTheFields) {
    const std::pair<const char*, const char*> cases[] = {{"", "FREQ input fields are empty"},
                                                         {"abc", "Invalid Input"},
                                                         {"0", "Invalid Input"},
                                                         {"nan", "Invalid Input"},
                                                         {"0.001", "Frame rate out of range"}};
    for (const auto& [rate, message] : cases) {
        messages.clear();
        setText("lineEdit_frame", rate);
        click("pushButton_Frame");
        EXPECT_EQ(messages, QStringList{message}) << rate;
    }
    EXPECT_EQ(text("lineEdit_10"), "9842200");
    EXPECT_TRUE(text("lineEdit_51").isEmpty());

    setText("lineEdit_frame", "0.5");
    click("pushButton_Frame");
    EXPECT_EQ(text("lineEdit_10"), "18748800");
    EXPECT_EQ(text("lineEdit_21"), "20000000");
    EXPECT_EQ(text("lineEdit_92"), QString::number(1257 * 14400 - 30));
    EXPECT_TRUE(board->writes.empty()); // deriving sends nothing
}

TEST_F(DeveloperWindowTest, DacSendsTheFixedSlotOrder) {
    const char* const names[16] = {
        "lineEdit_goa_dc2", "lineEdit_goaDc1",   "lineEdit_vgl",      "lineEdit_tftVbias",
        "lineEdit_tftVcom", "lineEdit_goaDch",   "lineEdit_goaDc3",   "lineEdit_muxH",
        "lineEdit_muxL",    "lineEdit_pixelDc1", "lineEdit_pixelDc2", "lineEdit_pixelDc3",
        "lineEdit_vclkH",   "lineEdit_vscanL",   "lineEdit_vscanH",   "lineEdit_bk1"};
    const char* const defaults[16] = {"0.00",   "0.00",   "-15.00", "0.5",  "-10.00", "-15.00",
                                      "0.00",   "-15.00", "-15.00", "3.00", "-2.00",  "12.00",
                                      "-12.00", "17.00",  "-17.00", "0.00"};
    for (int i = 0; i < 16; ++i)
        setText(names[i], defaults[i]);
    setText("lineEdit_bk1", "");
    click("pushButton_dac");
    EXPECT_EQ(messages, QStringList{"Some GOA input fields are empty"});
    EXPECT_TRUE(board->writes.empty());

    setText("lineEdit_bk1", "0.00");
    click("pushButton_dac");
    const Bytes workedExample{0xFF, 0xAA, 0x00, 0xA1, 0x0D, 0xEB, 0x80, 0x00, 0x80, 0x00, 0x20, 0x00, 0x83,
                              0x33, 0x40, 0x00, 0x20, 0x00, 0x80, 0x00, 0x20, 0x00, 0x20, 0x00, 0x93, 0x33,
                              0x73, 0x33, 0xCC, 0xCD, 0x33, 0x33, 0xEC, 0xCD, 0x13, 0x33, 0x80, 0x00, 0xE0};
    expectConfiguration(0, workedExample);

    // The field labelled "Vclk_H" feeds slot 12; 25 V saturates; letters count as 0 V.
    setText("lineEdit_pixelDc3", "25");
    setText("lineEdit_goa_dc2", "volts");
    click("pushButton_dac");
    const Bytes& packet = board->writes[2];
    EXPECT_EQ(Bytes(packet.begin() + 28, packet.begin() + 32), (Bytes{0xFF, 0xFF, 0x33, 0x33}));
    EXPECT_EQ(Bytes(packet.begin() + 6, packet.begin() + 8), (Bytes{0x80, 0x00}));
}

TEST_F(DeveloperWindowTest, GoaPacketFromTheFields) {
    testing::internal::CaptureStdout();
    click("pushButton_goa");
    const std::string trace = testing::internal::GetCapturedStdout();
    ASSERT_EQ(board->writes.size(), 2u);
    EXPECT_EQ(board->writes[0].back(), 0x24);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 34);
    EXPECT_NE(trace.find("] [0] FF AA 00 A2 \n[1] 0D EB 00 00 \n"), std::string::npos) << trace;

    setText("lineEdit_9", "-1");
    setText("lineEdit_10", "2147483648");
    setText("lineEdit_11", "1e3");
    click("pushButton_goa");
    const Bytes& packet = board->writes[2];
    EXPECT_EQ(Bytes(packet.begin() + 6, packet.begin() + 18),
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));

    board->writes.clear();
    setText("lineEdit_96", "");
    click("pushButton_goa");
    EXPECT_EQ(messages, QStringList{"Some Timing input fields are empty"});
    EXPECT_TRUE(board->writes.empty());
}

TEST_F(DeveloperWindowTest, ScanPacketFromTheFields) {
    click("pushButton_scan");
    EXPECT_EQ(messages, QStringList{"Some SCAN input fields are empty"});
    EXPECT_TRUE(board->writes.empty());

    fillScanFields(0);
    setText("lineEdit_93", "10000000");
    testing::internal::CaptureStdout();
    click("pushButton_scan");
    const std::string trace = testing::internal::GetCapturedStdout();
    Bytes expected(179, 0x00);
    const Bytes head{0xFF, 0xAA, 0x00, 0xA3, 0x0D, 0xEB};
    std::copy(head.begin(), head.end(), expected.begin());
    expected[175] = 0x98;
    expected[176] = 0x96;
    expected[177] = 0x80;
    expected[178] = 0xAE;
    expectConfiguration(0, expected);
    EXPECT_EQ(trace.rfind("UCHAR value: 174\nHex representation: FF AA 00 A3 0D EB 00 ", 0), 0u) << trace;
}
