// The recording hooks of the acquisition loop, driven directly: data buffering and export, the
// numbering of pictures and video frames, and what the window hears of it.
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/videoio.hpp>

#include <gtest/gtest.h>

namespace quorin {
namespace {

using RawBytes = std::vector<std::uint8_t>;

RawBytes rawFrame(std::uint32_t sample) {
    RawBytes frame(frame::frameBytes);
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        for (std::size_t b = 0; b < frame::sampleBytes; ++b)
            frame[p * frame::sampleBytes + b] = static_cast<std::uint8_t>(sample >> (8 * b));
    return frame;
}

std::string readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

struct VideoFile {
    int frames = 0;
    cv::Size size;
};
VideoFile readVideo(const QString& path) {
    VideoFile video;
    if (!QFile::exists(path))
        return video;
    cv::VideoCapture capture(path.toStdString());
    cv::Mat frame;
    while (capture.read(frame)) {
        ++video.frames;
        video.size = frame.size();
    }
    return video;
}

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        RunningDataManager::instance()->setSaveName(QStringLiteral("probe"));
        RunningDataManager::instance()->setSaveProgress(0);
        recorder().setSavePath(dir.path().toUtf8());
    }

    Recorder& recorder() { return thread.recorder(); }
    QString output(const QString& name) const { return dir.filePath(name); }

    void recordRaw(const RawBytes& frame) {
        recorder().recordRawFrame(RawFrame(frame.data(), frame::frameBytes));
    }

    QTemporaryDir dir;
    Quorin_VideoThread thread;
    QSignalSpy progress{&thread, &Quorin_VideoThread::saveDialog};
};

TEST_F(RecorderTest, DataBuffersNFramesThenExportsThem) {
    thread.saveNumber = 3;
    thread.isSaveData = true;
    std::vector<int> seen;
    const std::vector<RawBytes> raw{rawFrame(5000), rawFrame(4095), rawFrame(0x12345)};
    for (const RawBytes& frame : raw) {
        EXPECT_FALSE(QFile::exists(output("probe_3_Frames.csv")));
        recordRaw(frame);
        seen.push_back(RunningDataManager::instance()->saveProgress());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, -100}));
    EXPECT_EQ(progress.count(), 4); // one per buffered frame and one after the export
    EXPECT_FALSE(thread.isSaveData);

    std::vector<SavedFrame> frames;
    for (const RawBytes& frame : raw)
        frames.emplace_back(RawFrame(frame.data(), frame::frameBytes));
    ASSERT_EQ(writeCurrentValueFileReference("expected.csv", frames, 25, 180), FileWrite::Written);
    ASSERT_EQ(writeRawSampleFileReference("expected_raw.csv", frames), FileWrite::Written);
    EXPECT_TRUE(readAll(output("probe_3_Frames.csv")) == readAll("expected.csv"));
    EXPECT_TRUE(readAll(output("probe_3_Frames_raw data.csv")) == readAll("expected_raw.csv"));
    EXPECT_EQ(recorder().lastExport().serial, 1);
    EXPECT_TRUE(recorder().lastExport().unwritten.isEmpty());
}

// A confirmation during a recording may lower N below what is buffered: the next frame exports.
TEST_F(RecorderTest, LoweredNumberEndsTheRecording) {
    thread.saveNumber = 5;
    thread.isSaveData = true;
    recordRaw(rawFrame(5000));
    recordRaw(rawFrame(5000));
    thread.saveNumber = 1;
    recordRaw(rawFrame(5000));
    EXPECT_EQ(RunningDataManager::instance()->saveProgress(), -100);
    EXPECT_TRUE(QFile::exists(output("probe_1_Frames.csv")));
    EXPECT_FALSE(thread.isSaveData);
}

TEST_F(RecorderTest, UnwritableDirectoryIsReportedNotHidden) {
    QFile plain(output("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    recorder().setSavePath(output("plain").toUtf8());
    thread.saveNumber = 1;
    thread.isSaveData = true;
    testing::internal::CaptureStdout();
    recordRaw(rawFrame(5000));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "open failed\nopen failed\n");
    EXPECT_EQ(recorder().lastExport().unwritten,
              (QStringList{output("plain/probe_1_Frames.csv"), output("plain/probe_1_Frames_raw data.csv")}));
    EXPECT_EQ(RunningDataManager::instance()->saveProgress(), -100);
}

cv::Mat greyFrame(int level) {
    return cv::Mat(frame::side, frame::side, CV_8UC1, cv::Scalar(level));
}

struct OutputCase {
    bool pictures;
    bool video;
    const char* message;
};

TEST_F(RecorderTest, PicturesAndVideoCountTheirOwnFrames) {
    const OutputCase cases[] = {{true, false, "picture saved successfully.\n"},
                                {false, true, "video saved successfully.\n"},
                                {true, true, "video saved successfully.\n"}};
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(std::string(c.pictures ? "pictures " : "") + (c.video ? "video" : ""));
        QDir(output("probepic")).removeRecursively();
        QFile::remove(output("probe_output_video.mp4"));
        thread.saveNumber = 3;
        thread.isSavePicture = c.pictures;
        thread.isSaveVideo = c.video;
        testing::internal::CaptureStdout();
        for (int k = 1; k <= 3; ++k)
            recorder().recordOrientedFrame(greyFrame(40 * k));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message);
        EXPECT_FALSE(thread.isSavePicture);
        EXPECT_FALSE(thread.isSaveVideo);

        for (int k = 1; k <= 3; ++k) {
            const QString file = output("probepic/probe_%1.png").arg(k);
            if (!c.pictures) {
                EXPECT_FALSE(QFile::exists(file));
                continue;
            }
            const cv::Mat picture = cv::imread(file.toStdString(), cv::IMREAD_UNCHANGED);
            ASSERT_EQ(picture.type(), CV_8UC1);
            EXPECT_EQ(picture.size(), cv::Size(256, 256));
            EXPECT_EQ(picture.at<std::uint8_t>(0, 0), 40 * k) << "picture " << k;
        }
        const VideoFile video = readVideo(output("probe_output_video.mp4"));
        EXPECT_EQ(video.frames, c.video ? 3 : 0);
        if (c.video) {
            EXPECT_EQ(video.size, cv::Size(256, 256));
        }
    }
}

// An output that could not be written is not announced as saved; the operator hears of it once.
TEST_F(RecorderTest, LostPicturesAndVideoAreReportedNotAnnounced) {
    ASSERT_TRUE(QDir().mkpath(output("probepic/probe_2.png/kept")));
    ASSERT_TRUE(QDir().mkpath(output("probe_output_video.mp4/kept")));
    const QString lostPicture = QStringLiteral("Cannot write 1 of 2 pictures to ") + output("probepic");
    const QString lostVideo = QStringLiteral("Cannot write ") + output("probe_output_video.mp4");
    struct LostCase {
        bool pictures;
        bool video;
        QStringList lost;
    };
    const LostCase cases[] = {
        {true, false, {lostPicture}}, {false, true, {lostVideo}}, {true, true, {lostPicture, lostVideo}}};
    for (const LostCase& c : cases) {
        SCOPED_TRACE(std::string(c.pictures ? "pictures " : "") + (c.video ? "video" : ""));
        QSignalSpy lost(&thread, &Quorin_VideoThread::recordingLost);
        thread.saveNumber = 2;
        thread.isSavePicture = c.pictures;
        thread.isSaveVideo = c.video;
        testing::internal::CaptureStdout();
        recorder().recordOrientedFrame(greyFrame(10));
        recorder().recordOrientedFrame(greyFrame(20));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(lost.count(), c.lost.size());
        EXPECT_EQ(recorder().takeLostOutputs(), c.lost);
        EXPECT_TRUE(recorder().takeLostOutputs().isEmpty());
        EXPECT_EQ(QFile::exists(output("probepic/probe_1.png")), c.pictures);
        QFile::remove(output("probepic/probe_1.png"));
    }
}

TEST_F(RecorderTest, OneFrameVideoReadsBack) {
    thread.saveNumber = 1;
    thread.isSaveVideo = true;
    recorder().recordOrientedFrame(greyFrame(200));
    const VideoFile video = readVideo(output("probe_output_video.mp4"));
    EXPECT_EQ(video.frames, 1);
    EXPECT_EQ(video.size, cv::Size(256, 256));
}

// A new capture numbers pictures from 1 again and replaces them.
TEST_F(RecorderTest, NewCaptureNumbersFromOneAgain) {
    thread.saveNumber = 3;
    thread.isSavePicture = true;
    recorder().recordOrientedFrame(greyFrame(10));
    recorder().recordOrientedFrame(greyFrame(20));
    recorder().runStarted();
    recorder().recordOrientedFrame(greyFrame(30));
    EXPECT_EQ(
        cv::imread(output("probepic/probe_1.png").toStdString(), cv::IMREAD_UNCHANGED).at<std::uint8_t>(0, 0),
        30);
    EXPECT_FALSE(QFile::exists(output("probepic/probe_3.png")));
    EXPECT_TRUE(thread.isSavePicture);
}

} // namespace
} // namespace quorin
