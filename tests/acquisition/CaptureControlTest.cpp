#include "MainWindowFixture.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using quorin::test::MainWindowFixture;

// How many slots the signal reaches (QObject::receivers is protected; a pointer to the inherited
// member reaches it legally).
struct ReceiverCount : QObject {
    static int of(const QObject* sender, const char* signal) {
        return (sender->*(&ReceiverCount::receivers))(signal);
    }
};

int applyCommands(const std::vector<quorin::sim::HostWrite>& log) {
    const std::vector<std::uint8_t> apply{0xFF, 0xAA, 0x01, 0x00, 0x0D, 0xEB};
    return static_cast<int>(
        std::count_if(log.begin(), log.end(), [&](const auto& w) { return w.bytes == apply; }));
}

class CaptureControl : public MainWindowFixture {
protected:
    Quorin_VideoThread* thread() const { return window->acquisitionThread(); }
    QPushButton* captureButton() const { return find<QPushButton>(QStringLiteral("pushButton_2")); }
    // Clicks the capture button once its lock has passed.
    void clickCapture() {
        EXPECT_TRUE(waitUntil([this] { return captureButton()->isEnabled(); }, 3000));
        click(QStringLiteral("pushButton_2"));
    }
    static bool waitForPicture() {
        lastImage = QImage();
        return waitUntil([] { return !lastImage.isNull(); }, 5000);
    }
    template <typename Condition> static bool waitUntil(Condition condition, int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < milliseconds)
            QTest::qWait(10);
        return condition();
    }
};

} // namespace

TEST_F(CaptureControl, WithoutBoardOnlyTellsTheOperator) {
    const QStringList before = messages;
    click(QStringLiteral("pushButton_2"));
    EXPECT_EQ(messages, before + QStringList{QStringLiteral("No Device Connected")});
    EXPECT_EQ(text(QStringLiteral("pushButton_2")), QStringLiteral("Capture"));
    EXPECT_FALSE(thread()->isRunning());
}

TEST_F(CaptureControl, StartAndStopSwitchIndicatorAndSendOneApplyCommand) {
    openBoard();
    board().clearWriteLog();
    click(QStringLiteral("pushButton_2"));
    EXPECT_EQ(text(QStringLiteral("label_Running")), QStringLiteral("Running"));
    EXPECT_EQ(text(QStringLiteral("pushButton_2")), QStringLiteral("Stop"));
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("isRunning"))
                    ->styleSheet()
                    .contains(QStringLiteral("tip_running.png")));
    EXPECT_TRUE(captureRunning);
    EXPECT_TRUE(RunningDataManager::instance()->sharedVariable());
    EXPECT_FALSE(captureButton()->isEnabled()); // a second click within the second cannot arrive
    ASSERT_TRUE(waitForPicture());
    EXPECT_EQ(find<QLabel>(QStringLiteral("label"))->pixmap(Qt::ReturnByValue).size(),
              QSize(displaySize, displaySize));
    EXPECT_EQ(lastImage.size(), QSize(750, 750));

    clickCapture();
    EXPECT_FALSE(thread()->isRunning());
    EXPECT_EQ(text(QStringLiteral("label_Running")), QStringLiteral("   Stop"));
    EXPECT_EQ(text(QStringLiteral("pushButton_2")), QStringLiteral("Capture"));
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("isRunning"))
                    ->styleSheet()
                    .contains(QStringLiteral("tip_stop.png")));
    EXPECT_FALSE(captureRunning);
    EXPECT_FALSE(RunningDataManager::instance()->sharedVariable());
    const auto log = board().writeLog();
    EXPECT_EQ(applyCommands(log), 1);
    EXPECT_EQ(log.back().bytes, (std::vector<std::uint8_t>{0xFF, 0xAA, 0x01, 0x00, 0x0D, 0xEB}))
        << "the loop wrote after the apply command";

    // Pictures still queued after the stop are ignored.
    const QImage shown = lastImage;
    window->showuilabel(QImage(750, 750, QImage::Format_RGB32));
    EXPECT_EQ(lastImage.cacheKey(), shown.cacheKey());
}

TEST_F(CaptureControl, RestartedCaptureDeliversEachPictureOnce) {
    openBoard();
    for (int run = 0; run < 2; ++run) {
        clickCapture();
        ASSERT_TRUE(waitForPicture());
        clickCapture();
    }
    clickCapture();
    ASSERT_TRUE(waitForPicture());
    EXPECT_EQ(ReceiverCount::of(thread(), SIGNAL(labelUishow(QImage))), 1);
    EXPECT_EQ(ReceiverCount::of(thread(), SIGNAL(savepic(QImage))), 1);
}

TEST_F(CaptureControl, ClosingTheBoardStopsTheCaptureFirst) {
    openBoard();
    clickCapture();
    ASSERT_TRUE(waitForPicture());
    click(QStringLiteral("pushButton_5"));
    EXPECT_EQ(text(QStringLiteral("pushButton_5")), QStringLiteral("Open"));
    EXPECT_FALSE(thread()->isRunning());
    EXPECT_FALSE(captureRunning);
    EXPECT_EQ(text(QStringLiteral("pushButton_2")), QStringLiteral("Capture"));
}

TEST_F(CaptureControl, StalledBoardStillStopsAtOnce) {
    openBoard();
    clickCapture();
    ASSERT_TRUE(waitForPicture());
    board().setStalled(true);
    QTest::qWait(200);
    QElapsedTimer timer;
    timer.start();
    clickCapture();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(thread()->isRunning());
}

TEST_F(CaptureControl, RotateAndMirrorCycle) {
    auto* state = RunningDataManager::instance();
    for (int expected : {90, 180, 270, 0}) {
        click(QStringLiteral("pushButton_rotate"));
        EXPECT_EQ(state->rotationAngle(), expected);
    }
    click(QStringLiteral("pushButton_mirror"));
    EXPECT_EQ(state->mirrorOn(), 1);
    click(QStringLiteral("pushButton_mirror"));
    EXPECT_EQ(state->mirrorOn(), 0);
}
