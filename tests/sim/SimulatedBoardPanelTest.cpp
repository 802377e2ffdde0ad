#include "SimulatedBoardPanel.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using quorin::sim::LightSource;
using quorin::sim::SimulatedBoard;
using quorin::sim::SimulatedBoardPanel;

namespace {
template <typename T> T* child(QWidget& w, const char* name) {
    T* found = w.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}
} // namespace

TEST(SimulatedBoardPanel, DrivesItsBoard) {
    auto board = std::make_shared<SimulatedBoard>("QS2024A001");
    SimulatedBoardPanel panel(board);
    EXPECT_EQ(panel.windowTitle(), "Simulated board");
    EXPECT_TRUE(child<QRadioButton>(panel, "radioScene")->isChecked()); // shows the board as it is

    for (auto [name, light] : {std::pair{"radioDark", LightSource::Dark},
                               {"radioFullLight", LightSource::FullLight},
                               {"radioScene", LightSource::Scene}}) {
        child<QRadioButton>(panel, name)->click();
        EXPECT_EQ(board->lightSource(), light) << name;
    }

    auto* unplug = child<QPushButton>(panel, "pushButtonUnplug");
    auto* plugBack = child<QPushButton>(panel, "pushButtonPlugBack");
    EXPECT_FALSE(plugBack->isEnabled());
    unplug->click();
    EXPECT_FALSE(board->isPlugged());
    EXPECT_FALSE(unplug->isEnabled());
    plugBack->click();
    EXPECT_TRUE(board->isPlugged());

    auto* stall = child<QPushButton>(panel, "pushButtonStall");
    stall->click();
    EXPECT_TRUE(board->isStalled());
    stall->click();
    EXPECT_FALSE(board->isStalled());
}
