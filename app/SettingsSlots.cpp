// The settings file: read while the window is built, written when it closes.
#include "Quorin_Interface.h"

#include "OperatorDialogs.h"

#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>

namespace {
const QString settingsPath = QStringLiteral("./quorin_info.json");
const QString jsonSource = QStringLiteral("json");
} // namespace

std::array<QLineEdit*, 16> Quorin_Interface::voltageFields() const {
    return {lineEdit_35, lineEdit_36, lineEdit_37, lineEdit_38, lineEdit_39, lineEdit_40,
            lineEdit_41, lineEdit_42, lineEdit_43, lineEdit_44, lineEdit_45, lineEdit_46,
            lineEdit_47, lineEdit_48, lineEdit_49, lineEdit_50};
}

void Quorin_Interface::loadSettings() {
    QFile file(settingsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        quorin::dialogs::message(QStringLiteral("first open"));
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    if (!settings.load(bytes))
        return; // malformed: the form texts stay, the next close writes a sound file
    fillVoltageEdits(jsonSource);
}

// A voltage the file does not carry as text keeps its form text: ten fields are hidden, and an emptied
// one would lock the voltage panel with no way to mend it from the window.
void Quorin_Interface::fillVoltageEdits(const QString& source) {
    if (source != jsonSource)
        return;
    const auto fields = voltageFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (const QString* stored = settings.storedVoltage(static_cast<int>(i)))
            fields[i]->setText(*stored);
}

void Quorin_Interface::readVoltageEdits(const QString& source) {
    if (source != jsonSource)
        return;
    const auto fields = voltageFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        settings.setVoltage(static_cast<int>(i), fields[i]->text());
}

void Quorin_Interface::saveSettings() {
    readVoltageEdits(jsonSource);
    if (!quorin::writeSettingsFile(settingsPath, settings))
        quorin::dialogs::message(QStringLiteral("json file error!"));
}

// Closing neither stops a capture nor closes the board: the station's shutdown does that.
void Quorin_Interface::closeEvent(QCloseEvent* event) {
    saveSettings();
    event->accept();
}
