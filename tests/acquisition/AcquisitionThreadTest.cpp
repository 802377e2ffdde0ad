#include "Bounds.h"
#include "GreyMapping.h"
#include "Orientation.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "SimulatedBoard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
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

    // Waits until `spy` has seen `count` signals, at most `bound`.
    static bool waitFor(QSignalSpy& spy, int count, std::chrono::milliseconds bound = 10s) {
        QElapsedTimer timer;
        timer.start();
        while (spy.count() < count && timer.elapsed() < bound.count())
            spy.wait(50);
        return spy.count() >= count;
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
    QSignalSpy pictures(&thread, &Quorin_VideoThread::labelUishow);
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitFor(pictures, 2));
    ASSERT_TRUE(thread.stopAndWait(quorin::bounds::acquisitionStopBound));
    const QImage expected = expectedPicture(LightSource::Scene);
    for (const auto& arguments : pictures)
        EXPECT_TRUE(arguments.at(0).value<QImage>() == expected);
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
    QSignalSpy pictures(&thread, &Quorin_VideoThread::labelUishow);
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitFor(pictures, 1));
    board().unplug();
    ASSERT_TRUE(thread.wait(3000));
    EXPECT_FALSE(acquisitionRunning.load());
    const int shown = pictures.count();
    QTest::qWait(100);
    EXPECT_EQ(pictures.count(), shown);
    EXPECT_LE(shown, 2); // at most the frame that was already complete
}

TEST_F(AcquisitionThread, StalledBoardStopsWithinASecond) {
    QSignalSpy pictures(&thread, &Quorin_VideoThread::labelUishow);
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitFor(pictures, 1));
    board().setStalled(true);
    board().clearWriteLog();
    QTest::qWait(1500); // longer than the silence bound: the frame is requested again meanwhile
    const std::vector<std::uint8_t> requests = blockRequestsIn(board().writeLog());
    EXPECT_NE(std::find(requests.begin(), requests.end(), 0), requests.end());
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(thread.stopAndWait(quorin::bounds::acquisitionStopBound));
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST_F(AcquisitionThread, DarkThenFullLightCollectionsWriteTheFilesAndFlattenThePicture) {
    QSignalSpy done(&thread, &Quorin_VideoThread::setFlag);
    QSignalSpy pictures(&thread, &Quorin_VideoThread::labelUishow);
    board().setNoiseFree(false);
    board().setLightSource(LightSource::Dark);
    thread.startAcquisition(handle, FT_OK);
    ASSERT_TRUE(waitFor(pictures, 1));
    thread.isGetMin.store(true, std::memory_order_release);
    ASSERT_TRUE(waitFor(done, 1));
    EXPECT_FALSE(thread.isGetMin.load());
    board().setLightSource(LightSource::FullLight);
    QTest::qWait(100); // let the frame that was already lit by the dark source pass
    thread.isGetMax.store(true, std::memory_order_release);
    ASSERT_TRUE(waitFor(done, 2));
    for (const char* file : {"Calibration/OFF_calibration.csv", "Calibration/OFF_Current_calibration.csv",
                             "Calibration/ON_calibration.csv", "Calibration/ON_Current_calibration.csv"})
        EXPECT_TRUE(QFile::exists(file)) << file;

    // Full light now maps every pixel to about the same grey, whatever its offset and gain.
    const int seen = pictures.count();
    ASSERT_TRUE(waitFor(pictures, seen + 2));
    const QImage picture = pictures.last().at(0).value<QImage>().convertToFormat(QImage::Format_Grayscale8);
    const cv::Mat grey(picture.height(), picture.width(), CV_8UC1, const_cast<uchar*>(picture.constBits()),
                       static_cast<std::size_t>(picture.bytesPerLine()));
    cv::Scalar mean, deviation;
    cv::meanStdDev(grey(cv::Rect(10, 10, 730, 730)), mean, deviation);
    EXPECT_LT(deviation[0], 4.0) << "mean " << mean[0];
    EXPECT_GT(mean[0], 150.0);
}
