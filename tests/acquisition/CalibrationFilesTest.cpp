#include "CalibrationFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace frame = quorin::frame;

namespace {

class CalibrationFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        ASSERT_TRUE(QDir().mkdir("Calibration"));
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir dir_;
};

// Means chosen for their text: 5000, 4095, 4097 and a large value, repeated.
std::vector<std::uint32_t> fixtureMeans() {
    std::vector<std::uint32_t> means(frame::pixelCount);
    const std::uint32_t pattern[] = {5000, 4095, 4097, 1048575};
    for (std::size_t p = 0; p < means.size(); ++p)
        means[p] = pattern[p % 4];
    return means;
}

QByteArray expectedFile(const QByteArray& fourValues) {
    QByteArray row;
    for (int i = 0; i < 64; ++i)
        row += fourValues;
    row += '\n';
    return row.repeated(256) + "\n\n";
}

} // namespace

TEST(CurrentValue, ConvertsWithRangeAndIntegrationTime) {
    EXPECT_NEAR(quorin::currentValue(5000, 25, 180), 0.119739, 5e-7);
    EXPECT_NEAR(quorin::currentValue(5000, 4, 180), 0.0191583, 5e-8);
    EXPECT_EQ(quorin::currentValue(4095, 25, 180), 0.0);
    EXPECT_EQ(quorin::currentValue(0, 25, 180), 0.0);
    EXPECT_EQ(quorin::currentValue(4096, 25, 180), 0.0);
}

TEST_F(CalibrationFiles, MeanAndCurrentFilesByteForByte) {
    quorin::writeCalibrationFiles(quorin::Reference::FullOn, fixtureMeans(), 4, 180);
    EXPECT_EQ(read("Calibration/ON_calibration.csv"), expectedFile("5000,4095,4097,1048575,"));
    EXPECT_EQ(read("Calibration/ON_Current_calibration.csv"),
              expectedFile("0.0191583,0,2.11928e-05,22.1354,"));
    EXPECT_FALSE(QFile::exists("Calibration/OFF_calibration.csv"));
}

TEST_F(CalibrationFiles, UnwritableMeanFileStillWritesTheCurrentFile) {
    ASSERT_TRUE(QDir().mkdir("Calibration/OFF_calibration.csv")); // a directory in the file's place
    quorin::writeCalibrationFiles(quorin::Reference::FullOff, fixtureMeans(), 25, 180);
    EXPECT_TRUE(QFile::exists("Calibration/OFF_Current_calibration.csv"));
}

TEST_F(CalibrationFiles, LoadingAWrittenMeanFileGivesTheCollectionLevels) {
    std::vector<std::uint32_t> means(frame::pixelCount);
    std::iota(means.begin(), means.end(), 4000u);
    ASSERT_TRUE(quorin::writeMeanFile("Calibration/ON_calibration.csv", means));
    std::vector<std::uint32_t> map(frame::pixelCount, 7);
    EXPECT_EQ(quorin::loadMeanFile("Calibration/ON_calibration.csv", 1.1, map), 65536);
    for (std::size_t p : {0u, 255u, 256u, 65535u})
        EXPECT_EQ(map[p], quorin::levelFromMean(means[p], 1.1)) << p;
}

struct LoadCase {
    const char* name;
    QByteArray content;
    int count;                            // entries set
    std::vector<std::uint32_t> firstFour; // map after loading with factor 1
};

class MeanFileLoading : public CalibrationFiles, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(MeanFileLoading, SkipsDamageAndKeepsTheRest) {
    write("mean.csv", GetParam().content);
    std::vector<std::uint32_t> map(frame::pixelCount, 9);
    EXPECT_EQ(quorin::loadMeanFile("mean.csv", 1.0, map), GetParam().count);
    EXPECT_EQ(std::vector<std::uint32_t>(map.begin(), map.begin() + 4), GetParam().firstFour);
    EXPECT_EQ(map.back(), 9u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MeanFileLoading,
    ::testing::Values(LoadCase{"short", "5000,6000,\n\n\n", 2, {5000, 6000, 9, 9}},
                      // A sign, a decimal point, letters and blanks are no numbers; the rest shifts up.
                      LoadCase{"damaged", "12,-5,3.5,abc,, 4,+8,7,\n13,", 3, {12, 7, 13, 9}},
                      LoadCase{"windows line ends", "1,2,\r\n3,\r\n\r\n", 3, {1, 2, 3, 9}},
                      LoadCase{"beyond 32 bits", "4294967296,4294967295,", 1, {4294967295u, 9, 9, 9}},
                      LoadCase{"empty", "", 0, {9, 9, 9, 9}}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_F(CalibrationFiles, ExtraNumbersAreIgnoredAndMissingFileLeavesTheMap) {
    QByteArray content;
    for (int i = 0; i < 70000; ++i)
        content += QByteArray::number(i) + ',';
    write("long.csv", content);
    std::vector<std::uint32_t> map(frame::pixelCount, 9);
    EXPECT_EQ(quorin::loadMeanFile("long.csv", 1.0, map), 65536);
    EXPECT_EQ(map.back(), 65535u);
    EXPECT_EQ(quorin::loadMeanFile("missing.csv", 1.0, map), -1);
    EXPECT_EQ(map.back(), 65535u);
}
