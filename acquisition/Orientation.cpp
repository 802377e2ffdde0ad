#include "Orientation.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <array>

namespace quorin {
namespace {

enum : int { noFlip = 2 }; // beside cv::flip's codes 0 (vertical), 1 (horizontal), −1 (both)

// oriented(r, c) = base(r − rowShift, c − columnShift), base = flip(transpose?(grey)); pixels
// shifted in from outside are black.
struct QuarterTurn {
    bool transpose;
    int flipCode;
    int rowShift;
    int columnShift;
};

// Indexed by rotation / 90 × 2 + mirror.
constexpr std::array<QuarterTurn, 8> quarterTurns{{
    {false, 0, 0, 0},       // 0°
    {false, -1, 0, 0},      // 0°, mirrored
    {true, noFlip, 0, 1},   // 90°
    {true, 1, 0, -1},       // 90°, mirrored
    {false, 1, 1, 1},       // 180°
    {false, noFlip, 1, -1}, // 180°, mirrored
    {true, -1, 1, 0},       // 270°
    {true, 0, 1, 0},        // 270°, mirrored
}};

// Copies `base` into `oriented` moved by (rows, columns), black where nothing moves in.
void shiftedCopy(const cv::Mat& base, int rows, int columns, cv::Mat& oriented) {
    const int side = base.rows;
    const int height = side - std::abs(rows);
    const int width = side - std::abs(columns);
    const cv::Rect from(std::max(0, -columns), std::max(0, -rows), width, height);
    const cv::Rect to(std::max(0, columns), std::max(0, rows), width, height);
    base(from).copyTo(oriented(to));
    if (rows != 0)
        oriented.row(rows > 0 ? 0 : side - 1).setTo(0);
    if (columns != 0)
        oriented.col(columns > 0 ? 0 : side - 1).setTo(0);
}

} // namespace

void orientFrameReference(const cv::Mat& grey, Orientation orientation, cv::Mat& oriented) {
    oriented = grey.clone();
    cv::flip(oriented, oriented, 0);
    const cv::Point2f centre(static_cast<float>(oriented.cols / 2), static_cast<float>(oriented.rows / 2));
    const cv::Mat rotation = cv::getRotationMatrix2D(centre, -orientation.rotation, 1.0);
    cv::warpAffine(oriented, oriented, rotation, oriented.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT,
                   cv::Scalar(0));
    if (orientation.mirror)
        cv::flip(oriented, oriented, 1);
}

void orientFrame(const cv::Mat& grey, Orientation orientation, cv::Mat& oriented, cv::Mat& scratch) {
    const int rotation = orientation.rotation;
    if (rotation % 90 != 0 || rotation < 0 || rotation >= 360 || grey.rows != grey.cols) {
        orientFrameReference(grey, orientation, oriented);
        return;
    }
    const QuarterTurn& turn =
        quarterTurns[static_cast<std::size_t>(rotation / 90 * 2 + (orientation.mirror ? 1 : 0))];
    oriented.create(grey.size(), grey.type());
    const bool shifted = turn.rowShift != 0 || turn.columnShift != 0;
    cv::Mat base = grey;
    if (turn.transpose) {
        cv::transpose(grey, scratch);
        base = scratch;
    }
    if (turn.flipCode != noFlip) {
        cv::Mat& target = shifted ? scratch : oriented;
        cv::flip(base, target, turn.flipCode);
        base = target;
    }
    if (shifted)
        shiftedCopy(base, turn.rowShift, turn.columnShift, oriented);
    else if (base.data != oriented.data)
        base.copyTo(oriented);
}

QImage presentationImage(const cv::Mat& oriented) {
    const QImage frame(oriented.data, oriented.cols, oriented.rows, static_cast<int>(oriented.step),
                       QImage::Format_Indexed8);
    return frame.scaled(presentationSide, presentationSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace quorin
