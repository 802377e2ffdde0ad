// What the main window's voltage, current-range and chip-type panels send: pure functions of the
// panels' texts and radio buttons.
#pragma once

#include "CommandFrames.h"

#include <QString>

#include <array>

namespace quorin {

enum class ChipType { TypeA, TypeB };

// The voltage field (0 = lineEdit_35 … 15 = lineEdit_50) that feeds each packet slot, slot 1 first.
// Type B moves "VGL", "GOA_DCH", "Von" and "Voff" round a cycle; the other slots keep their field.
std::array<int, 16> voltageSlotFields(ChipType chip);

// A field's text in volts, read in the C locale; a text that is not a number counts as 0 V.
double voltsFromText(const QString& text);

// The 39-byte voltage packet from the sixteen field texts in field order. Voltages beyond the DAC's
// range saturate.
Bytes voltagePanelPacket(const std::array<QString, 16>& fieldTexts, ChipType chip);

// What "Switch" does for a chip type: the mode byte it selects and the texts of "Von", "Voff",
// "Vscan_L" and "Vscan_H" (lineEdit_46 … lineEdit_49).
struct ChipPreset {
    BoardMode mode;
    std::array<const char*, 4> voltages;
};
const ChipPreset& chipPreset(ChipType chip);

// The full-scale factor of a current range (1 = 150 nA … 4 = 1 nA) with which currents are scaled.
int rangeFactorFor(int range);

} // namespace quorin
