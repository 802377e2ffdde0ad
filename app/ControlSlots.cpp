// The voltage panel, the current range and the chip type: each writes its settings to the board.
#include "Quorin_Interface.h"

#include "CommandFrames.h"
#include "Developer_Mode.h"
#include "OperatorDialogs.h"
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "SettingPanels.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace {

// Settings reach the board only while it is open and no capture owns the link.
bool boardTakesSettings() {
    if (!deviceOpen) {
        quorin::dialogs::message(QStringLiteral("No Device Connected"));
        return false;
    }
    if (captureRunning) {
        quorin::dialogs::message(QStringLiteral("Access prohibited during operation"));
        return false;
    }
    return true;
}

} // namespace

void Quorin_Interface::on_TFTConfig_click() {
    if (!boardTakesSettings())
        return;
    std::array<QString, 16> texts;
    const auto fields = voltageFields();
    std::transform(fields.begin(), fields.end(), texts.begin(), [](const QLineEdit* f) { return f->text(); });
    if (std::any_of(texts.begin(), texts.end(), [](const QString& t) { return t.isEmpty(); })) {
        quorin::dialogs::message(QStringLiteral("Some GOA input fields are empty"));
        return;
    }
    const auto chip = radioSCAN->isChecked() ? quorin::ChipType::TypeA : quorin::ChipType::TypeB;
    quorin::sendConfiguration(deviceHandle, quorin::voltagePanelPacket(texts, chip), lastStatus);
    label_save->setText(QStringLiteral("Voltage set success"));
}

void Quorin_Interface::onCurrentSetting() {
    if (!boardTakesSettings())
        return;
    const std::array ranges{radioButton, radioButton_2, radioButton_3, radioButton_4};
    const auto checked = std::find_if(ranges.begin(), ranges.end(), [](auto* r) { return r->isChecked(); });
    if (checked == ranges.end())
        return;
    const int range = static_cast<int>(checked - ranges.begin()) + 1;
    // The developer window's handlers send the ADC, SCAN and GOA packets through its own handle.
    developerWindow->deviceHandle = deviceHandle;
    developerWindow->lastStatus = lastStatus;
    developerWindow->rangePreset(range);
    videoThread->rangeFactor.store(quorin::rangeFactorFor(range), std::memory_order_relaxed);
    label_save->setText(QStringLiteral("Current set success"));
}

void Quorin_Interface::on_Chip_switch() {
    if (!boardTakesSettings())
        return;
    const auto chip = radioGOA->isChecked() ? quorin::ChipType::TypeB : quorin::ChipType::TypeA;
    const quorin::ChipPreset& preset = quorin::chipPreset(chip);
    const std::array fields{lineEdit_46, lineEdit_47, lineEdit_48, lineEdit_49};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i]->setText(QString::fromLatin1(preset.voltages[i]));
    quorin::sendConfiguration(deviceHandle, quorin::modeSelectCommand(preset.mode), lastStatus);
    quorin::dialogs::message(QStringLiteral("Chip select success Need reset voltage"));
}
