#include "FullScreenLayouts.h"

PanelLayout normalLayout() {
    return {{20, 45, 600, 600},   {630, 40, 595, 470},  {650, 514, 560, 130}, {540, 20, 85, 28},
            {430, 210, 380, 200}, {430, 180, 380, 260}, {15, 19, 70, 30},     600};
}

std::optional<PanelLayout> fullScreenLayout(int screenHeight) {
    switch (screenHeight) {
    case 810:
        return PanelLayout{
            {20, 45, 750, 750},   {820, 60, 595, 470},  {840, 614, 560, 130}, {690, 20, 85, 28},
            {560, 240, 380, 200}, {560, 210, 380, 260}, {15, 19, 70, 30},     750};
    case 900:
        return PanelLayout{
            {20, 65, 800, 800},   {840, 70, 595, 470},  {860, 690, 560, 130}, {750, 40, 85, 28},
            {560, 260, 380, 200}, {560, 230, 380, 260}, {15, 19, 70, 30},     800};
    case 1080:
        // The picture (1020) is larger than its label (880): only part of it is visible.
        return PanelLayout{
            {115, 115, 880, 880}, {1110, 140, 595, 470}, {1130, 820, 560, 130}, {920, 90, 85, 28},
            {770, 410, 380, 200}, {770, 410, 380, 260},  {110, 87, 70, 30},     1020};
    default:
        return std::nullopt;
    }
}
