// The calibration workflow of the real main window: Full-ON and Full-OFF against the simulated board,
// and the "Calibration" toggle between the default level maps and the stored ones.
#include "CalibrationFiles.h"
#include "Developer_Mode.h"
#include "MainWindowFixture.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <opencv2/core.hpp>

#include <iostream>

namespace quorin::test {
namespace {

class Calibration : public MainWindowFixture {
protected:
    Quorin_VideoThread& thread() const { return *window->acquisitionThread(); }
    std::shared_ptr<const LevelMaps> maps() const { return thread().levelMaps(); }

    void startCapture() {
        openBoard();
        click("pushButton_2");
        messages.clear();
    }

    // Waits until the status line reads `success`, while the picture keeps coming.
    void awaitStatus(const QString& success) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return text("label_save") == success; }, 15000))
            << "status line: " << text("label_save").toStdString();
    }

    // Spread of the grey values of a picture taken wholly under the board's current light.
    double greySpread() { return greyStatistics().second; }
    // Mean and standard deviation of the grey values of such a picture.
    std::pair<double, double> greyStatistics() {
        const std::size_t seen = board().framesSynthesised();
        EXPECT_TRUE(QTest::qWaitFor([&] { return board().framesSynthesised() > seen + 1; }, 5000));
        // Taken on this thread through a queued connection, as the window takes it.
        QImage shown;
        QObject receiver;
        QObject::connect(
            &thread(), &Quorin_VideoThread::labelUishow, &receiver,
            [&](const QImage& image) { shown = image; }, Qt::QueuedConnection);
        if (!QTest::qWaitFor([&] { return !shown.isNull(); }, 5000))
            ADD_FAILURE() << "no picture";
        // The smooth-scaled grey picture is RGB32 with equal channels; its blue channel is the grey.
        const QImage picture = shown.convertToFormat(QImage::Format_RGB32);
        const cv::Mat bgra(picture.height(), picture.width(), CV_8UC4,
                           const_cast<uchar*>(picture.constBits()), std::size_t(picture.bytesPerLine()));
        cv::Mat grey;
        cv::extractChannel(bgra, grey, 0);
        cv::Scalar mean, deviation;
        cv::meanStdDev(grey, mean, deviation);
        return {mean[0], deviation[0]};
    }

    void clickCalibration() { click("calibrationButton"); }
    QLineEdit* int0Field() const { return developerWindow->findChild<QLineEdit*>("lineEdit_int0"); }
};

TEST_F(Calibration, ReferencesNeedAnOpenBoardAndARunningCapture) {
    messages.clear();
    click("pushButton_max");
    EXPECT_EQ(messages, QStringList{"No Device Connected"});
    openBoard();
    messages.clear();
    click("pushButton_low");
    EXPECT_EQ(messages, QStringList{"Please initiate capture"});
    EXPECT_FALSE(thread().isGetMax.load());
    EXPECT_FALSE(thread().isGetMin.load());
}

TEST_F(Calibration, DarkAndFullLightReferencesFlattenThePictureAndTheToggleSwitchesThem) {
    board().setLightSource(sim::LightSource::FullLight);
    startCapture();
    const auto [uncalibratedMean, uncalibrated] = greyStatistics();
    board().setLightSource(sim::LightSource::Scene);
    const double uncalibratedScene = greySpread();

    board().setLightSource(sim::LightSource::Dark);
    greySpread(); // a picture under the new light: the collection starts after it
    int0Field()->clear();
    click("pushButton_low");
    EXPECT_EQ(messages, QStringList{"Ready to get the darkest frame."});
    EXPECT_EQ(thread().int0Time.load(), 180) << "an empty INT0 counts as 180 µs";
    // The two references share one store, so the other waits.
    messages.clear();
    click("pushButton_max");
    EXPECT_EQ(messages, QStringList{"Full-OFF is still being taken"});
    EXPECT_FALSE(thread().isGetMax.load());
    awaitStatus("Full-Off set success");

    board().setLightSource(sim::LightSource::FullLight);
    greySpread();
    int0Field()->setText("250");
    messages.clear();
    click("pushButton_max");
    EXPECT_EQ(messages, QStringList{"Ready to get the brightest frame."});
    EXPECT_EQ(thread().int0Time.load(), 250);
    awaitStatus("Full-On set success");
    const auto collected = maps();
    const auto [calibratedMean, calibrated] = greyStatistics();

    board().setLightSource(sim::LightSource::Scene);
    const double scene = greySpread();
    board().setLightSource(sim::LightSource::FullLight);
    std::cout << "full light: grey " << uncalibratedMean << " ± " << uncalibrated
              << " before the references, " << calibratedMean << " ± " << calibrated
              << " after; scene spread " << uncalibratedScene << " before, " << scene << " after\n";
    EXPECT_GT(uncalibrated, 4 * calibrated);
    EXPECT_LT(calibrated, 4.0);

    clickCalibration(); // first click: default maps
    EXPECT_EQ(maps()->minMap(), LevelMaps().minMap());
    EXPECT_EQ(maps()->maxMap(), LevelMaps().maxMap());
    EXPECT_GT(greySpread(), 4 * calibrated);
    clickCalibration(); // second: the mean files the collections wrote give the same maps
    EXPECT_EQ(maps()->minMap(), collected->minMap());
    EXPECT_EQ(maps()->maxMap(), collected->maxMap());
    EXPECT_LT(greySpread(), 4.0);
}

TEST_F(Calibration, BothDoneFlagsEndOnTheFullOffText) {
    RunningDataManager::instance()->setFullOnDone(true);
    RunningDataManager::instance()->setFullOffDone(true);
    emit thread().setFlag();
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("label_save") == "Full-Off set success"; }, 5000))
        << text("label_save").toStdString();
    EXPECT_FALSE(RunningDataManager::instance()->fullOnDone());
    EXPECT_FALSE(RunningDataManager::instance()->fullOffDone());
}

struct ToggleCase {
    const char* name;
    const char* onFile; // content of the Full-ON mean file, or nullptr for none
    std::array<std::uint32_t, 3> firstUpper;
    std::uint32_t lastUpper;
};

class CalibrationToggle : public Calibration, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(CalibrationToggle, ResetsFirstThenLoadsTolerantly) {
    const ToggleCase& c = GetParam();
    thread().setLevelMaps(std::make_shared<const LevelMaps>(std::vector<std::uint32_t>(65536, 1),
                                                            std::vector<std::uint32_t>(65536, 2)));
    clickCalibration();
    EXPECT_EQ(maps()->minMap(), LevelMaps().minMap());
    EXPECT_EQ(maps()->maxMap(), LevelMaps().maxMap());

    if (c.onFile) {
        QFile file("Calibration/ON_calibration.csv");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.onFile);
    }
    clickCalibration();
    const std::vector<std::uint32_t>& upper = maps()->maxMap();
    EXPECT_EQ((std::array{upper[0], upper[1], upper[2]}), c.firstUpper);
    EXPECT_EQ(upper.back(), c.lastUpper);
    EXPECT_EQ(maps()->minMap(), LevelMaps().minMap()) << "no Full-OFF file: the lower levels stay";

    clickCalibration();
    EXPECT_EQ(maps()->maxMap(), LevelMaps().maxMap());
}

INSTANTIATE_TEST_SUITE_P(Files, CalibrationToggle,
                         ::testing::Values(
                             // Upper levels are the means × 1.1, truncated.
                             ToggleCase{"Short", "5000,6000,\n\n\n", {5500, 6600, 1048575}, 1048575},
                             // A sign, a decimal point or letters are skipped; the following values move up.
                             ToggleCase{"Damaged", "12,-5,3.5,abc,7,\n13,", {13, 7, 14}, 1048575},
                             ToggleCase{"Missing", nullptr, {1048575, 1048575, 1048575}, 1048575}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Calibration, LoadsTheMeanFilesACollectionWrites) {
    std::vector<std::uint32_t> onMeans(65536), offMeans(65536);
    for (std::size_t p = 0; p < onMeans.size(); ++p) {
        onMeans[p] = 600000 + std::uint32_t(p);
        offMeans[p] = 5000 + std::uint32_t(p % 977);
    }
    writeCalibrationFiles(Reference::FullOn, onMeans, 25, 180);
    writeCalibrationFiles(Reference::FullOff, offMeans, 25, 180);
    clickCalibration();
    clickCalibration();
    for (std::size_t p : {std::size_t{0}, std::size_t{977}, std::size_t{65535}}) {
        EXPECT_EQ(maps()->maxMap()[p], levelFromMean(onMeans[p], 1.1)) << p;
        EXPECT_EQ(maps()->minMap()[p], levelFromMean(offMeans[p], 0.8)) << p;
    }
    std::vector<std::uint32_t> upper(65536), lower(65536);
    levelsFromMeans(onMeans, 1.1, upper);
    levelsFromMeans(offMeans, 0.8, lower);
    EXPECT_EQ(maps()->maxMap(), upper);
    EXPECT_EQ(maps()->minMap(), lower);
}

} // namespace
} // namespace quorin::test
