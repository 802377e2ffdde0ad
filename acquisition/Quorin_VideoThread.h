// The acquisition thread: pulls frames from the board block by block while a capture runs,
// feeds the reference collections, maps, orients, records and presents every complete frame.
#pragma once

#include "ftd2xx.h"

#include <QByteArray>
#include <QImage>
#include <QThread>

#include <atomic>
#include <chrono>

class Quorin_VideoThread : public QThread {
    Q_OBJECT
public:
    explicit Quorin_VideoThread(QObject* parent = nullptr);
    ~Quorin_VideoThread() override;

    // Arming flags, set by the GUI thread (release) and read by the loop (acquire).
    std::atomic<bool> isSaveData{false};
    std::atomic<bool> isSavePicture{false};
    std::atomic<bool> isSaveVideo{false};
    std::atomic<bool> isGetMax{false};
    std::atomic<bool> isGetMin{false};

    // Parameters written by the GUI thread before it sets the flag that arms their use.
    QByteArray savePath;                 // UTF-8 output directory of recordings
    std::atomic<int> int0Time{180};      // integration time of the current conversion, microseconds
    std::atomic<int> rangeFactor{25};    // full-scale factor of the current range
    std::atomic<int> saveNumber{0};      // number of frames to record

    // Copied from the process-wide values by the start protocol.
    FT_HANDLE deviceHandle = nullptr;
    FT_STATUS status = FT_OK;

    // Stop protocol, thread side: clears the loop flag and waits for the loop to return, at most
    // `bound`. Returns whether the loop has ended.
    bool stopAndWait(std::chrono::milliseconds bound);

signals:
    void labelUishow(QImage Qtemp);
    void savepic(QImage Qtemp);
    void saveDialog();
    void setFlag();

protected:
    void run() override;
};
