// The developer gate and the contact dialog on the real main window.
#include "ConnectDialog.h"
#include "Developer_Mode.h"
#include "MainWindowFixture.h"
#include "ProcessState.h"
#include "QStringPrinting.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class DeveloperGate : public quorin::test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        messages.clear(); // the start-up's own messages
    }
    // The menu entry that leads here is kept out of every menu; its slot is what it would run.
    void openGate() { window->DevelopModeSlot(); }
    QLineEdit* entry() const { return find<QLineEdit>(QStringLiteral("lineEdit_password")); }
    bool gateOpen() const {
        return visible(QStringLiteral("password_input")) && visible(QStringLiteral("widget"));
    }
};

} // namespace

TEST_F(DeveloperGate, StaysClosedWithoutABoard) {
    openGate();
    EXPECT_EQ(messages, QStringList{"No Device Connected"});
    EXPECT_FALSE(visible("password_input"));
    EXPECT_FALSE(visible("widget"));
}

TEST_F(DeveloperGate, OnlyTheExactPasswordOpensTheDeveloperWindow) {
    openBoard();
    openGate();
    ASSERT_TRUE(gateOpen());
    EXPECT_FALSE(visible("savelayout"));

    const std::pair<const char*, const char*> refused[] = {{"", "Please enter the password"},
                                                           {" 907284", "Password error"},
                                                           {"907284 ", "Password error"},
                                                           {"9072840", "Password error"},
                                                           {"90728", "Password error"}};
    for (const auto& [typed, message] : refused) {
        messages.clear();
        entry()->setText(typed);
        click("pushButton_password_ok");
        EXPECT_EQ(messages, QStringList{message}) << typed;
        EXPECT_EQ(entry()->text(), typed);
        EXPECT_TRUE(gateOpen());
    }

    // Closing keeps the entry for the next opening.
    click("pushButton_password_close");
    EXPECT_FALSE(visible("password_input"));
    EXPECT_FALSE(visible("widget"));
    openGate();
    EXPECT_EQ(entry()->text(), "90728");

    // Return in the entry logs on like the button.
    messages.clear();
    entry()->setText("907284");
    QTest::keyClick(entry(), Qt::Key_Return);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_FALSE(gateOpen());
    EXPECT_TRUE(entry()->text().isEmpty());
    ASSERT_TRUE(developerWindow);
    EXPECT_TRUE(developerWindow->isVisible());
    EXPECT_EQ(developerWindow->minimumSize(), developerWindow->maximumSize());
    EXPECT_EQ(developerWindow->deviceHandle, deviceHandle);
    EXPECT_NE(developerWindow->deviceHandle, nullptr);
}

TEST_F(DeveloperGate, EyeButtonAlternatesMaskAndImage) {
    openBoard();
    openGate();
    EXPECT_EQ(entry()->echoMode(), QLineEdit::Password);
    auto* eye = find<QPushButton>("pushButton_look_password");
    click("pushButton_look_password");
    EXPECT_EQ(entry()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(eye->styleSheet(), "QPushButton { border-image: url(:/Image/images/password_off.png);}");
    click("pushButton_look_password");
    EXPECT_EQ(entry()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(eye->styleSheet(), "QPushButton { border-image: url(:/Image/images/password_on.png);}");
}

TEST_F(DeveloperGate, ContactDialogIsFramelessAndClosesWithOk) {
    QString title;
    QSize size;
    bool frameless = false;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ConnectDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        title = dialog->windowTitle();
        size = dialog->size();
        frameless = dialog->windowFlags().testFlag(Qt::FramelessWindowHint);
        for (QLabel* label : dialog->findChildren<QLabel*>())
            texts << label->text();
        dialog->findChild<QPushButton*>()->click();
    });
    click("contactUsButton"); // returns once the dialog has closed
    EXPECT_EQ(title, "Custom Dialog");
    EXPECT_EQ(size, QSize(300, 180));
    EXPECT_TRUE(frameless);
    ASSERT_EQ(texts.size(), 6);
    EXPECT_EQ(texts.mid(0, 1) + texts.mid(2, 1) + texts.mid(4, 1),
              (QStringList{"Email:", "Tel:", "Website:"}));
    EXPECT_TRUE(texts[1].contains("support@quorin-station.example"));
    EXPECT_TRUE(texts[5].contains("https://quorin-station.example"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
