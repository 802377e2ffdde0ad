// Leaving the program with a capture running: the loop is stopped before anything it uses is destroyed.
#include "MainWindowFixture.h"

#include "ProcessState.h"
#include "Station.h"

#include <QTest>

using quorin::test::MainWindowFixture;

class Station : public MainWindowFixture {};

TEST_F(Station, ClosingWithACaptureRunningStopsTheLoopAndReleasesTheWindow) {
    openBoard();
    click("pushButton_2");
    ASSERT_TRUE(captureRunning);
    QTRY_VERIFY_WITH_TIMEOUT(board().framesSynthesised() > 0, 5000);

    window->close();
    EXPECT_TRUE(quorin::closeStation(std::move(window)));
    EXPECT_EQ(developerWindow, nullptr);
    EXPECT_FALSE(acquisitionRunning.load());
    // The loop is gone: the board is asked for no further block.
    const std::size_t frames = board().framesSynthesised();
    QTest::qWait(100);
    EXPECT_EQ(board().framesSynthesised(), frames);
}
