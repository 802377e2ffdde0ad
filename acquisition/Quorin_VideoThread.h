// The acquisition thread: pulls frames from the board block by block while a capture runs,
// feeds the reference collections, maps, orients, records and presents every complete frame.
#pragma once

#include "BlockAssembler.h"
#include "GreyMapping.h"
#include "LevelMaps.h"
#include "Orientation.h"
#include "Recorder.h"
#include "ReferenceCollection.h"
#include "ftd2xx.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

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
    QByteArray savePath;              // UTF-8 output directory of recordings
    std::atomic<int> int0Time{180};   // integration time of the current conversion, microseconds
    std::atomic<int> rangeFactor{25}; // full-scale factor of the current range
    std::atomic<int> saveNumber{0};   // number of frames to record

    // Copied from the process-wide values by the start protocol.
    FT_HANDLE deviceHandle = nullptr;
    FT_STATUS status = FT_OK;

    QImage frameImage; // the last presentation image, written by the loop only

    // Start protocol, thread side: takes the board handle, arms the loop flag and starts the loop
    // (no effect while it runs).
    void startAcquisition(FT_HANDLE handle, FT_STATUS lastStatus);

    // Stop protocol, thread side: clears the loop flag and waits for the loop to return, at most
    // `bound`. Returns whether the loop has ended.
    bool stopAndWait(std::chrono::milliseconds bound);

    // The level maps the next frame is mapped with. The GUI thread resets or loads them; a finished
    // collection replaces one map. Safe from any thread.
    std::shared_ptr<const quorin::LevelMaps> levelMaps() const;
    void setLevelMaps(std::shared_ptr<const quorin::LevelMaps> maps);
    void resetLevelMaps();
    // Upper levels from the Full-ON mean file × 1.1, then lower levels from the Full-OFF mean file
    // × 0.8; a file that cannot be read leaves its map as it is.
    void loadLevelMaps(const QString& onMeanFile, const QString& offMeanFile);

    // Trimmed means of the last finished Full-ON / Full-OFF collection (empty before the first).
    std::vector<std::uint32_t> onMean() const;
    std::vector<std::uint32_t> offMean() const;
    // The calibration files the finished collections could not write, since the last call.
    QStringList takeUnwrittenCalibrationFiles();

    // Everything the loop does with one complete frame up to the emit: reference collections,
    // grey mapping, orientation, recording hooks; returns the presentation image (also in
    // frameImage). Runs on the acquisition thread; public for the benchmarks.
    QImage processFrame(quorin::RawFrame frame);

    quorin::Recorder& recorder() { return recorder_; }

signals:
    void labelUishow(QImage Qtemp);
    void savepic(QImage Qtemp);
    void saveDialog();
    void setFlag();
    // A picture or video recording has ended with outputs it could not write (Recorder::takeLostOutputs).
    void recordingLost();
    // The loop has ended by itself: a driver call failed (the board is gone or its handle closed).
    void boardLost();

protected:
    void run() override;

private:
    bool fetchFrame(quorin::BlockAssembler& assembler, std::vector<std::uint8_t>& readBuffer);
    void requestBlock(int block);
    void restartFrame(quorin::BlockAssembler& assembler);
    void collectReferences(quorin::RawFrame frame);
    void finishCollection(quorin::Reference kind);

    // Set by the start protocol, cleared (release) as the loop returns: the start protocol's acquire
    // load orders the last loop's writes to deviceHandle and status before its own.
    std::atomic<bool> loopActive_{false};

    mutable std::mutex mapsMutex_;
    std::shared_ptr<const quorin::LevelMaps> maps_;
    std::vector<std::uint32_t> onMean_;
    std::vector<std::uint32_t> offMean_;
    QStringList unwrittenCalibration_;

    // Loop-side state: used by the acquisition thread only (kept between runs to avoid per-frame
    // allocation; the collector's store persists so an interrupted collection resumes).
    quorin::ReferenceCollector collector_;
    quorin::Recorder recorder_{*this};
    cv::Mat grey_;
    cv::Mat oriented_;
    cv::Mat orientScratch_;
};
