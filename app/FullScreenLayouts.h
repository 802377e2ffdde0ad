// Where the main window's panels go in the normal window and on full screens of known heights.
#pragma once

#include <QRect>

#include <optional>

struct PanelLayout {
    QRect label;
    QRect widget_func1;
    QRect widget_func;
    QRect widget_7;
    QRect password_input;
    QRect savelayout;
    QRect widget_2;
    int displaySize; // edge of the square picture
};

// The form's own positions.
PanelLayout normalLayout();

// The layout for a full screen of this logical height; none for heights without one (the panels stay).
std::optional<PanelLayout> fullScreenLayout(int screenHeight);
