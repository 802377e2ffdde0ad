// Files that cannot be written: the recording's data files, the calibration files and the settings
// file. The operator is told which file was lost, nothing unwritten is reported as a success, and the
// capture goes on. Faults are ones root cannot bypass: /dev/full, a directory where a file must go, a
// path under a regular file, a directory that has gone.
#include "FaultSession.h"

#include <QDir>
#include <QRegularExpression>

namespace quorin::test {
namespace {

enum class Block { DevFull, Directory, RegularFileAsDirectory, Removed };

// Puts the fault in place of `path` (relative to the working directory).
void block(const QDir& dir, const QString& path, Block how) {
    switch (how) {
    case Block::DevFull:
        QFile::remove(dir.filePath(path));
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), dir.filePath(path))) << path.toStdString();
        return;
    case Block::Directory:
        ASSERT_TRUE(dir.mkpath(path + QStringLiteral("/kept"))) << path.toStdString();
        return;
    case Block::RegularFileAsDirectory: {
        ASSERT_TRUE(QDir(dir.filePath(path)).removeRecursively());
        QFile plain(dir.filePath(path));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
        return;
    }
    case Block::Removed:
        ASSERT_TRUE(QDir(dir.filePath(path)).removeRecursively());
        return;
    }
}

// ---- Recording: the data files of a one-frame recording into the output directory "out".

struct ExportRow {
    const char* name;
    std::vector<std::pair<const char*, Block>> faults; // relative to "out"
    QStringList lost;                                  // files the operator is told of, relative to "out"
};

const QString currentFile = QStringLiteral("name_1_Frames.csv");
const QString rawFile = QStringLiteral("name_1_Frames_raw data.csv");

const ExportRow exportRows[] = {
    {"RawSamplesOnFullDisk", {{"name_1_Frames_raw data.csv", Block::DevFull}}, {rawFile}},
    {"BothNamesTakenByDirectories",
     {{"name_1_Frames.csv", Block::Directory}, {"name_1_Frames_raw data.csv", Block::Directory}},
     {currentFile, rawFile}},
};

void PrintTo(const ExportRow& row, std::ostream* os) {
    *os << row.name;
}

class ExportFaults : public FaultSession, public ::testing::WithParamInterface<ExportRow> {};

TEST_P(ExportFaults, LostFilesAreNamedAndTheRecordingIsNotASuccess) {
    const ExportRow& row = GetParam();
    ASSERT_TRUE(workDir().mkpath(QStringLiteral("out")));
    const QDir out(workDir().filePath(QStringLiteral("out")));
    for (const auto& [path, how] : row.faults)
        block(out, QString::fromUtf8(path), how);
    startCapture();
    press(QStringLiteral("pushButton"), 1s);
    find<QLineEdit>(QStringLiteral("lineEdit_savepath"))->setText(out.path());
    find<QLineEdit>(QStringLiteral("lineEdit_savename"))->setText(QStringLiteral("name"));
    find<QComboBox>(QStringLiteral("comboBox_3"))->setCurrentIndex(0);
    press(QStringLiteral("pushButton_save_confirm"), 1s);

    ASSERT_TRUE(waitFor(
        [&] { return text(QStringLiteral("label_save")).endsWith(QLatin1String(" save failed")); }, 20s))
        << text(QStringLiteral("label_save")).toStdString();
    QStringList expected;
    for (const QString& file : row.lost)
        expected << QStringLiteral("Cannot write ") + out.filePath(file);
    EXPECT_EQ(messages, expected);
    for (const QString& file : {currentFile, rawFile})
        if (!row.lost.contains(file)) {
            QFile kept(out.filePath(file));
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll().count('\n'), 259) << file.toStdString();
        }
    EXPECT_TRUE(picturesArrive(2)) << "the capture stopped";
}

INSTANTIATE_TEST_SUITE_P(Rows, ExportFaults, ::testing::ValuesIn(exportRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The output directory goes away while the frames are being buffered.
TEST_F(FaultSession, OutputDirectoryRemovedDuringARecordingLosesBothFilesVisibly) {
    ASSERT_TRUE(workDir().mkpath(QStringLiteral("out")));
    const QDir out(workDir().filePath(QStringLiteral("out")));
    startCapture();
    press(QStringLiteral("pushButton"), 1s);
    find<QLineEdit>(QStringLiteral("lineEdit_savepath"))->setText(out.path());
    find<QLineEdit>(QStringLiteral("lineEdit_savename"))->setText(QStringLiteral("name"));
    press(QStringLiteral("pushButton_save_confirm"), 1s); // 30 frames, the panel's default
    ASSERT_TRUE(waitFor([&] { return text(QStringLiteral("label_save")).endsWith('%'); }, 10s));
    block(workDir(), QStringLiteral("out"), Block::Removed);

    ASSERT_TRUE(waitFor(
        [&] { return text(QStringLiteral("label_save")).endsWith(QLatin1String(" save failed")); }, 30s))
        << text(QStringLiteral("label_save")).toStdString();
    EXPECT_EQ(messages,
              (QStringList{QStringLiteral("Cannot write ") + out.filePath("name_30_Frames.csv"),
                           QStringLiteral("Cannot write ") + out.filePath("name_30_Frames_raw data.csv")}));
    EXPECT_TRUE(picturesArrive(2)) << "the capture stopped";
}

// Pictures and video cannot be written while the data files can: the status line reports the data
// files, the operator is told of the lost outputs.
TEST_F(FaultSession, LostPicturesAndVideoAreNamedBesideASuccessfulExport) {
    ASSERT_TRUE(workDir().mkpath(QStringLiteral("out")));
    const QDir out(workDir().filePath(QStringLiteral("out")));
    block(out, QStringLiteral("namepic"), Block::RegularFileAsDirectory);
    block(out, QStringLiteral("name_output_video.mp4"), Block::Directory);
    startCapture();
    press(QStringLiteral("pushButton"), 1s);
    find<QLineEdit>(QStringLiteral("lineEdit_savepath"))->setText(out.path());
    find<QLineEdit>(QStringLiteral("lineEdit_savename"))->setText(QStringLiteral("name"));
    find<QComboBox>(QStringLiteral("comboBox_3"))->setCurrentIndex(0);
    find<QCheckBox>(QStringLiteral("checkBox_Picture"))->setChecked(true);
    find<QCheckBox>(QStringLiteral("checkBox_Video"))->setChecked(true);
    press(QStringLiteral("pushButton_save_confirm"), 1s);

    const QStringList expected{QStringLiteral("Cannot write 1 of 1 pictures to ") + out.filePath("namepic"),
                               QStringLiteral("Cannot write ") + out.filePath("name_output_video.mp4")};
    ASSERT_TRUE(waitFor([&] { return messages.size() >= expected.size(); }, 20s))
        << messages.join('|').toStdString();
    EXPECT_EQ(messages, expected);
    EXPECT_TRUE(text(QStringLiteral("label_save")).endsWith(QLatin1String(" save success")));
    EXPECT_TRUE(QFile::exists(out.filePath(currentFile)));
    EXPECT_TRUE(picturesArrive(2)) << "the capture stopped";
}

// ---- Calibration: a Full-ON reference whose files cannot be written.

struct CalibrationRow {
    const char* name;
    const char* path; // relative to the working directory
    Block how;
    QStringList lost;
};

const QString onMean = QStringLiteral("Calibration/ON_calibration.csv");
const QString onCurrent = QStringLiteral("Calibration/ON_Current_calibration.csv");

const CalibrationRow calibrationRows[] = {
    {"MeanFileOnFullDisk", "Calibration/ON_calibration.csv", Block::DevFull, {onMean}},
    {"CurrentFileNameTakenByADirectory",
     "Calibration/ON_Current_calibration.csv",
     Block::Directory,
     {onCurrent}},
    {"DirectoryRemoved", "Calibration", Block::Removed, {onMean, onCurrent}},
    {"DirectoryIsARegularFile", "Calibration", Block::RegularFileAsDirectory, {onMean, onCurrent}},
};

void PrintTo(const CalibrationRow& row, std::ostream* os) {
    *os << row.name;
}

class CalibrationFaults : public FaultSession, public ::testing::WithParamInterface<CalibrationRow> {};

TEST_P(CalibrationFaults, LostFilesAreNamedAndTheReferenceStillTakesEffect) {
    const CalibrationRow& row = GetParam();
    block(workDir(), QString::fromUtf8(row.path), row.how);
    startCapture();
    press(QStringLiteral("pushButton_max"), 1s);
    ASSERT_TRUE(waitFor(
        [&] { return text(QStringLiteral("label_save")) == QLatin1String("Full-On set success"); }, 20s));
    QTest::qWait(100); // a notification still queued reports nothing twice
    QStringList expected{QStringLiteral("Ready to get the brightest frame.")};
    for (const QString& file : row.lost)
        expected << QStringLiteral("Cannot write ") + file;
    EXPECT_EQ(messages, expected);
    EXPECT_TRUE(picturesArrive(2)) << "the capture stopped";
}

INSTANTIATE_TEST_SUITE_P(Rows, CalibrationFaults, ::testing::ValuesIn(calibrationRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Settings: the file written when the window closes. (A symlink to /dev/full is no fault here: the
// settings file is replaced whole, link included.)

TEST_F(FaultSession, SettingsUnwritableAtCloseAreReportedAndTheWindowStillCloses) {
    block(workDir(), QStringLiteral("."), Block::Removed); // the working directory itself has gone
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages, QStringList{QStringLiteral("json file error!")});
}

} // namespace
} // namespace quorin::test
