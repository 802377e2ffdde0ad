// The voltage packet of the main window's panel: slot mapping per chip type and volts to codes.
#include "SettingPanels.h"
#include "SettingsModel.h"

#include <gtest/gtest.h>

using namespace quorin;

namespace {

std::array<QString, 16> formDefaults() {
    std::array<QString, 16> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = QString::fromLatin1(SettingsModel::voltageKeys()[i].formDefault);
    return texts;
}

Bytes hex(std::initializer_list<int> bytes) {
    Bytes out;
    for (int b : bytes)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

TEST(VoltagePanelPacket, FormDefaultsForBothChipTypes) {
    const Bytes typeA = hex({0xFF, 0xAA, 0x00, 0xA1, 0x0D, 0xEB, 0x80, 0x00, 0x80, 0x00, 0x20, 0x00, 0x83,
                             0x33, 0x40, 0x00, 0x20, 0x00, 0x80, 0x00, 0x20, 0x00, 0x20, 0x00, 0x93, 0x33,
                             0x73, 0x33, 0xCC, 0xCD, 0x33, 0x33, 0xEC, 0xCD, 0x13, 0x33, 0x80, 0x00, 0xE0});
    EXPECT_EQ(voltagePanelPacket(formDefaults(), ChipType::TypeA), typeA);

    // Type B: "Voff" into slot 3, "Von" into 6, "VGL" into 12, "GOA_DCH" into 13; same checksum.
    Bytes typeB = typeA;
    const std::array<std::pair<int, Bytes>, 4> moved{
        {{10, hex({0x33, 0x33})}, {16, hex({0xCC, 0xCD})}, {28, hex({0x20, 0x00})}, {30, hex({0x20, 0x00})}}};
    for (const auto& [offset, bytes] : moved)
        std::copy(bytes.begin(), bytes.end(), typeB.begin() + offset);
    EXPECT_EQ(voltagePanelPacket(formDefaults(), ChipType::TypeB), typeB);
    EXPECT_EQ(typeB.back(), 0xE0);
}

TEST(VoltagePanelPacket, EveryFieldReachesItsSlot) {
    // Distinct voltages show each field's slot: field i carries code 1000 × (i + 1).
    std::array<QString, 16> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = QString::number(1000.0 * (i + 1) * 40 / 65536 - 20, 'f', 12);
    const std::array<int, 16> typeBFields{0, 1, 12, 3, 4, 11, 6, 7, 8, 9, 10, 2, 5, 13, 14, 15};
    for (ChipType chip : {ChipType::TypeA, ChipType::TypeB}) {
        const Bytes packet = voltagePanelPacket(texts, chip);
        ASSERT_EQ(packet.size(), 39u);
        for (int slot = 0; slot < 16; ++slot) {
            const int field = chip == ChipType::TypeA ? slot : typeBFields[slot];
            EXPECT_EQ(packet[6 + 2 * slot] << 8 | packet[7 + 2 * slot], 1000 * (field + 1))
                << "slot " << slot + 1 << (chip == ChipType::TypeA ? " Type A" : " Type B");
        }
    }
}

struct CodeCase {
    const char* text;
    int high, low;
};

class VoltageText : public ::testing::TestWithParam<CodeCase> {};

TEST_P(VoltageText, RoundsToTheNearestCodeAndSaturates) {
    std::array<QString, 16> texts = formDefaults();
    texts[0] = QString::fromUtf8(GetParam().text); // slot 1 in either chip type
    const Bytes packet = voltagePanelPacket(texts, ChipType::TypeA);
    ASSERT_EQ(packet.size(), 39u);
    EXPECT_EQ(packet[6], GetParam().high);
    EXPECT_EQ(packet[7], GetParam().low);
    int sum = 0;
    for (int i = 6; i < 38; ++i)
        sum += packet[i];
    EXPECT_EQ(packet[38], sum % 256);
}

INSTANTIATE_TEST_SUITE_P(Texts, VoltageText,
                         ::testing::Values(CodeCase{"-20", 0x00, 0x00}, CodeCase{"0", 0x80, 0x00},
                                           CodeCase{"19.999", 0xFF, 0xFE}, CodeCase{"-0.0005", 0x7F, 0xFF},
                                           CodeCase{"0.0003", 0x80, 0x00}, CodeCase{"12.00", 0xCC, 0xCD},
                                           CodeCase{"+20.00", 0xFF, 0xFF}, CodeCase{"20.00", 0xFF, 0xFF},
                                           CodeCase{"-25", 0x00, 0x00}, CodeCase{"-", 0x80, 0x00},
                                           CodeCase{"1,5", 0x80, 0x00}, CodeCase{"volts", 0x80, 0x00},
                                           CodeCase{"nan", 0x00, 0x00}, CodeCase{"1e9", 0xFF, 0xFF}));

} // namespace
