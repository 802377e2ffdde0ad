// The capture button, the picture label and the orientation buttons.
#include "Quorin_Interface.h"

#include "Bounds.h"
#include "CommandFrames.h"
#include "OperatorDialogs.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QDebug>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace {
bool mirrorToggle = false; // the GUI's own copy of the mirror state
} // namespace

void Quorin_Interface::on_Capture_click() {
    if (!deviceOpen) {
        quorin::dialogs::message(QStringLiteral("No Device Connected"));
        return;
    }
    // The button is locked for a moment after each start and stop, so a second click cannot arrive
    // while the thread is still starting or stopping. A direct call still runs the protocols: the
    // indicator must never show a capture that does not run, or the reverse.
    const bool clicked = pushButton_2->isEnabled();
    if (!captureRunning) {
        connect(videoThread, &Quorin_VideoThread::labelUishow, this, &Quorin_Interface::showuilabel,
                Qt::UniqueConnection);
        connect(videoThread, &Quorin_VideoThread::savepic, this, &Quorin_Interface::savepic,
                Qt::UniqueConnection);
        displayFrozen = false;
        videoThread->startAcquisition(deviceHandle, lastStatus);
        isRunning->setStyleSheet(
            QStringLiteral("QPushButton { border-image: url(:/Image/images/tip_running.png);}"));
        label_Running->setText(QStringLiteral("Running"));
        pushButton_2->setText(QStringLiteral("Stop"));
        captureRunning = true;
        RunningDataManager::instance()->setSharedVariable(1);
    } else {
        stopCapture();
    }
    if (clicked) {
        pushButton_2->setEnabled(false);
        QTimer::singleShot(quorin::bounds::captureButtonLock, pushButton_2,
                           [button = pushButton_2] { button->setEnabled(true); });
    }
}

void Quorin_Interface::stopCapture() {
    if (!videoThread->stopAndWait(quorin::bounds::acquisitionStopBound))
        qWarning() << "The acquisition thread did not stop in time";
    displayFrozen = true;
    const quorin::Frame apply = quorin::applyCommand();
    quorin::sendFrame(deviceHandle, apply, lastStatus);
    captureRunning = false;
    isRunning->setStyleSheet(
        QStringLiteral("QPushButton { border-image: url(:/Image/images/tip_stop.png);}"));
    label_Running->setText(QStringLiteral("   Stop"));
    pushButton_2->setText(QStringLiteral("Capture"));
    RunningDataManager::instance()->setSharedVariable(0);
}

// The capture ended by itself on a failing board: the window shows it stopped and says why. The
// board stays "open" until the operator closes it and opens it again.
void Quorin_Interface::threadBoardLost() {
    if (!captureRunning)
        return; // stopped or closed by the operator meanwhile
    stopCapture();
    quorin::dialogs::message(QStringLiteral("Lost connection to the board"));
}

void Quorin_Interface::showuilabel(QImage Qtemp) {
    if (displayFrozen)
        return;
    const QImage shown =
        Qtemp.scaled(displaySize, displaySize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    label->setPixmap(QPixmap::fromImage(shown));
    label->show();
    lastImage = Qtemp;
}

void Quorin_Interface::savepic(QImage Qtemp) {
    on_Capture_click();
    const QString path =
        quorin::dialogs::saveFileName(QStringLiteral("Save Image"), QStringLiteral("Images (*.png *.jpg)"));
    if (path.isEmpty())
        qDebug() << "Error: Invalid save path.";
    else if (Qtemp.save(path))
        qDebug() << "Image saved successfully.";
    else
        qDebug() << "Error: Failed to save the image.";
    videoThread->isSavePicture.store(false, std::memory_order_relaxed);
}

void Quorin_Interface::on_Rotate_click() {
    RunningDataManager::instance()->stepRotation();
}

void Quorin_Interface::on_Mirror_click() {
    mirrorToggle = !mirrorToggle;
    RunningDataManager::instance()->setMirrorOn(mirrorToggle ? 1 : 0);
}
