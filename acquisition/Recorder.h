// Recording of data, pictures and video inside the acquisition loop. Hook points only for now:
// the loop calls them on the acquisition thread.
#pragma once

#include "GreyMapping.h"

#include <opencv2/core/mat.hpp>

class Quorin_VideoThread;

namespace quorin {

class Recorder {
public:
    // The thread carries the arming flags and the recording parameters.
    explicit Recorder(Quorin_VideoThread& thread) : thread_(thread) {}

    // A capture's loop starts: picture and video numbering starts again.
    void runStarted();

    // The raw frame, before the grey mapping, while isSaveData is set.
    void recordRawFrame(RawFrame frame);

    // The oriented frame (256 × 256 CV_8UC1), while isSavePicture or isSaveVideo is set.
    void recordOrientedFrame(const cv::Mat& oriented);

private:
    Quorin_VideoThread& thread_;
    int pictureCounter_ = 0; // pictures and video frames, separate from the reference collections
};

} // namespace quorin
