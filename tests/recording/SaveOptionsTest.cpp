// The save-options panel and the progress display on the real window, against the simulated board.
#include "MainWindowFixture.h"
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/videoio.hpp>

#include <chrono>
#include <functional>

using namespace std::chrono_literals;

// Readable texts in failure reports.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quorin::test {
namespace {

class SaveOptions : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        messages.clear(); // what the window said while it was built belongs to other tests
    }

    Quorin_VideoThread& thread() const { return *window->acquisitionThread(); }

    static bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds bound = 60s) {
        const auto end = std::chrono::steady_clock::now() + bound;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    void startCapture() {
        openBoard();
        click(QStringLiteral("pushButton_2"));
        ASSERT_TRUE(thread().isRunning());
    }

    // Fills the panel as the operator would, without the directory dialog.
    void fillPanel(const QString& directory, const QString& name, int countIndex, bool video = false,
                   bool pictures = false) {
        find<QLineEdit>(QStringLiteral("lineEdit_savepath"))->setText(directory);
        find<QLineEdit>(QStringLiteral("lineEdit_savename"))->setText(name);
        find<QComboBox>(QStringLiteral("comboBox_3"))->setCurrentIndex(countIndex);
        find<QCheckBox>(QStringLiteral("checkBox_Video"))->setChecked(video);
        find<QCheckBox>(QStringLiteral("checkBox_Picture"))->setChecked(pictures);
    }

    struct Armed {
        bool data, video, pictures;
        bool operator==(const Armed&) const = default;
    };
    Armed armed() const { return {thread().isSaveData, thread().isSaveVideo, thread().isSavePicture}; }

    int fillWidth() const { return find<QWidget>(QStringLiteral("widget_11"))->width(); }
    bool referenceButtonsEnabled() const {
        return find<QWidget>(QStringLiteral("pushButton_max"))->isEnabled() &&
               find<QWidget>(QStringLiteral("pushButton_low"))->isEnabled();
    }
};

const QRegularExpression finishedAt(QStringLiteral("^\\d{1,2}:\\d\\d:\\d\\d save success$"));

TEST_F(SaveOptions, SaveButtonNeedsAnOpenBoardAndARunningCapture) {
    click(QStringLiteral("pushButton"));
    openBoard();
    click(QStringLiteral("pushButton"));
    EXPECT_EQ(messages, (QStringList{"No Device Connected", "Please initiate capture"}));
    EXPECT_FALSE(visible(QStringLiteral("savelayout")));
    click(QStringLiteral("pushButton_2"));
    click(QStringLiteral("pushButton"));
    EXPECT_TRUE(visible(QStringLiteral("savelayout")));
    click(QStringLiteral("Buttonsave_dismiss"));
    EXPECT_FALSE(visible(QStringLiteral("savelayout")));
}

TEST_F(SaveOptions, ConfirmArmsByTheTicks) {
    const struct {
        bool video, pictures;
        Armed before, after;
    } cases[] = {
        {true, true, {false, false, false}, {true, true, true}},
        {true, false, {false, false, true}, {true, true, false}},
        {false, true, {false, true, false}, {true, false, true}},
        {false, false, {false, true, true}, {true, true, true}}, // picture and video left as they were
        {false, false, {false, false, false}, {true, false, false}},
    };
    for (const auto& c : cases) {
        thread().isSaveData = c.before.data;
        thread().isSaveVideo = c.before.video;
        thread().isSavePicture = c.before.pictures;
        fillPanel(workDir().path(), QStringLiteral("probe"), 2, c.video, c.pictures);
        click(QStringLiteral("pushButton_save_confirm"));
        EXPECT_EQ(armed(), c.after) << c.video << c.pictures;
    }
    EXPECT_EQ(thread().saveNumber, 50);
    EXPECT_EQ(RunningDataManager::instance()->saveName(), "probe");
    EXPECT_EQ(thread().recorder().savePath(), workDir().path().toUtf8());
    EXPECT_TRUE(visible(QStringLiteral("widget_10")));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(SaveOptions, ConfirmRefusesBadPathsAndNames) {
    QFile plain(workDir().filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const struct {
        QString directory, name, message;
    } cases[] = {
        {"", "probe", "Please select a valid path"},
        {workDir().path(), "", "Please select a valid path"},
        {workDir().filePath("missing"), "probe", "Please select a valid path"},
        {workDir().filePath("plain"), "probe", "Please select a valid path"},
        {workDir().path(), "sub/probe", "Please enter a save name without / or \\"},
        {workDir().path(), "sub\\probe", "Please enter a save name without / or \\"},
    };
    for (const auto& c : cases) {
        messages.clear();
        fillPanel(c.directory, c.name, 1, true, true);
        click(QStringLiteral("pushButton_save_confirm"));
        EXPECT_EQ(messages, QStringList{c.message})
            << c.directory.toStdString() << " " << c.name.toStdString();
        EXPECT_EQ(armed(), (Armed{false, false, false}));
    }
}

TEST_F(SaveOptions, ProgressShowsPercentThenExportThenTime) {
    const struct {
        int countIndex, progress;
        QString text;
        int width;
    } cases[] = {
        {1, 1, "3%", 4},
        {1, 15, "50%", 66},
        {1, 29, "96%", 127},
        {1, 30, "Export Data..Please wait", 132},
        {0, 1, "Export Data..Please wait", 132},
        {1, 0, "0%", 132}, // a width of 0 leaves the fill as it was
    };
    for (const auto& c : cases) {
        fillPanel(workDir().path(), QStringLiteral("probe"), c.countIndex);
        click(QStringLiteral("pushButton_save_confirm"));
        RunningDataManager::instance()->setSaveProgress(c.progress);
        window->threadSaveDialog();
        EXPECT_EQ(text(QStringLiteral("label_save")), c.text) << c.progress;
        EXPECT_EQ(fillWidth(), c.width) << c.progress;
        EXPECT_FALSE(referenceButtonsEnabled());
    }
    RunningDataManager::instance()->setSaveProgress(-100);
    window->threadSaveDialog();
    EXPECT_TRUE(finishedAt.match(text(QStringLiteral("label_save"))).hasMatch())
        << text("label_save").toStdString();
    EXPECT_EQ(fillWidth(), 132);
    EXPECT_TRUE(referenceButtonsEnabled());
}

TEST_F(SaveOptions, DirectoryDialogLeavesTheCaptureAsItWas) {
    dialogAnswers = {QString(), workDir().path()};
    click(QStringLiteral("pushButton_choice_path")); // cancelled, no capture
    click(QStringLiteral("pushButton_choice_path")); // chosen, no capture
    EXPECT_EQ(messages, QStringList{"Please select a valid path"});
    EXPECT_EQ(dialogCaptions, (QStringList{"Select Directory", "Select Directory"}));
    EXPECT_EQ(text(QStringLiteral("lineEdit_savepath")), workDir().path());
    EXPECT_FALSE(thread().isRunning());

    startCapture();
    dialogAnswers = {QString()};
    click(QStringLiteral("pushButton_choice_path")); // cancelled during a capture
    EXPECT_TRUE(thread().isRunning());
    const std::size_t synthesised = board().framesSynthesised();
    EXPECT_TRUE(waitFor([&] { return board().framesSynthesised() > synthesised + 2; }, 10s));
    EXPECT_EQ(text(QStringLiteral("lineEdit_savepath")), workDir().path());
}

std::string readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

int videoFrames(const QString& path, cv::Size& size) {
    cv::VideoCapture capture(path.toStdString());
    int frames = 0;
    for (cv::Mat frame; capture.read(frame); ++frames)
        size = frame.size();
    return frames;
}

TEST_F(SaveOptions, RecordsDataPicturesAndVideoOfThirtyFrames) {
    startCapture();
    click(QStringLiteral("pushButton"));
    dialogAnswers = {workDir().path()};
    click(QStringLiteral("pushButton_choice_path"));
    fillPanel(text(QStringLiteral("lineEdit_savepath")), QStringLiteral("name"), 1, true, true);
    click(QStringLiteral("pushButton_save_confirm"));
    QStringList shown; // the status line after each progress notification
    QObject::connect(&thread(), &Quorin_VideoThread::saveDialog, window.get(),
                     [&] { shown << text(QStringLiteral("label_save")); });

    ASSERT_TRUE(waitFor([&] { return finishedAt.match(text(QStringLiteral("label_save"))).hasMatch(); }))
        << shown.join('|').toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(shown.first(), "3%");
    EXPECT_TRUE(shown.contains("Export Data..Please wait"));
    int last = 0;
    for (const QString& step : shown.mid(0, shown.indexOf("Export Data..Please wait"))) {
        const int percent = QString(step).remove('%').toInt();
        EXPECT_GE(percent, last) << step.toStdString();
        last = percent;
    }
    EXPECT_TRUE(referenceButtonsEnabled());

    const std::string current = readAll(workDir().filePath("name_30_Frames.csv"));
    const std::string raw = readAll(workDir().filePath("name_30_Frames_raw data.csv"));
    EXPECT_NE(current.find("\nFrame 29\n\n\n"), std::string::npos);
    EXPECT_EQ(std::count(current.begin(), current.end(), '\n'), 30 * 259);
    EXPECT_EQ(raw.substr(raw.size() - 6), "\n29\n\n\n");
    EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), 30 * 259);

    cv::Size size;
    EXPECT_EQ(videoFrames(workDir().filePath("name_output_video.mp4"), size), 30);
    EXPECT_EQ(size, cv::Size(256, 256));
    for (int k = 1; k <= 31; ++k)
        EXPECT_EQ(QFile::exists(workDir().filePath(QStringLiteral("namepic/name_%1.png").arg(k))), k <= 30)
            << k;
}

// A full disk ends without " save success"; the operator is told which file was not written.
TEST_F(SaveOptions, FullDiskIsReportedToTheOperator) {
    ASSERT_TRUE(QFile::link("/dev/full", workDir().filePath("name_1_Frames.csv")));
    startCapture();
    fillPanel(workDir().path(), QStringLiteral("name"), 0);
    click(QStringLiteral("pushButton_save_confirm"));
    ASSERT_TRUE(waitFor([&] { return text(QStringLiteral("label_save")).endsWith(" save failed"); }))
        << text("label_save").toStdString();
    QTest::qWait(100); // any notification still queued reports nothing twice
    EXPECT_EQ(messages, QStringList{"Cannot write " + workDir().filePath("name_1_Frames.csv")});
    EXPECT_FALSE(readAll(workDir().filePath("name_1_Frames_raw data.csv")).empty());
    EXPECT_TRUE(referenceButtonsEnabled());
}

} // namespace
} // namespace quorin::test
