// The calibration workflow: Full-ON and Full-OFF references, and the "Calibration" toggle between the
// stored level maps and the default ones.
#include "Quorin_Interface.h"

#include "CalibrationFiles.h"
#include "Developer_Mode.h"
#include "OperatorDialogs.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QLabel>

namespace {

constexpr int defaultIntegrationTime = 180; // µs, when the developer window's INT0 is 0 or not a number

// Arms a reference collection on the acquisition thread; false when nothing was armed. The two
// references share one sample store, so one waits for the other to finish.
bool armReference(Quorin_VideoThread& thread, quorin::Reference kind) {
    const bool fullOn = kind == quorin::Reference::FullOn;
    if (!deviceOpen) {
        quorin::dialogs::message(QStringLiteral("No Device Connected"));
        return false;
    }
    if (!captureRunning) {
        quorin::dialogs::message(QStringLiteral("Please initiate capture"));
        return false;
    }
    if ((fullOn ? thread.isGetMin : thread.isGetMax).load(std::memory_order_acquire)) {
        quorin::dialogs::message(fullOn ? QStringLiteral("Full-OFF is still being taken")
                                        : QStringLiteral("Full-ON is still being taken"));
        return false;
    }
    // The operator lights or darkens the sensor before closing the box; collecting starts after it.
    quorin::dialogs::message(fullOn ? QStringLiteral("Ready to get the brightest frame.")
                                    : QStringLiteral("Ready to get the darkest frame."));
    const int int0 = developerWindow->integrationTime();
    thread.int0Time.store(int0 == 0 ? defaultIntegrationTime : int0, std::memory_order_relaxed);
    (fullOn ? thread.isGetMax : thread.isGetMin).store(true, std::memory_order_release);
    return true;
}

} // namespace

void Quorin_Interface::on_GetMax() {
    if (armReference(*videoThread, quorin::Reference::FullOn))
        threadSetMaxMinDialog();
}

void Quorin_Interface::on_GetMin() {
    if (armReference(*videoThread, quorin::Reference::FullOff))
        threadSetMaxMinDialog();
}

void Quorin_Interface::threadSetMaxMinDialog() {
    RunningDataManager* state = RunningDataManager::instance();
    if (state->fullOnDone()) {
        label_save->setText(QStringLiteral("Full-On set success"));
        state->setFullOnDone(false);
    }
    if (state->fullOffDone()) {
        label_save->setText(QStringLiteral("Full-Off set success"));
        state->setFullOffDone(false);
    }
    // The reference is in use either way, but the toggle can only load what reached the files.
    for (const QString& file : videoThread->takeUnwrittenCalibrationFiles())
        quorin::dialogs::message(QStringLiteral("Cannot write ") + file);
}

void Quorin_Interface::on_Calibration_click() {
    if (calibrationApplied) {
        videoThread->resetLevelMaps();
        calibrationApplied = false;
        return;
    }
    videoThread->loadLevelMaps(quorin::calibrationPaths(quorin::Reference::FullOn).meanFile,
                               quorin::calibrationPaths(quorin::Reference::FullOff).meanFile);
    calibrationApplied = true; // also when a file could not be read: its map stays as it was
}
