// The MP4 video of a recording: oriented grey frames at 9 frames per second, 256 × 256.
#pragma once

#include <QString>

#include <opencv2/core/mat.hpp>
#include <opencv2/videoio.hpp>

namespace quorin {

class VideoRecorder {
public:
    static constexpr double framesPerSecond = 9.0;

    // Opens (or reopens, replacing) the file. H.264 where the video library can write it, MPEG-4
    // Part 2 otherwise: the FFmpeg back end refuses to choose a codec for .mp4 on its own. Only that
    // back end is asked: the others cannot write MP4 files and, tried after a failure, GStreamer
    // takes a file name for a pipeline. Returns whether the writer is open.
    bool open(const QString& path);
    bool isOpen() const { return writer_.isOpened(); }

    // One 256 × 256 CV_8UC1 frame, brought into the writer's colour format. Lost when not open.
    void write(const cv::Mat& grey);

    // Completes and closes the file.
    void finish() { writer_.release(); }

private:
    cv::VideoWriter writer_;
    cv::Mat colour_;
};

} // namespace quorin
