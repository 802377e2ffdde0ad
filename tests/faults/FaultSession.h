// The main window on the simulated board, driven as the operator drives it, with every operator action
// timed so a hang shows up as a failure rather than a stuck test.
#pragma once

#include "Bounds.h"
#include "MainWindowFixture.h"
#include "Quorin_VideoThread.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <chrono>
#include <functional>
#include <string>

// Readable texts in failure reports.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quorin::test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Slack on top of a bound for a loaded machine; only hangs are caught, never slowness.
inline constexpr auto boundSlack = 2s;

class FaultSession : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        messages.clear(); // what the window said while it was built belongs to other tests
        QObject::connect(&thread(), &Quorin_VideoThread::labelUishow, window.get(), [this] { ++pictures; });
    }

    Quorin_VideoThread& thread() const { return *window->acquisitionThread(); }

    static bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds bound) {
        const auto end = Clock::now() + bound;
        while (!done()) {
            if (Clock::now() > end)
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    // Clicks as the operator does, once the button has come out of its lock, and fails the test when
    // the slot takes longer than `bound`.
    void press(const QString& name, std::chrono::milliseconds bound) {
        auto* button = find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(waitFor([&] { return button->isEnabled(); }, bounds::captureButtonLock + boundSlack))
            << name.toStdString() << " stays disabled";
        const auto start = Clock::now();
        button->click();
        EXPECT_LT(Clock::now() - start, bound + boundSlack) << name.toStdString() << " hung";
    }

    // At least `count` more pictures reach the window within `bound`.
    bool picturesArrive(int count, std::chrono::milliseconds bound = 10s) {
        const int from = pictures;
        return waitFor([&] { return pictures >= from + count; }, bound);
    }

    void startCapture() {
        openBoard();
        press(QStringLiteral("pushButton_2"), bounds::captureButtonLock);
        ASSERT_TRUE(picturesArrive(1));
    }

    // Arms a data recording of 1 or 30 frames into the working directory, as the save panel does.
    void armRecording(int frames) {
        press(QStringLiteral("pushButton"), 1s);
        find<QLineEdit>(QStringLiteral("lineEdit_savepath"))->setText(workDir().path());
        find<QLineEdit>(QStringLiteral("lineEdit_savename"))->setText(QStringLiteral("name"));
        find<QComboBox>(QStringLiteral("comboBox_3"))->setCurrentIndex(frames == 1 ? 0 : 1);
        find<QCheckBox>(QStringLiteral("checkBox_Video"))->setChecked(false);
        find<QCheckBox>(QStringLiteral("checkBox_Picture"))->setChecked(false);
        press(QStringLiteral("pushButton_save_confirm"), 1s);
    }

    // Both data files of an N-frame recording are whole: 259 lines per frame, the last frame's
    // number at the end.
    void expectWholeDataFiles(const QString& name, int frames) const {
        const QString base = workDir().filePath(QStringLiteral("%1_%2_Frames").arg(name).arg(frames));
        for (const QString& path : {base + QStringLiteral(".csv"), base + QStringLiteral("_raw data.csv")}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            const QByteArray bytes = file.readAll();
            EXPECT_EQ(bytes.count('\n'), frames * 259) << path.toStdString();
            EXPECT_TRUE(bytes.endsWith(QByteArray::number(frames - 1) + "\n\n\n")) << path.toStdString();
        }
    }

    int pictures = 0;
};

} // namespace quorin::test
