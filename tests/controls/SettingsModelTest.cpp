// The settings model without a window: what a file gives, what the next close writes.
#include "SettingsModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using quorin::SettingsModel;

namespace {

int indexOf(const char* key) {
    const auto& keys = SettingsModel::keys();
    const auto it = std::find(keys.begin(), keys.end(), QString::fromLatin1(key));
    EXPECT_NE(it, keys.end()) << key;
    return static_cast<int>(it - keys.begin());
}

int voltageIndexOf(const char* key) {
    const auto& voltages = SettingsModel::voltageKeys();
    for (std::size_t i = 0; i < voltages.size(); ++i)
        if (QLatin1String(voltages[i].key) == QLatin1String(key))
            return static_cast<int>(i);
    ADD_FAILURE() << key;
    return 0;
}

struct LoadCase {
    const char* name;
    const char* json;
    bool parses;
    const char* vgl;  // the stored text of "mVGL", or nullptr when the field keeps its form text
    const char* side; // the value of "side_a"
};

class SettingsLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SettingsLoad, TakesStringMembersOnly) {
    const LoadCase& c = GetParam();
    SettingsModel model;
    EXPECT_EQ(model.load(QByteArray(c.json)), c.parses);
    const QString* vgl = model.storedVoltage(voltageIndexOf("mVGL"));
    if (c.vgl) {
        ASSERT_NE(vgl, nullptr);
        EXPECT_EQ(*vgl, QString::fromUtf8(c.vgl));
    } else {
        EXPECT_EQ(vgl, nullptr);
    }
    EXPECT_EQ(model.value(indexOf("side_a")), QString::fromUtf8(c.side));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsLoad,
    ::testing::Values(LoadCase{"Complete", R"({"mVGL": "-14.5", "side_a": "left"})", true, "-14.5", "left"},
                      LoadCase{"Number", R"({"mVGL": -15, "side_a": 3})", true, nullptr, ""},
                      LoadCase{"OtherKinds", R"({"mVGL": null, "side_a": ["x"]})", true, nullptr, ""},
                      LoadCase{"MissingKey", R"({"side_a": "left"})", true, nullptr, "left"},
                      LoadCase{"KeysAreCaseSensitive", R"({"mvgl": "1", "SIDE_A": "x"})", true, nullptr, ""},
                      LoadCase{"OutOfRangeTextKept", R"({"mVGL": "25.00"})", true, "25.00", ""},
                      LoadCase{"EmptyTextIsStored", R"({"mVGL": ""})", true, "", ""},
                      LoadCase{"Malformed", R"({"mVGL": "-14.5", )", false, nullptr, ""},
                      LoadCase{"Empty", "", false, nullptr, ""},
                      LoadCase{"TopLevelArray", R"([{"mVGL": "1"}])", true, nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsModel, ReloadClearsWhatTheLastFileGave) {
    SettingsModel model;
    ASSERT_TRUE(model.load(R"({"mVGL": "1", "fps": "30"})"));
    EXPECT_FALSE(model.load("not json"));
    EXPECT_EQ(model.storedVoltage(voltageIndexOf("mVGL")), nullptr);
    EXPECT_EQ(model.value(indexOf("fps")), QString());
}

TEST(SettingsModel, WritesAllKeysSortedAndIndentedDroppingUnknownOnes) {
    SettingsModel model;
    ASSERT_TRUE(model.load(R"({"fps": "30", "Stv_fall": "a\"b", "mBK1": "\u00fc", "unknown": "gone"})"));
    model.setVoltage(voltageIndexOf("mVGL"), QStringLiteral("-1.5"));
    const char* expected = R"({
    "Stv_fall": "a\"b",
    "Stv_rise": "",
    "ck1_start": "",
    "ck2_start": "",
    "ck3_start": "",
    "ck4_start": "",
    "ck5_start": "",
    "ck6_start": "",
    "ck7_start": "",
    "ck8_start": "",
    "ck_high": "",
    "ck_low": "",
    "ck_num": "",
    "ck_start": "",
    "fps": "30",
    "mBK1": "ü",
    "mCFG_REG": "",
    "mGOA_DC1": "",
    "mGOA_DC2": "",
    "mGOA_DC3": "",
    "mGOA_DCH": "",
    "mMUX_H": "",
    "mMUX_L": "",
    "mPixel_DC1": "",
    "mPixel_DC2": "",
    "mPixel_DC3": "",
    "mTFT_VCOM": "",
    "mTFT_Vbias": "",
    "mTcalibration": "",
    "mVGL": "-1.5",
    "mVclk_H": "",
    "mVscan_H": "",
    "mVscan_L": "",
    "rst_fall": "",
    "rst_rise": "",
    "scan10_start": "",
    "scan11_start": "",
    "scan12_start": "",
    "scan13_start": "",
    "scan14_start": "",
    "scan15_start": "",
    "scan16_start": "",
    "scan17_start": "",
    "scan18_start": "",
    "scan19_start": "",
    "scan1_start": "",
    "scan20_start": "",
    "scan21_start": "",
    "scan22_start": "",
    "scan23_start": "",
    "scan24_start": "",
    "scan25_start": "",
    "scan26_start": "",
    "scan27_start": "",
    "scan28_start": "",
    "scan29_start": "",
    "scan2_start": "",
    "scan30_start": "",
    "scan31_start": "",
    "scan32_start": "",
    "scan3_start": "",
    "scan4_start": "",
    "scan5_start": "",
    "scan6_start": "",
    "scan7_start": "",
    "scan8_start": "",
    "scan9_start": "",
    "scan_ck_high": "",
    "scan_high": "",
    "scan_total_period": "",
    "side_a": "",
    "side_b": "",
    "total_period": "",
    "treset": "",
    "xck_high": "",
    "xck_low": "",
    "xck_num": "",
    "xck_start": ""
}
)";
    EXPECT_EQ(model.save().toStdString(), std::string(expected));
}

TEST(SettingsModel, SavedTextLoadsBackToTheSameValues) {
    SettingsModel model;
    for (int i = 0; i < SettingsModel::keyCount; ++i)
        model.setValue(i, QStringLiteral("v%1 \u00e9").arg(i));
    SettingsModel reloaded;
    ASSERT_TRUE(reloaded.load(model.save()));
    for (int i = 0; i < SettingsModel::keyCount; ++i)
        EXPECT_EQ(reloaded.value(i), model.value(i)) << SettingsModel::keys()[i].toStdString();
}

TEST(SettingsFile, WritesTheModel) {
    QTemporaryDir dir;
    SettingsModel model;
    model.setValue(indexOf("fps"), QStringLiteral("9"));
    const QString path = dir.filePath(QStringLiteral("quorin_info.json"));
    ASSERT_TRUE(quorin::writeSettingsFile(path, model));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), model.save());
}

TEST(SettingsFile, FailureLeavesWhatWasThere) {
    QTemporaryDir dir;
    SettingsModel model;
    EXPECT_FALSE(quorin::writeSettingsFile(dir.filePath(QStringLiteral("missing/quorin_info.json")), model));
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("missing"))).exists());

    // A directory where the file should be cannot be replaced by the file.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("quorin_info.json/kept")));
    EXPECT_FALSE(quorin::writeSettingsFile(dir.filePath(QStringLiteral("quorin_info.json")), model));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("quorin_info.json/kept"))).exists());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "temporary file left";
}

} // namespace
