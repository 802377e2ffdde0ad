#include "Orientation.h"

#include <opencv2/core.hpp>

#include <gtest/gtest.h>

using quorin::Orientation;

namespace {

cv::Mat randomFrame() {
    cv::Mat frame(256, 256, CV_8UC1);
    cv::randu(frame, 1, 256);
    return frame;
}

bool identical(const cv::Mat& a, const cv::Mat& b) {
    return a.size() == b.size() && a.type() == b.type() && cv::countNonZero(a != b) == 0;
}

} // namespace

struct OrientationCase {
    int rotation;
    bool mirror;
    std::vector<int> blackRows; // the only rows and columns that are black for a frame without zeros
    std::vector<int> blackColumns;
};

class OrientationStates : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(OrientationStates, FastPathIsTheWarpByteForByte) {
    const OrientationCase& c = GetParam();
    const cv::Mat grey = randomFrame();
    cv::Mat expected, oriented, scratch;
    quorin::orientFrameReference(grey, {c.rotation, c.mirror}, expected);
    quorin::orientFrame(grey, {c.rotation, c.mirror}, oriented, scratch);
    EXPECT_TRUE(identical(oriented, expected));
    // Called again with the same working storage (as the loop does every frame).
    quorin::orientFrame(randomFrame(), {c.rotation, c.mirror}, oriented, scratch);
    quorin::orientFrame(grey, {c.rotation, c.mirror}, oriented, scratch);
    EXPECT_TRUE(identical(oriented, expected));
}

TEST_P(OrientationStates, RotationAboutPixel128LeavesOneBlackRowOrColumn) {
    const OrientationCase& c = GetParam();
    cv::Mat oriented, scratch;
    quorin::orientFrame(cv::Mat(256, 256, CV_8UC1, cv::Scalar(200)), {c.rotation, c.mirror}, oriented,
                        scratch);
    cv::Mat expected(256, 256, CV_8UC1, cv::Scalar(200));
    for (int row : c.blackRows)
        expected.row(row).setTo(0);
    for (int column : c.blackColumns)
        expected.col(column).setTo(0);
    EXPECT_TRUE(identical(oriented, expected));
}

INSTANTIATE_TEST_SUITE_P(
    AllEight, OrientationStates,
    ::testing::Values(OrientationCase{0, false, {}, {}}, OrientationCase{0, true, {}, {}},
                      OrientationCase{90, false, {}, {0}}, OrientationCase{90, true, {}, {255}},
                      OrientationCase{180, false, {0}, {0}}, OrientationCase{180, true, {0}, {255}},
                      OrientationCase{270, false, {0}, {}}, OrientationCase{270, true, {0}, {}}),
    [](const auto& info) {
        return std::to_string(info.param.rotation) + (info.param.mirror ? "_mirrored" : "");
    });

TEST(Orientation, UnturnedFrameIsShownUpsideDown) {
    const cv::Mat grey = randomFrame();
    cv::Mat oriented, scratch;
    quorin::orientFrame(grey, {0, false}, oriented, scratch);
    EXPECT_TRUE(identical(oriented.row(255), grey.row(0)));
    EXPECT_TRUE(identical(oriented.row(0), grey.row(255)));
    quorin::orientFrame(grey, {90, false}, oriented, scratch);
    // Clockwise: the frame's first row (shown last before the turn) becomes the second column.
    EXPECT_TRUE(identical(oriented.col(1).rowRange(0, 256).t(), grey.row(0)));
}

TEST(Orientation, PresentationImageIsGreyAt750) {
    cv::Mat oriented(256, 256, CV_8UC1, cv::Scalar(77));
    oriented.col(255).setTo(0);
    const QImage image = quorin::presentationImage(oriented);
    ASSERT_EQ(image.size(), QSize(750, 750));
    EXPECT_EQ(image.pixel(100, 300), qRgb(77, 77, 77));
    EXPECT_EQ(image.pixel(749, 300), qRgb(0, 0, 0));
}
