// Full screen by the height of the screen under the pointer; back by the menu entry or Escape.
#include "MainWindowFixture.h"

#include "FullScreenLayouts.h"
#include "ProcessState.h"

#include <QLabel>
#include <QMenu>
#include <QTest>

using quorin::test::MainWindowFixture;

namespace {

// The main window on a screen of the test's choosing.
class WindowOnScreen : public QuorinWidget {
public:
    std::optional<QRect> screen;

protected:
    std::optional<QRect> screenUnderPointer() const override { return screen; }
};

struct Screen {
    int width;
    int height;
    std::optional<PanelLayout> expected; // none: the panels stay at their form positions
};

class FullScreen : public MainWindowFixture, public ::testing::WithParamInterface<Screen> {
protected:
    std::unique_ptr<QuorinWidget> createWindow() override {
        auto made = std::make_unique<WindowOnScreen>();
        made->screen = QRect(0, 0, GetParam().width, GetParam().height);
        return made;
    }

    PanelLayout shownLayout() const {
        auto at = [this](const char* name) { return find(QString::fromLatin1(name))->geometry(); };
        return {at("label"),          at("widget_func1"), at("widget_func"), at("widget_7"),
                at("password_input"), at("savelayout"),   at("widget_2"),    displaySize};
    }

    void pressScreenExchange() { click("screenExchangeButton"); }

    void expectLayout(const PanelLayout& expected) const {
        const PanelLayout shown = shownLayout();
        EXPECT_EQ(shown.label, expected.label);
        EXPECT_EQ(shown.widget_func1, expected.widget_func1);
        EXPECT_EQ(shown.widget_func, expected.widget_func);
        EXPECT_EQ(shown.widget_7, expected.widget_7);
        EXPECT_EQ(shown.password_input, expected.password_input);
        EXPECT_EQ(shown.savelayout, expected.savelayout);
        EXPECT_EQ(shown.widget_2, expected.widget_2);
        EXPECT_EQ(shown.displaySize, expected.displaySize);
    }

    QSize pictureSize() const { return find<QLabel>("label")->pixmap(Qt::ReturnByValue).size(); }
};

PanelLayout layoutOf(QRect label, QRect func1, QRect func, QRect indicator, QRect password, QRect save,
                     QRect tools, int display) {
    return {label, func1, func, indicator, password, save, tools, display};
}

} // namespace

TEST_P(FullScreen, MenuEntryPlacesPanelsByScreenHeightAndRestoresTheForm) {
    window->show();
    lastImage = QImage(750, 750, QImage::Format_Grayscale8);
    lastImage.fill(90);

    pressScreenExchange();
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_EQ(screenWidth, GetParam().width);
    EXPECT_EQ(screenHeight, GetParam().height);
    expectLayout(GetParam().expected.value_or(normalLayout()));
    EXPECT_EQ(pictureSize(), QSize(displaySize, displaySize));

    pressScreenExchange();
    EXPECT_FALSE(window->isFullScreen());
    expectLayout(normalLayout());
    EXPECT_EQ(pictureSize(), QSize(600, 600));
}

TEST_P(FullScreen, EscapeLeavesFullScreenOnlyFromFullScreen) {
    window->show();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isFullScreen());
    expectLayout(normalLayout());

    pressScreenExchange();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isFullScreen());
    expectLayout(normalLayout());
}

INSTANTIATE_TEST_SUITE_P(
    Heights, FullScreen,
    ::testing::Values(
        Screen{1440, 810,
               layoutOf({20, 45, 750, 750}, {820, 60, 595, 470}, {840, 614, 560, 130}, {690, 20, 85, 28},
                        {560, 240, 380, 200}, {560, 210, 380, 260}, {15, 19, 70, 30}, 750)},
        Screen{1600, 900,
               layoutOf({20, 65, 800, 800}, {840, 70, 595, 470}, {860, 690, 560, 130}, {750, 40, 85, 28},
                        {560, 260, 380, 200}, {560, 230, 380, 260}, {15, 19, 70, 30}, 800)},
        Screen{1920, 1080,
               layoutOf({115, 115, 880, 880}, {1110, 140, 595, 470}, {1130, 820, 560, 130}, {920, 90, 85, 28},
                        {770, 410, 380, 200}, {770, 410, 380, 260}, {110, 87, 70, 30}, 1020)},
        Screen{1366, 768, std::nullopt}),
    [](const auto& info) { return std::to_string(info.param.height); });

class FullScreenWhileCapturing : public FullScreen {};

// A running capture draws its next frame at the new size; the switch must not redraw an old one.
TEST_P(FullScreenWhileCapturing, MovesPanelsWithoutRedrawingThePicture) {
    window->show();
    lastImage = QImage(750, 750, QImage::Format_Grayscale8);
    captureRunning = true;
    pressScreenExchange();
    EXPECT_EQ(displaySize, 1020);
    EXPECT_TRUE(find<QLabel>("label")->pixmap(Qt::ReturnByValue).isNull());
}

INSTANTIATE_TEST_SUITE_P(Height1080, FullScreenWhileCapturing,
                         ::testing::Values(Screen{1920, 1080, std::nullopt}));

TEST(FullScreenLayouts, NoLayoutForOtherHeights) {
    for (int height : {0, 768, 809, 1024, 1081, 1440})
        EXPECT_FALSE(fullScreenLayout(height).has_value()) << height;
}
