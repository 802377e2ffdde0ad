#include "Recorder.h"

namespace quorin {

void Recorder::runStarted() {
    pictureCounter_ = 0;
}

void Recorder::recordRawFrame(RawFrame) {}

void Recorder::recordOrientedFrame(const cv::Mat&) {}

} // namespace quorin
