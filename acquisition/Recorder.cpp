#include "Recorder.h"

#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QDir>
#include <QFileInfo>

#include <opencv2/core/utility.hpp>
#include <opencv2/imgcodecs.hpp>

#include <iostream>
#include <utility>

namespace quorin {
namespace {

// Paths are built as UTF-8 and turned back into text, so non-ASCII names survive.
QString joined(const QByteArray& utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

void Recorder::setSavePath(const QByteArray& savePath) {
    std::lock_guard lock(mutex_);
    savePath_ = savePath;
}

QByteArray Recorder::savePath() const {
    std::lock_guard lock(mutex_);
    return savePath_;
}

Recorder::ExportReport Recorder::lastExport() const {
    std::lock_guard lock(mutex_);
    return report_;
}

QStringList Recorder::takeLostOutputs() {
    std::lock_guard lock(mutex_);
    return std::exchange(lostOutputs_, {});
}

void Recorder::runStarted() {
    pictureCounter_ = 0;
    picturesLost_ = 0;
}

void Recorder::recordRawFrame(RawFrame frame) {
    auto* runState = RunningDataManager::instance();
    savedFrames.emplace_back(frame);
    ++savedCount;
    runState->setSaveProgress(savedCount);
    emit thread_.saveDialog();
    // At or past N: N may have been lowered by a confirmation during the recording.
    if (savedCount < thread_.saveNumber.load(std::memory_order_relaxed))
        return;
    savedCount = 0;
    thread_.isSaveData.store(false, std::memory_order_relaxed);
    exportData();
    runState->setSaveProgress(exportFinishedProgress);
    emit thread_.saveDialog();
}

void Recorder::exportData() {
    const DataFilePaths paths = dataFilePaths(savePath(), RunningDataManager::instance()->saveName(),
                                              thread_.saveNumber.load(std::memory_order_relaxed));
    QStringList unwritten;
    auto report = [&unwritten](FileWrite result, const QString& path) {
        if (result == FileWrite::OpenFailed)
            std::cout << "open failed" << std::endl;
        if (result != FileWrite::Written) {
            std::cerr << "Error: Cannot write " << path.toStdString() << std::endl;
            unwritten << path;
        }
    };
    report(writeCurrentValueFile(paths.currentValues, savedFrames, thread_.rangeFactor.load(),
                                 thread_.int0Time.load()),
           paths.currentValues);
    report(writeRawSampleFile(paths.rawSamples, savedFrames, [](std::size_t i) { std::cout << i << '\n'; }),
           paths.rawSamples);
    std::cout.flush();
    std::vector<SavedFrame>().swap(savedFrames);

    std::lock_guard lock(mutex_);
    ++report_.serial;
    report_.unwritten = unwritten;
}

// The three cases are exclusive, chosen from the flags as they are now.
void Recorder::recordOrientedFrame(const cv::Mat& oriented) {
    const bool pictures = thread_.isSavePicture.load(std::memory_order_acquire);
    const bool video = thread_.isSaveVideo.load(std::memory_order_acquire);
    const int saveNumber = thread_.saveNumber.load(std::memory_order_relaxed);
    if (pictures && !video) {
        ++pictureCounter_;
        if (oriented.empty()) {
            std::cerr << "Error: Source image is empty." << std::endl;
            ++picturesLost_;
        } else if (!writePicture(oriented, pictureCounter_)) {
            ++picturesLost_;
        }
        if (pictureCounter_ >= saveNumber) {
            thread_.isSavePicture.store(false, std::memory_order_relaxed);
            finishPictures(true);
            pictureCounter_ = 0;
        }
    } else if (video && !pictures) {
        if (pictureCounter_ == 0)
            openVideo();
        ++pictureCounter_;
        if (oriented.empty())
            std::cerr << "Error: Source video is empty." << std::endl;
        else
            video_.write(oriented);
        if (pictureCounter_ >= saveNumber) {
            thread_.isSaveVideo.store(false, std::memory_order_relaxed);
            finishVideo();
        }
    } else if (video && pictures) {
        if (pictureCounter_ == 0)
            openVideo();
        ++pictureCounter_;
        if (oriented.empty()) {
            std::cerr << "Error: Source image is empty." << std::endl;
            ++picturesLost_;
        } else {
            video_.write(oriented);
            if (!writePicture(oriented, pictureCounter_))
                ++picturesLost_;
        }
        if (pictureCounter_ >= saveNumber) {
            thread_.isSavePicture.store(false, std::memory_order_relaxed);
            thread_.isSaveVideo.store(false, std::memory_order_relaxed);
            finishPictures(false);
            finishVideo();
        }
    }
}

QByteArray Recorder::pictureDirectory() const {
    return savePath() + '/' + RunningDataManager::instance()->saveName().toUtf8() + "pic";
}

bool Recorder::writePicture(const cv::Mat& oriented, int number) {
    const QByteArray name = RunningDataManager::instance()->saveName().toUtf8();
    const QByteArray directory = pictureDirectory();
    const QString file = joined(directory + '/' + name + '_' + QByteArray::number(number) + ".png");
    bool written = QDir().mkpath(joined(directory));
    try {
        written = written && cv::imwrite(file.toStdString(), oriented);
    } catch (const cv::Exception&) {
        written = false;
    }
    if (!written)
        std::cerr << "Error: Failed to save the image." << std::endl;
    return written;
}

void Recorder::openVideo() {
    const QByteArray name = RunningDataManager::instance()->saveName().toUtf8();
    videoPath_ = joined(savePath() + '/' + name + '_' + "output_video.mp4");
    if (!video_.open(videoPath_)) {
        std::cerr << "Error: Could not create video writer." << std::endl;
        std::cerr << "Ticks: " << static_cast<double>(cv::getTickCount()) << std::endl;
    }
}

// The success line only when every picture was written; otherwise the operator is told how many
// were lost. `announce`: pictures were the recording's only output.
void Recorder::finishPictures(bool announce) {
    if (picturesLost_ == 0) {
        if (announce)
            std::cout << "picture saved successfully." << std::endl;
        return;
    }
    reportLost(QStringLiteral("Cannot write %1 of %2 pictures to %3")
                   .arg(picturesLost_)
                   .arg(pictureCounter_)
                   .arg(joined(pictureDirectory())));
    picturesLost_ = 0;
}

// A writer that never opened, or a file that is gone or empty once closed, is a lost video.
void Recorder::finishVideo() {
    const bool opened = video_.isOpen();
    video_.finish();
    pictureCounter_ = 0;
    if (opened && QFileInfo(videoPath_).size() > 0) {
        std::cout << "video saved successfully." << std::endl;
        return;
    }
    std::cerr << "Error: Cannot write " << videoPath_.toStdString() << std::endl;
    reportLost(QStringLiteral("Cannot write ") + videoPath_);
}

void Recorder::reportLost(const QString& message) {
    {
        std::lock_guard lock(mutex_);
        lostOutputs_ << message;
    }
    emit thread_.recordingLost();
}

} // namespace quorin
