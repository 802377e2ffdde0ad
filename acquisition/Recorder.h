// Recording of data, pictures and video inside the acquisition loop: the loop calls the hooks on
// the acquisition thread; the GUI thread hands over the output directory and reads the outcome of
// the last data export.
#pragma once

#include "DataExport.h"
#include "GreyMapping.h"
#include "VideoRecorder.h"

#include <QByteArray>
#include <QStringList>

#include <opencv2/core/mat.hpp>

#include <mutex>
#include <vector>

class Quorin_VideoThread;

namespace quorin {

// saveProgress once the data files of a recording have been written.
inline constexpr int exportFinishedProgress = -100;

class Recorder {
public:
    // The thread carries the arming flags and the recording parameters.
    explicit Recorder(Quorin_VideoThread& thread) : thread_(thread) {}

    // Any thread: the output directory (UTF-8) of the recordings armed from now on, as a copy.
    void setSavePath(const QByteArray& savePath);
    QByteArray savePath() const;

    // A capture's loop starts: picture and video numbering starts again.
    void runStarted();

    // The raw frame, before the grey mapping, while isSaveData is set. Buffers it; the N-th frame
    // runs the export of both data files.
    void recordRawFrame(RawFrame frame);

    // The oriented frame (256 × 256 CV_8UC1), while isSavePicture or isSaveVideo is set.
    void recordOrientedFrame(const cv::Mat& oriented);

    // What the data exports so far came to: their count and the files the last one could not write.
    struct ExportReport {
        int serial = 0;
        QStringList unwritten;
    };
    ExportReport lastExport() const;

    // Operator messages for pictures and videos of finished recordings that were not written, since
    // the last call. The thread's recordingLost() tells when there are new ones.
    QStringList takeLostOutputs();

private:
    void exportData();
    bool writePicture(const cv::Mat& oriented, int number);
    void openVideo();
    QByteArray pictureDirectory() const;
    void finishPictures(bool announce);
    void finishVideo();
    void reportLost(const QString& message);

    Quorin_VideoThread& thread_;

    mutable std::mutex mutex_; // guards savePath_, report_ and lostOutputs_
    QByteArray savePath_;
    ExportReport report_;
    QStringList lostOutputs_;

    // Acquisition thread only.
    std::vector<SavedFrame> savedFrames; // raw frames in arrival order, until their export
    int savedCount = 0;                  // kept across stops of the capture
    int pictureCounter_ = 0;             // pictures and video frames, separate from the reference collections
    int picturesLost_ = 0;               // pictures of the current recording that could not be written
    VideoRecorder video_;                // open from the first to the N-th video frame
    QString videoPath_;                  // the current recording's video file
};

} // namespace quorin
