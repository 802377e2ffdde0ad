// The settings file ./quorin_info.json: 78 text values, sixteen of them bound to the main window's
// voltage fields, the others carried from one run to the next unchanged.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <bitset>

namespace quorin {

class SettingsModel {
public:
    static constexpr int keyCount = 78;
    static constexpr int voltageCount = 16;

    // One voltage field: its key, the number in its object name "lineEdit_<n>" and its form text.
    struct VoltageKey {
        const char* key;
        int field;
        const char* formDefault;
    };

    // Every key in processing order; the voltage keys are entries 6 to 21.
    static const std::array<QString, keyCount>& keys();
    // The voltage keys in field order: lineEdit_35 first, lineEdit_50 last.
    static const std::array<VoltageKey, voltageCount>& voltageKeys();

    // Takes the values from a settings file's bytes. A member that is absent or not a string gives an
    // empty text; a top-level array counts as an empty object. Returns false, leaving every value empty,
    // when the bytes are not JSON.
    bool load(const QByteArray& bytes);
    // The 78 keys with their texts as one JSON object, indented by four spaces, keys sorted.
    QByteArray save() const;

    QString value(int index) const { return values_[index]; }
    void setValue(int index, const QString& text);

    // The text of voltage field i when the last load found it as a string, else nothing: the window
    // then keeps the field's form text.
    const QString* storedVoltage(int i) const;
    void setVoltage(int i, const QString& text);

private:
    std::array<QString, keyCount> values_;
    std::bitset<keyCount> stored_; // the member was a string in the file, or has been set since
};

// Writes the settings as a whole or not at all: an old file stays as it was when writing fails.
bool writeSettingsFile(const QString& path, const SettingsModel& settings);

} // namespace quorin
