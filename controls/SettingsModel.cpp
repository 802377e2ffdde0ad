#include "SettingsModel.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace quorin {
namespace {

constexpr int firstVoltageKey = 6;

std::array<QString, SettingsModel::keyCount> buildKeys() {
    QStringList keys{"side_a", "side_b", "treset", "mCFG_REG", "mTcalibration", "fps"};
    for (const auto& voltage : SettingsModel::voltageKeys())
        keys << QString::fromLatin1(voltage.key);
    keys << "scan_ck_high";
    for (int i = 1; i <= 8; ++i)
        keys << QStringLiteral("ck%1_start").arg(i);
    keys << "scan_high";
    for (int i = 1; i <= 32; ++i)
        keys << QStringLiteral("scan%1_start").arg(i);
    keys << "scan_total_period"
         << "rst_fall"
         << "rst_rise"
         << "Stv_rise"
         << "Stv_fall"
         << "ck_start"
         << "ck_high"
         << "ck_low"
         << "ck_num"
         << "xck_start"
         << "xck_high"
         << "xck_low"
         << "xck_num"
         << "total_period";
    Q_ASSERT(keys.size() == SettingsModel::keyCount);
    std::array<QString, SettingsModel::keyCount> result;
    std::copy(keys.begin(), keys.end(), result.begin());
    return result;
}

} // namespace

const std::array<QString, SettingsModel::keyCount>& SettingsModel::keys() {
    static const auto keys = buildKeys();
    return keys;
}

const std::array<SettingsModel::VoltageKey, SettingsModel::voltageCount>& SettingsModel::voltageKeys() {
    static constexpr std::array<VoltageKey, voltageCount> voltages{{
        {"mGOA_DC2", 35, "0.00"},
        {"mGOA_DC1", 36, "0.00"},
        {"mVGL", 37, "-15.00"},
        {"mTFT_Vbias", 38, "0.5"},
        {"mTFT_VCOM", 39, "-10.00"},
        {"mGOA_DCH", 40, "-15.00"},
        {"mGOA_DC3", 41, "0.00"},
        {"mMUX_H", 42, "-15.00"},
        {"mMUX_L", 43, "-15.00"},
        {"mPixel_DC1", 44, "3.00"},
        {"mPixel_DC2", 45, "-2.00"},
        {"mPixel_DC3", 46, "12.00"},
        {"mVclk_H", 47, "-12.00"},
        {"mVscan_L", 48, "17.00"},
        {"mVscan_H", 49, "-17.00"},
        {"mBK1", 50, "0.00"},
    }};
    return voltages;
}

bool SettingsModel::load(const QByteArray& bytes) {
    values_ = {};
    stored_.reset();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return false;
    const QJsonObject object = document.object(); // empty for an array
    for (int i = 0; i < keyCount; ++i) {
        const QJsonValue member = object.value(keys()[i]);
        if (member.isString()) {
            values_[i] = member.toString();
            stored_.set(i);
        }
    }
    return true;
}

QByteArray SettingsModel::save() const {
    QJsonObject object;
    for (int i = 0; i < keyCount; ++i)
        object.insert(keys()[i], values_[i]);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

void SettingsModel::setValue(int index, const QString& text) {
    values_[index] = text;
    stored_.set(index);
}

const QString* SettingsModel::storedVoltage(int i) const {
    const int index = firstVoltageKey + i;
    return stored_.test(index) ? &values_[index] : nullptr;
}

void SettingsModel::setVoltage(int i, const QString& text) {
    setValue(firstVoltageKey + i, text);
}

bool writeSettingsFile(const QString& path, const SettingsModel& settings) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(settings.save());
    return file.commit();
}

} // namespace quorin
