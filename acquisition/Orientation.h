// The oriented frame: the fixed vertical flip, the operator's rotation about (128, 128) and mirror;
// and the presentation image built from it.
#pragma once

#include <QImage>

#include <opencv2/core/mat.hpp>

namespace quorin {

struct Orientation {
    int rotation = 0; // degrees clockwise: 0, 90, 180 or 270
    bool mirror = false;
};

// Flip upside down, rotate with cv::warpAffine about (128, 128) (bilinear, constant border 0),
// mirror left to right: the library calls written plainly, the reference for orientFrame.
void orientFrameReference(const cv::Mat& grey, Orientation orientation, cv::Mat& oriented);

// The same result byte for byte. With the centre at (128, 128) every quarter turn is an exact pixel
// permutation shifted by one pixel, leaving one black row or column (two at 180°): a transpose
// and a flip, then a shifted copy. Other angles fall back to the reference. `scratch` is working
// storage kept by the caller; neither matrix is reallocated once it has the frame's shape.
void orientFrame(const cv::Mat& grey, Orientation orientation, cv::Mat& oriented, cv::Mat& scratch);

inline constexpr int presentationSide = 750;

// The oriented frame as an 8-bit indexed image without colour table (Qt shows such an image as
// grey), scaled smoothly to 750 × 750.
QImage presentationImage(const cv::Mat& oriented);

} // namespace quorin
