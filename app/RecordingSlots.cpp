// The save-options panel, which arms a recording on the acquisition thread, and the progress display.
#include "Quorin_Interface.h"

#include "Bounds.h"
#include "Developer_Mode.h"
#include "OperatorDialogs.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>

#include <array>

namespace {

constexpr std::array frameCounts{1, 30, 50, 100, 500, 1000}; // the items of comboBox_3
constexpr int fullProgressWidth = 132;                       // of the fill widget_11
constexpr int fallbackInt0Time = 180;                        // when the developer window's INT0 is empty or 0

} // namespace

void Quorin_Interface::on_Save_click() {
    if (!deviceOpen)
        quorin::dialogs::message(QStringLiteral("No Device Connected"));
    else if (!captureRunning)
        quorin::dialogs::message(QStringLiteral("Please initiate capture"));
    else
        savelayout->show();
}

void Quorin_Interface::on_Save_layout_dismiss_click() {
    savelayout->hide();
}

// No frame is processed while the dialog is open; the capture is left as it was found.
void Quorin_Interface::on_Choice_Path_click() {
    const bool wasRunning = captureRunning;
    if (wasRunning && !videoThread->stopAndWait(quorin::bounds::acquisitionStopBound))
        qWarning() << "The acquisition thread did not stop in time";
    displayFrozen = true;

    const QString directory = quorin::dialogs::existingDirectory(QStringLiteral("Select Directory"));
    if (directory.isEmpty())
        quorin::dialogs::message(QStringLiteral("Please select a valid path"));
    else
        lineEdit_savepath->setText(directory);

    if (wasRunning) {
        displayFrozen = false;
        videoThread->startAcquisition(deviceHandle, lastStatus);
    }
}

void Quorin_Interface::on_Save_confirm_click() {
    const QString directory = lineEdit_savepath->text();
    const QString name = lineEdit_savename->text();
    const QFileInfo target(directory);
    if (directory.isEmpty() || name.isEmpty() || !target.isDir() || !target.isWritable()) {
        quorin::dialogs::message(QStringLiteral("Please select a valid path"));
        return;
    }
    if (name.contains(u'/') || name.contains(u'\\')) {
        quorin::dialogs::message(QStringLiteral("Please enter a save name without / or \\"));
        return;
    }

    const int int0Time = developerWindow ? developerWindow->integrationTime() : 0;
    videoThread->int0Time.store(int0Time != 0 ? int0Time : fallbackInt0Time, std::memory_order_relaxed);
    RunningDataManager::instance()->setSaveName(name);
    videoThread->recorder().setSavePath(directory.toUtf8());
    connect(videoThread, &Quorin_VideoThread::saveDialog, this, &Quorin_Interface::threadSaveDialog,
            Qt::UniqueConnection);
    const int index = comboBox_3->currentIndex();
    if (index >= 0 && index < static_cast<int>(frameCounts.size())) {
        saveNumber = frameCounts[static_cast<std::size_t>(index)];
        videoThread->saveNumber.store(saveNumber, std::memory_order_relaxed);
    }

    // Data is always recorded; with neither box ticked the picture and video flags stay as they are.
    const bool video = checkBox_Video->isChecked();
    const bool pictures = checkBox_Picture->isChecked();
    if (video || pictures) {
        videoThread->isSaveVideo.store(video, std::memory_order_release);
        videoThread->isSavePicture.store(pictures, std::memory_order_release);
    }
    videoThread->isSaveData.store(true, std::memory_order_release);

    savelayout->hide();
    widget_10->show();
}

// saveProgress is read now: a queued notification may already see a later value.
void Quorin_Interface::threadSaveDialog() {
    const int progress = RunningDataManager::instance()->saveProgress();
    if (saveNumber <= 0)
        return;
    const int width = progress * fullProgressWidth / saveNumber;
    pushButton_max->setEnabled(false);
    pushButton_low->setEnabled(false);

    if (progress >= saveNumber) {
        label_save->setText(QStringLiteral("Export Data..Please wait"));
    } else if (progress == quorin::exportFinishedProgress) {
        const quorin::Recorder::ExportReport report = videoThread->recorder().lastExport();
        const QString time = QTime::currentTime().toString(QStringLiteral("h:mm:ss"));
        label_save->setText(time + (report.unwritten.isEmpty() ? QStringLiteral(" save success")
                                                               : QStringLiteral(" save failed")));
        pushButton_max->setEnabled(true);
        pushButton_low->setEnabled(true);
        if (report.serial != reportedExport) {
            reportedExport = report.serial;
            for (const QString& file : report.unwritten)
                quorin::dialogs::message(QStringLiteral("Cannot write ") + file);
        }
    } else {
        label_save->setText(QString::number(progress * 100 / saveNumber) + QLatin1Char('%'));
    }
    if (width >= 1 && width <= fullProgressWidth)
        widget_11->setFixedWidth(width);
}

// Pictures and videos are not part of the status line, which reports the data files.
void Quorin_Interface::threadRecordingLost() {
    for (const QString& message : videoThread->recorder().takeLostOutputs())
        quorin::dialogs::message(message);
}
