// The developer-mode gate (a password panel over the main window) and the contact dialog.
#include "ConnectDialog.h"
#include "Developer_Mode.h"
#include "OperatorDialogs.h"
#include "ProcessState.h"
#include "Quorin_Interface.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {
const QString developerPassword = QStringLiteral("907284");
} // namespace

void Quorin_Interface::DevelopModeSlot() {
    if (!deviceOpen) {
        quorin::dialogs::message(QStringLiteral("No Device Connected"));
        return;
    }
    savelayout->hide();
    password_input->show();
    widget->show();
    settingMenu->close();
}

void Quorin_Interface::on_Password_ok_click() {
    const QString entry = lineEdit_password->text();
    if (entry.isEmpty()) {
        quorin::dialogs::message(QStringLiteral("Please enter the password"));
        return;
    }
    if (entry != developerPassword) {
        quorin::dialogs::message(QStringLiteral("Password error"));
        return;
    }
    password_input->hide();
    widget->hide();
    developerWindow->setFixedSize(developerWindow->size());
    developerWindow->show();
    developerWindow->deviceHandle = deviceHandle;
    developerWindow->lastStatus = lastStatus;
    lineEdit_password->clear();
}

void Quorin_Interface::on_Password_look_click() {
    if (lineEdit_password->echoMode() == QLineEdit::Password) {
        lineEdit_password->setEchoMode(QLineEdit::Normal);
        pushButton_look_password->setStyleSheet(
            QStringLiteral("QPushButton { border-image: url(:/Image/images/password_off.png);}"));
    } else {
        lineEdit_password->setEchoMode(QLineEdit::Password);
        pushButton_look_password->setStyleSheet(
            QStringLiteral("QPushButton { border-image: url(:/Image/images/password_on.png);}"));
    }
}

void Quorin_Interface::on_Password_close_click() {
    password_input->hide();
    widget->hide();
}

void Quorin_Interface::ConnectUs() {
    ConnectDialog dialog;
    dialog.setWindowFlags(Qt::FramelessWindowHint);
    dialog.exec();
}
