// Listing boards and opening/closing them against the simulated board, seen from the operator's side,
// from the driver calls and from what the board received.
#include "MainWindowFixture.h"

#include "CommandFrames.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"

#include <QComboBox>
#include <QTest>

#include <mutex>

using quorin::test::MainWindowFixture;

namespace {

const QString noDevice = QStringLiteral("No Device Connected");

// Forwards every call to the simulated backend and notes its name and arguments, in order.
class RecordingBackend final : public quorin::driver::Backend {
public:
    explicit RecordingBackend(std::shared_ptr<quorin::driver::Backend> inner) : inner_(std::move(inner)) {}

    std::vector<std::string> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

    FT_STATUS createDeviceInfoList(DWORD* count) override {
        return note("list", inner_->createDeviceInfoList(count));
    }
    FT_STATUS getDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* count) override {
        return note("nodes", inner_->getDeviceInfoList(list, count));
    }
    FT_STATUS openEx(const void* arg, DWORD flags, FT_HANDLE* handle) override {
        return note("open " + std::string(static_cast<const char*>(arg)) + " " + std::to_string(flags),
                    inner_->openEx(arg, flags, handle));
    }
    FT_STATUS resetDevice(FT_HANDLE h) override { return note("reset", inner_->resetDevice(h)); }
    FT_STATUS purge(FT_HANDLE h, DWORD mask) override {
        return note("purge " + std::to_string(mask), inner_->purge(h, mask));
    }
    FT_STATUS setBitMode(FT_HANDLE h, UCHAR mask, UCHAR mode) override {
        return note("bitmode " + std::to_string(mask) + " " + std::to_string(mode),
                    inner_->setBitMode(h, mask, mode));
    }
    FT_STATUS setUSBParameters(FT_HANDLE h, DWORD in, DWORD out) override {
        return note("usb " + std::to_string(in) + " " + std::to_string(out),
                    inner_->setUSBParameters(h, in, out));
    }
    FT_STATUS setFlowControl(FT_HANDLE h, USHORT flow, UCHAR xon, UCHAR xoff) override {
        return note("flow " + std::to_string(flow) + " " + std::to_string(xon) + " " + std::to_string(xoff),
                    inner_->setFlowControl(h, flow, xon, xoff));
    }
    FT_STATUS setTimeouts(FT_HANDLE h, DWORD readMs, DWORD writeMs) override {
        return note("timeouts " + std::to_string(readMs) + " " + std::to_string(writeMs),
                    inner_->setTimeouts(h, readMs, writeMs));
    }
    FT_STATUS write(FT_HANDLE h, const void* buffer, DWORD length, DWORD* written) override {
        return note("write " + std::to_string(length), inner_->write(h, buffer, length, written));
    }
    FT_STATUS getStatus(FT_HANDLE h, DWORD* rx, DWORD* tx, DWORD* events) override {
        return note("status", inner_->getStatus(h, rx, tx, events));
    }
    FT_STATUS read(FT_HANDLE h, void* buffer, DWORD length, DWORD* returned) override {
        return note("read " + std::to_string(length), inner_->read(h, buffer, length, returned));
    }
    FT_STATUS close(FT_HANDLE h) override { return note("close", inner_->close(h)); }

private:
    FT_STATUS note(std::string call, FT_STATUS status) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
        return status;
    }

    std::shared_ptr<quorin::driver::Backend> inner_;
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

std::vector<std::uint8_t> bytesOf(const quorin::Frame& frame) {
    return {frame.begin(), frame.end()};
}

std::vector<std::vector<std::uint8_t>> writes(const quorin::sim::SimulatedBoard& board) {
    std::vector<std::vector<std::uint8_t>> bytes;
    for (const auto& write : board.writeLog())
        bytes.push_back(write.bytes);
    return bytes;
}

class BoardConnection : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        recorder = std::make_shared<RecordingBackend>(backend);
        quorin::driver::installBackend(recorder);
        messages.clear(); // start-up messages (the settings file) are not this suite's concern
    }

    void pressOpenClose() { click("pushButton_5"); }

    std::shared_ptr<RecordingBackend> recorder;
};

} // namespace

TEST_F(BoardConnection, OpenConfiguresTheBridgeAndProvesTheBoardWithTheParameterRequest) {
    testing::internal::CaptureStdout();
    pressOpenClose();
    const std::string console = testing::internal::GetCapturedStdout();

    EXPECT_EQ(text("pushButton_5"), "Close");
    EXPECT_TRUE(deviceOpen);
    EXPECT_TRUE(board().isOpen());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(console, "snid:QS2024A001\n0\nsnid:0\n");

    const std::vector<std::string> calls = recorder->calls();
    const std::vector<std::string> configuration{"open QS2024A001 1",  "reset",           "purge 3",
                                                 "bitmode 0 64",       "usb 65536 65536", "flow 256 0 0",
                                                 "timeouts 2000 1000", "write 6",         "status"};
    ASSERT_GE(calls.size(), configuration.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + configuration.size()), configuration);
    EXPECT_EQ(writes(board()), (std::vector<std::vector<std::uint8_t>>{bytesOf(quorin::parameterRequest())}));
    // Every read asks for what the status reported, and never more than the 256-byte reply buffer.
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (calls[i].rfind("read", 0) == 0) {
            EXPECT_EQ(calls[i - 1], "status");
            EXPECT_LE(std::stoul(calls[i].substr(5)), 256u);
        }
}

TEST_F(BoardConnection, CloseThenOpenAgainRepeatsTheWholeHandshake) {
    pressOpenClose();
    ASSERT_EQ(text("pushButton_5"), "Close");
    pressOpenClose();
    EXPECT_EQ(text("pushButton_5"), "Open");
    EXPECT_FALSE(deviceOpen);
    EXPECT_FALSE(board().isOpen());

    pressOpenClose();
    EXPECT_EQ(text("pushButton_5"), "Close");
    EXPECT_EQ(writes(board()), (std::vector<std::vector<std::uint8_t>>{bytesOf(quorin::parameterRequest()),
                                                                       bytesOf(quorin::parameterRequest())}));
    const auto calls = recorder->calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "bitmode 0 64"), 2);
}

TEST_F(BoardConnection, SilentBoardIsClosedAgainAndReportedMissing) {
    board().setStalled(true);
    pressOpenClose();
    EXPECT_EQ(messages, QStringList{noDevice});
    EXPECT_EQ(text("pushButton_5"), "Open");
    EXPECT_FALSE(deviceOpen);
    EXPECT_FALSE(board().isOpen());

    const auto calls = recorder->calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "status"), 10);
    EXPECT_EQ(calls.back(), "close");
}

TEST_F(BoardConnection, UnpluggedBoardCannotBeOpened) {
    board().unplug();
    pressOpenClose();
    EXPECT_EQ(messages, QStringList{noDevice});
    EXPECT_EQ(text("pushButton_5"), "Open");
    EXPECT_FALSE(deviceOpen);
    const auto calls = recorder->calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "reset"), 0) << "no configuration after a failed open";
}

// Closing under a running capture must stop the loop first: the handle never dies under a driver call.
TEST_F(BoardConnection, CloseDuringCaptureStopsTheLoopBeforeClosingTheHandle) {
    pressOpenClose();
    ASSERT_EQ(text("pushButton_5"), "Close");
    click("pushButton_2");
    ASSERT_TRUE(captureRunning);
    QTRY_VERIFY_WITH_TIMEOUT(board().framesSynthesised() > 0, 5000);

    pressOpenClose();
    EXPECT_EQ(text("pushButton_5"), "Open");
    EXPECT_FALSE(deviceOpen);
    EXPECT_FALSE(captureRunning);
    EXPECT_FALSE(window->acquisitionThread()->isRunning());
    EXPECT_EQ(text("label_Running"), "   Stop");
    EXPECT_EQ(text("pushButton_2"), "Capture");
    EXPECT_FALSE(board().isOpen());

    const auto calls = recorder->calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.back(), "close") << "no driver call after the handle is closed";
    EXPECT_EQ(calls[calls.size() - 2], "write 6") << "the apply command goes out before the close";
    EXPECT_EQ(writes(board()).back(), bytesOf(quorin::applyCommand()));
}

namespace {

struct Attached {
    std::vector<std::string> serials;
    QStringList items;
};

class BoardList : public MainWindowFixture, public ::testing::WithParamInterface<Attached> {
protected:
    std::vector<std::string> boardSerials() const override { return GetParam().serials; }
};

} // namespace

TEST_P(BoardList, SelectorListsSerialsInDriverOrderAndOpensTheSelectedOne) {
    auto* selector = find<QComboBox>("comboBox");
    ASSERT_NE(selector, nullptr);
    messages.clear();
    QStringList items;
    for (int i = 0; i < selector->count(); ++i)
        items << selector->itemText(i);
    EXPECT_EQ(items, GetParam().items);
    EXPECT_EQ(selector->currentIndex(), 0);

    selector->setCurrentIndex(selector->count() - 1);
    click("pushButton_5");
    if (GetParam().serials.empty()) {
        EXPECT_EQ(messages, QStringList{noDevice});
        EXPECT_EQ(text("pushButton_5"), "Open");
        EXPECT_FALSE(deviceOpen);
        return;
    }
    EXPECT_EQ(text("pushButton_5"), "Close");
    for (std::size_t i = 0; i < backend->boardCount(); ++i)
        EXPECT_EQ(board(i).isOpen(), i + 1 == backend->boardCount()) << "board " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Boards, BoardList,
    ::testing::Values(Attached{{}, {" NO Devices "}}, Attached{{"QS2024A001"}, {"QS2024A001"}},
                      Attached{{"QS2024A001", "QS2024B017"}, {"QS2024A001", "QS2024B017"}}),
    [](const auto& info) { return std::to_string(info.param.serials.size()) + "Boards"; });
