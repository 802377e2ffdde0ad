// The settings file through the real main window: what a start shows, what a close writes.
#include "MainWindowFixture.h"
#include "SettingsModel.h"
#include "Station.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>

#include <optional>

namespace quorin::test {
namespace {

const QString settingsFile = QStringLiteral("quorin_info.json");

// The window starts on the settings file the test chose, or on none.
class SettingsWindow : public MainWindowFixture {
protected:
    virtual std::optional<QByteArray> initialFile() const { return std::nullopt; }

    std::unique_ptr<QuorinWidget> createWindow() override {
        if (const auto content = initialFile()) {
            QFile file(settingsFile);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(*content);
        }
        return MainWindowFixture::createWindow();
    }

    // Closes the window as the operator does and reads back the file it wrote.
    QJsonObject closeAndRead() {
        EXPECT_TRUE(window->close());
        QFile file(settingsFile);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError);
        return document.object();
    }

    QString field(int number) const { return text(QStringLiteral("lineEdit_%1").arg(number)); }
};

// Every key is there as a string, and nothing else.
void expectComplete(const QJsonObject& saved) {
    EXPECT_EQ(saved.size(), SettingsModel::keyCount);
    for (const QString& key : SettingsModel::keys())
        EXPECT_TRUE(saved.value(key).isString()) << key.toStdString();
}

TEST_F(SettingsWindow, FirstStartSaysSoAndTheCloseWritesTheFieldsAndEmptyTexts) {
    EXPECT_EQ(messages, QStringList{QStringLiteral("first open")});
    EXPECT_EQ(field(37), QStringLiteral("-15.00"));
    find<QLineEdit>(QStringLiteral("lineEdit_38"))->setText(QStringLiteral("1.25"));

    const QJsonObject saved = closeAndRead();
    expectComplete(saved);
    int empty = 0;
    for (const QString& key : SettingsModel::keys())
        empty += saved.value(key).toString().isEmpty();
    EXPECT_EQ(empty, 62);
    for (const auto& voltage : SettingsModel::voltageKeys()) {
        const QString expected = voltage.field == 38 ? QStringLiteral("1.25") : QString(voltage.formDefault);
        EXPECT_EQ(saved.value(voltage.key).toString(), expected) << voltage.key;
    }
    EXPECT_EQ(messages, QStringList{QStringLiteral("first open")});
}

struct StartCase {
    const char* name;
    const char* json;
    const char* vgl;    // the "VGL" field (lineEdit_37) after the start
    const char* vbias1; // the "Vbias1" field (lineEdit_38), visible, with a validator
    const char* sideA;  // "side_a" after the close
};

class SettingsStart : public SettingsWindow, public ::testing::WithParamInterface<StartCase> {
protected:
    std::optional<QByteArray> initialFile() const override { return QByteArray(GetParam().json); }
};

TEST_P(SettingsStart, ShowsWhatTheFileHoldsAndTheCloseHealsIt) {
    const StartCase& c = GetParam();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(field(37), QString(c.vgl));
    EXPECT_EQ(field(38), QString(c.vbias1));

    const QJsonObject saved = closeAndRead();
    expectComplete(saved);
    EXPECT_EQ(saved.value("mVGL").toString(), QString(c.vgl));
    EXPECT_EQ(saved.value("mTFT_Vbias").toString(), QString(c.vbias1));
    EXPECT_EQ(saved.value("side_a").toString(), QString(c.sideA));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsStart,
    ::testing::Values(StartCase{"Stored", R"({"mVGL": "-14.5", "mTFT_Vbias": "2.5", "side_a": "left"})",
                                "-14.5", "2.5", "left"},
                      // Out of the visible fields' range, yet shown as stored.
                      StartCase{"OutOfRange", R"({"mTFT_Vbias": "25.00"})", "-15.00", "25.00", ""},
                      // A voltage that is not a string keeps its form text; so does a missing one.
                      StartCase{"Number", R"({"mVGL": -15, "side_a": 7})", "-15.00", "0.5", ""},
                      StartCase{"MissingKeys", R"({"side_a": "left"})", "-15.00", "0.5", "left"},
                      StartCase{"ExtraKey", R"({"extra": "gone", "mVGL": "-1"})", "-1", "0.5", ""},
                      StartCase{"Malformed", R"({"mVGL": "-1", )", "-15.00", "0.5", ""},
                      StartCase{"TopLevelArray", R"([{"mVGL": "-1"}])", "-15.00", "0.5", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsWindow, UnwritableFileIsReportedAndTheWindowStillCloses) {
    // A directory stands where the file would go: nothing can replace it.
    ASSERT_TRUE(workDir().mkpath(settingsFile + "/kept"));
    messages.clear();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages, QStringList{QStringLiteral("json file error!")});
    EXPECT_TRUE(workDir().exists(settingsFile + "/kept"));
}

} // namespace
} // namespace quorin::test
