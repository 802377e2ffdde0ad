// The two data files: layout byte for byte, the fast writers against their references, failures.
#include "DataExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quorin {
namespace {

using RawBytes = std::vector<std::uint8_t>;

void putSample(RawBytes& frame, std::size_t pixel, std::uint32_t value) {
    for (std::size_t b = 0; b < frame::sampleBytes; ++b)
        frame[pixel * frame::sampleBytes + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

// Zero signal everywhere but a few pixels that exercise the value texts.
RawBytes fixtureFrame() {
    RawBytes frame(frame::frameBytes);
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        putSample(frame, p, frame::zeroSignal);
    putSample(frame, 0, 5000);
    putSample(frame, 1, 4095);
    putSample(frame, 2, 0);
    putSample(frame, 255, frame::fullScale);
    putSample(frame, 65535, 0xFFFFFFFFu); // beyond 20 bits: written as it came
    return frame;
}

SavedFrame saved(const RawBytes& raw) {
    return SavedFrame(std::span<const std::uint8_t, frame::frameBytes>(raw.data(), frame::frameBytes));
}

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

std::string readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

class DataExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    QTemporaryDir dir;
};

TEST_F(DataExportTest, OneFrameByteForByte) {
    const std::vector<SavedFrame> frames{saved(fixtureFrame())};
    ASSERT_EQ(writeCurrentValueFile("current.csv", frames, 25, 180), FileWrite::Written);
    ASSERT_EQ(writeRawSampleFile("raw.csv", frames), FileWrite::Written);

    const std::string zeroLine = repeat("0,", 256) + "\n";
    EXPECT_EQ(readAll("current.csv"), "0.119739,0,0," + repeat("0,", 252) + "138.346,\n" +
                                          repeat(zeroLine, 254) + repeat("0,", 255) + "568888,\n" +
                                          "Frame 0\n\n\n");
    const std::string zeroSignalLine = repeat("4096,", 256) + "\n";
    EXPECT_EQ(readAll("raw.csv"), "5000,4095,0," + repeat("4096,", 252) + "1048575,\n" +
                                      repeat(zeroSignalLine, 254) + repeat("4096,", 255) + "4294967295,\n" +
                                      "0\n\n\n");
}

TEST_F(DataExportTest, FastFilesEqualTheReferenceFiles) {
    // 20-bit codes, then a frame with some wider samples as a board fault could bring.
    std::mt19937 random(7);
    std::vector<SavedFrame> frames;
    for (int f = 0; f < 3; ++f) {
        RawBytes raw(frame::frameBytes);
        for (std::size_t p = 0; p < frame::pixelCount; ++p)
            putSample(raw, p, f == 2 && p % 97 == 0 ? random() : random() % (frame::fullScale + 1));
        frames.push_back(saved(raw));
    }
    std::vector<std::size_t> announced;
    for (auto [rangeFactor, int0Time] : {std::pair{25, 180}, std::pair{4, 125}}) {
        ASSERT_EQ(writeCurrentValueFile("fast.csv", frames, rangeFactor, int0Time), FileWrite::Written);
        ASSERT_EQ(writeCurrentValueFileReference("reference.csv", frames, rangeFactor, int0Time),
                  FileWrite::Written);
        EXPECT_TRUE(readAll("fast.csv") == readAll("reference.csv")) << rangeFactor << " " << int0Time;
    }
    ASSERT_EQ(writeRawSampleFile("fast_raw.csv", frames, [&](std::size_t i) { announced.push_back(i); }),
              FileWrite::Written);
    ASSERT_EQ(writeRawSampleFileReference("reference_raw.csv", frames), FileWrite::Written);
    EXPECT_TRUE(readAll("fast_raw.csv") == readAll("reference_raw.csv"));
    EXPECT_EQ(announced, (std::vector<std::size_t>{0, 1, 2}));
}

// A failure is told apart from success: a file that cannot be created, and a full disk.
TEST_F(DataExportTest, FailuresAreReported) {
    ASSERT_TRUE(QFile::link("/dev/full", "full.csv"));
    QFile plain("plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const std::vector<SavedFrame> frames(3, saved(fixtureFrame())); // the formatting helper must stop too
    const struct {
        const char* path;
        FileWrite expected;
    } cases[] = {{"plain/under_a_file.csv", FileWrite::OpenFailed}, {"full.csv", FileWrite::WriteFailed}};
    for (const auto& c : cases) {
        EXPECT_EQ(writeCurrentValueFile(c.path, frames, 25, 180), c.expected) << c.path;
        EXPECT_EQ(writeRawSampleFile(c.path, frames), c.expected) << c.path;
    }
}

// Frames of 24-bit samples are held in three bytes a sample, wider ones as they came.
TEST(SavedFrameTest, KeepsEverySample) {
    const struct {
        std::uint32_t widest;
        std::size_t held;
    } cases[] = {{frame::fullScale, 3 * frame::pixelCount},
                 {0xFFFFFF, 3 * frame::pixelCount},
                 {0x1000000, frame::frameBytes},
                 {0xFFFFFFFF, frame::frameBytes}};
    std::mt19937 random(5);
    for (const auto& c : cases) {
        RawBytes raw(frame::frameBytes);
        for (std::size_t p = 0; p < frame::pixelCount; ++p)
            putSample(raw, p, random() % (frame::fullScale + 1));
        putSample(raw, 4711, c.widest);
        const SavedFrame kept = saved(raw);
        EXPECT_EQ(kept.heldBytes(), c.held);
        std::vector<std::uint32_t> samples(frame::pixelCount);
        kept.decode(std::span<std::uint32_t, frame::pixelCount>(samples));
        for (std::size_t p = 0; p < frame::pixelCount; ++p) {
            const std::uint32_t expected = frame::decodeSample(raw.data() + p * frame::sampleBytes);
            ASSERT_EQ(samples[p], expected) << p;
            ASSERT_EQ(kept.sample(p), expected) << p;
        }
    }
}

TEST(DataFilePaths, BuiltFromPathNameAndCount) {
    const DataFilePaths paths = dataFilePaths(QByteArray("/data/run"), QStringLiteral("Probe_ä"), 30);
    EXPECT_EQ(paths.currentValues, QStringLiteral("/data/run/Probe_ä_30_Frames.csv"));
    EXPECT_EQ(paths.rawSamples, QStringLiteral("/data/run/Probe_ä_30_Frames_raw data.csv"));
}

} // namespace
} // namespace quorin
