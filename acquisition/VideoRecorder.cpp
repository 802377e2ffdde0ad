#include "VideoRecorder.h"

#include "FrameFormat.h"

#include <opencv2/imgproc.hpp>

namespace quorin {

bool VideoRecorder::open(const QString& path) {
    const cv::Size size(frame::side, frame::side);
    const std::string file = path.toStdString();
    for (const char* codec : {"avc1", "mp4v"}) {
        if (writer_.open(file, cv::CAP_FFMPEG,
                         cv::VideoWriter::fourcc(codec[0], codec[1], codec[2], codec[3]), framesPerSecond,
                         size, true))
            return true;
    }
    return false;
}

void VideoRecorder::write(const cv::Mat& grey) {
    if (!writer_.isOpened())
        return;
    cv::cvtColor(grey, colour_, cv::COLOR_GRAY2BGR);
    writer_.write(colour_);
}

} // namespace quorin
