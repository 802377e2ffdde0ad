#include "SettingPanels.h"

namespace quorin {

std::array<int, 16> voltageSlotFields(ChipType chip) {
    std::array<int, 16> fields{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    if (chip == ChipType::TypeB) {
        constexpr int vgl = 2, goaDch = 5, von = 11, voff = 12;
        fields[2] = voff;    // slot 3, VGL
        fields[5] = von;     // slot 6, GOA_DCH
        fields[11] = vgl;    // slot 12, Pixel_DC3
        fields[12] = goaDch; // slot 13, Vclk_H
    }
    return fields;
}

double voltsFromText(const QString& text) {
    return text.toDouble(); // the C locale; 0 when the text is not a number
}

Bytes voltagePanelPacket(const std::array<QString, 16>& fieldTexts, ChipType chip) {
    const std::array<int, 16> fields = voltageSlotFields(chip);
    std::array<int, 16> codes{};
    for (std::size_t slot = 0; slot < codes.size(); ++slot)
        codes[slot] = voltageToCode(voltsFromText(fieldTexts[fields[slot]]));
    return voltagePacket(codes);
}

const ChipPreset& chipPreset(ChipType chip) {
    static const ChipPreset typeA{BoardMode::Scan, {"12.00", "-12.00", "17.00", "-17.00"}};
    static const ChipPreset typeB{BoardMode::Goa, {"15.00", "-15.00", "-15.00", "-15.00"}};
    return chip == ChipType::TypeA ? typeA : typeB;
}

int rangeFactorFor(int range) {
    return range <= 2 ? 25 : 4;
}

} // namespace quorin
