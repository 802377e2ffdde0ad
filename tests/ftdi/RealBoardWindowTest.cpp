// The main window's board selector and Open / Close on the real-board backend, over a fake libftdi.
#include "CommandFrames.h"
#include "FakeFtdi.h"
#include "FtdiBackend.h"
#include "MainWindowFixture.h"

#include <QComboBox>

using namespace quorin;
using driver::ftdi::productFt2232h;
using driver::ftdi::productFt232h;
using test::FakeFtdi;

namespace {
class RealBoardWindow : public test::MainWindowFixture {
protected:
    std::unique_ptr<QuorinWidget> createWindow() override {
        driver::installBackend(driver::makeFtdiBackend(FakeFtdi::table()));
        return std::make_unique<QuorinWidget>();
    }

    QStringList selectorItems() const {
        QStringList items;
        auto* selector = find<QComboBox>("comboBox");
        for (int i = 0; selector && i < selector->count(); ++i)
            items << selector->itemText(i);
        return items;
    }
};

class NoBridge : public RealBoardWindow {
protected:
    FakeFtdi fake{{}};
};

class ABoardOnAnFt2232h : public RealBoardWindow {
protected:
    ABoardOnAnFt2232h() {
        const Frame request = parameterRequest();
        fake.answer(Bytes(request.begin(), request.end()), Bytes(256, 0x5A));
    }
    FakeFtdi fake{{{productFt232h, "FT999999", -4}, {productFt2232h, "FT222222"}}};
};
} // namespace

TEST_F(NoBridge, TheSelectorSaysSoAndOpenFails) {
    EXPECT_EQ(selectorItems(), QStringList{" NO Devices "});
    messages.clear(); // the window's own at start
    click("pushButton_5");
    EXPECT_EQ(messages, QStringList{"No Device Connected"});
    EXPECT_EQ(text("pushButton_5"), "Open");
}

TEST_F(ABoardOnAnFt2232h, OpensByTheListedSerialAndCloses) {
    EXPECT_EQ(selectorItems(), QStringList{"FT222222A"});
    messages.clear(); // the window's own at start
    click("pushButton_5");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(text("pushButton_5"), "Close");
    const Frame request = parameterRequest();
    EXPECT_EQ(fake.written(), Bytes(request.begin(), request.end()));

    click("pushButton_5");
    EXPECT_EQ(text("pushButton_5"), "Open");
    EXPECT_EQ(fake.calls(), (std::vector<std::string>{
                                "open FT222222 A", "reset", "flush both", "bitmode 00 00", "bitmode 00 40",
                                "read chunk 16384", "write chunk 65536", "latency 2", "flow 0100",
                                "timeouts 2000 1000", "bitmode 00 00", "close", "free"}));
}
