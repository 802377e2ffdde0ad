#include "Bounds.h"
#include "GreyMapping.h"
#include "Orientation.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "SimulatedBoard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <opencv2/core.hpp>

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
namespace frame = quorin::frame;
using quorin::sim::LightSource;

namespace {

// The acquisition thread on an opened simulated board that answers at once with noise-free frames.
class AcquisitionThread : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        ASSERT_TRUE(QDir().mkdir("Calibration"));
        backend = quorin::sim::installSimulatedBackend();
        board().setUnlimitedPace(true);
        board().setNoiseFree(true);
        ASSERT_EQ(FT_OpenEx(quorin::sim::defaultSerial, FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
    }
    void TearDown() override {
        EXPECT_TRUE(thread.stopAndWait(quorin::bounds::acquisitionStopBound));
        FT_Close(handle);
    }
    quorin::sim::SimulatedBoard& board() { return *backend->board(); }

    // The thread's signals as the window receives them: queued to the main thread. (A QSignalSpy
    // would record on the emitting thread.)
    void listen() {
        QObject::connect(&thread, &Quorin_VideoThread::labelUishow, &receiver,
                         [this](const QImage& image) { pictures.push_back(image); });
        QObject::connect(&thread, &Quorin_VideoThread::setFlag, &receiver, [this] { ++finished; });
        QObject::connect(&thread, &Quorin_VideoThread::boardLost, &receiver, [this] { ++boardLost; });
    }

    // Waits until `count` reaches `target`, at most `bound`.
    template <typename Count>
    static bool waitFor(Count count, std::size_t target, std::chrono::milliseconds bound = 10s) {
        QElapsedTimer timer;
        timer.start();
        while (count() < target && timer.elapsed() < bound.count())
            QTest::qWait(10);
        return count() >= target;
    }
    bool waitForPictures(std::size_t target) {
        return waitFor([this] { return pictures.size(); }, target);
    }
    bool waitForCollections(std::size_t target) {
        return waitFor([this] { return finished; }, target);
    }

    // What the window must show for the board's noise-free frame of this light source.
    QImage expectedPicture(LightSource light, quorin::Orientation orientation = {}) {
        const std::vector<std::uint32_t> samples = board().noiseFreeFrame(light, board().int0Ticks());
        std::vector<std::uint8_t> bytes(frame::frameBytes);
        std::memcpy(bytes.data(), samples.data(), bytes.size()); // both little-endian here
        cv::Mat grey, oriented;
        quorin::buildGreyFrameReference(quorin::RawFrame(bytes.data(), frame::frameBytes),
                                        *thread.levelMaps(), grey);
        quorin::orientFrameReference(grey, orientation, oriented);
        return quorin::presentationImage(oriented);
    }

    QTemporaryDir dir;
    std::shared_ptr<quorin::sim::SimulatedBackend> backend;
    FT_HANDLE handle = nullptr;
    Quorin_VideoThread thread;
    QObject receiver;
    std::vector<QImage> pictures;
    std::size_t finished = 0;
    int boardLost = 0;
};

std::vector<std::uint8_t> blockRequestsIn(const std::vector<quorin::sim::HostWrite>& log) {
    std::vector<std::uint8_t> blocks;
    for (const auto& write : log)
        if (write.bytes.size() == 6 && write.bytes[0] == 0xFF && write.bytes[2] == 0x00 && write.bytes[3] < 4)
            blocks.push_back(write.bytes[3]);
    return blocks;
}

} // namespace

struct DeliveryCase {
    const char* name;
    std::size_t chunk;
    std::size_t strayBytes;
};

class AcquisitionDelivery : public AcquisitionThread, public ::testing::WithParamInterface<DeliveryCase> {};

// Stray handshake bytes and odd chunkings: every shown picture is the scene through the pipeline.
TEST_P(AcquisitionDelivery, PicturesAreTheSceneThroughThePipeline) {
    board().setChunkSize(GetParam().chunk);
    board().injectStrayBytes(GetParam().strayBytes);
    listen();
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitForPictures(2));
    ASSERT_TRUE(thread.stopAndWait(quorin::bounds::acquisitionStopBound));
    const QImage expected = expectedPicture(LightSource::Scene);
    QTest::qWait(50); // pictures still queued
    for (const QImage& picture : pictures)
        EXPECT_TRUE(picture == expected);
    const std::vector<std::uint8_t> requests = blockRequestsIn(board().writeLog());
    ASSERT_GE(requests.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(requests[i], i % 4) << "request " << i;
}

INSTANTIATE_TEST_SUITE_P(Deliveries, AcquisitionDelivery,
                         ::testing::Values(DeliveryCase{"whole", 0, 0},
                                           DeliveryCase{"chunks_of_4093", 4093, 0},
                                           DeliveryCase{"stray_handshake_bytes", 0, 37}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AcquisitionThread, UnplugEndsTheLoopWithNoFurtherPicture) {
    listen();
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitForPictures(1));
    board().unplug();
    ASSERT_TRUE(thread.wait(3000));
    EXPECT_FALSE(acquisitionRunning.load());
    QTest::qWait(50); // pictures still queued
    const std::size_t shown = pictures.size();
    QTest::qWait(100);
    EXPECT_EQ(pictures.size(), shown);
    EXPECT_LE(shown, 2u); // at most the frame that was already complete
    EXPECT_EQ(boardLost, 1);
}

TEST_F(AcquisitionThread, StalledBoardStopsWithinASecond) {
    listen();
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitForPictures(1));
    board().setStalled(true);
    board().clearWriteLog();
    QTest::qWait(1500); // longer than the silence bound: the frame is requested again meanwhile
    const std::vector<std::uint8_t> requests = blockRequestsIn(board().writeLog());
    EXPECT_NE(std::find(requests.begin(), requests.end(), 0), requests.end());
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(thread.stopAndWait(quorin::bounds::acquisitionStopBound));
    EXPECT_LT(timer.elapsed(), 1000);
    QTest::qWait(50);
    EXPECT_EQ(boardLost, 0) << "a stalled board is not a lost one";
}

TEST_F(AcquisitionThread, DarkThenFullLightCollectionsWriteTheFilesAndFlattenThePicture) {
    listen();
    board().setNoiseFree(false);
    board().setLightSource(LightSource::Dark);
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitForPictures(1));
    thread.isGetMin.store(true, std::memory_order_release);
    ASSERT_TRUE(waitForCollections(1));
    EXPECT_FALSE(thread.isGetMin.load());
    board().setLightSource(LightSource::FullLight);
    QTest::qWait(100); // let the frame that was already lit by the dark source pass
    thread.isGetMax.store(true, std::memory_order_release);
    ASSERT_TRUE(waitForCollections(2));
    for (const char* file : {"Calibration/OFF_calibration.csv", "Calibration/OFF_Current_calibration.csv",
                             "Calibration/ON_calibration.csv", "Calibration/ON_Current_calibration.csv"})
        EXPECT_TRUE(QFile::exists(file)) << file;

    // Full light now maps every pixel to about the same grey, whatever its offset and gain.
    ASSERT_TRUE(waitForPictures(pictures.size() + 2));
    // Read pixel by pixel: a whole-image conversion would run on Qt's thread pool, whose locking
    // ThreadSanitizer cannot see inside the uninstrumented library.
    const QImage& picture = pictures.back();
    cv::Mat grey(730, 730, CV_8UC1);
    for (int y = 0; y < grey.rows; ++y)
        for (int x = 0; x < grey.cols; ++x)
            grey.at<std::uint8_t>(y, x) = static_cast<std::uint8_t>(qGray(picture.pixel(x + 10, y + 10)));
    cv::Scalar mean, deviation;
    cv::meanStdDev(grey, mean, deviation);
    EXPECT_LT(deviation[0], 2.0) << "mean " << mean[0];
    EXPECT_GT(mean[0], 150.0);
}
