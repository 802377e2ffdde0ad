// The menu bar of push-button entries, the full-screen switch with its screen-height layouts, Escape.
#include "Quorin_Interface.h"

#include "ProcessState.h"
#include "Styles.h"

#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWidgetAction>

void Quorin_Interface::createMenuBar() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setStyleSheet(quorin::styles::menuBar);

    auto makeMenu = [this](const QString& title, const char* name) {
        auto* menu = new QMenu(title, this);
        menu->setObjectName(QString::fromLatin1(name));
        menu->setStyleSheet(quorin::styles::menu);
        return menu;
    };
    settingMenu = makeMenu(QStringLiteral("    Setting    "), "settingMenu");
    helpMenu = makeMenu(QStringLiteral("    Help    "), "helpMenu");
    windowMenu = makeMenu(QStringLiteral("    Window    "), "windowMenu");

    // Each entry is a push button shown by a widget action, so the menus show buttons.
    auto makeEntry = [this](const QString& text, const char* name, QWidgetAction*& action,
                            QPushButton*& button) {
        action = new QWidgetAction(this);
        button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setStyleSheet(quorin::styles::menuEntry);
        action->setDefaultWidget(button);
    };
    makeEntry(QStringLiteral("Developer Mode"), "developerModeButton", developerModeAction,
              developerModeButton);
    makeEntry(QStringLiteral("Calibration"), "calibrationButton", calibrationAction, calibrationButton);
    makeEntry(QStringLiteral("Language"), "languageButton", languageAction, languageButton);
    makeEntry(QStringLiteral("Contact Us"), "contactUsButton", contactUsAction, contactUsButton);
    makeEntry(QStringLiteral("Screen Exchange"), "screenExchangeButton", screenExchangeAction,
              screenExchangeButton);

    settingMenu->addAction(calibrationAction);
    helpMenu->addAction(contactUsAction);
    windowMenu->addAction(screenExchangeAction);
    menuBar_->addMenu(settingMenu);
    menuBar_->addMenu(windowMenu);
    menuBar_->addMenu(helpMenu);
    setMenuBar(menuBar_);

    connect(developerModeButton, &QPushButton::clicked, this, &Quorin_Interface::DevelopModeSlot);
    connect(contactUsButton, &QPushButton::clicked, this, &Quorin_Interface::ConnectUs);
    connect(screenExchangeButton, &QPushButton::clicked, this, &Quorin_Interface::toggleFullscreen);
    connect(calibrationButton, &QPushButton::clicked, this, &Quorin_Interface::on_Calibration_click);
    // The developer gate is reached only by its hidden entry; "Language" has no handler.
    developerModeButton->hide();
}

std::optional<QRect> Quorin_Interface::screenUnderPointer() const {
    if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
        return screen->geometry();
    return std::nullopt;
}

void Quorin_Interface::applyLayout(const PanelLayout& layout) {
    label->setGeometry(layout.label);
    widget_func1->setGeometry(layout.widget_func1);
    widget_func->setGeometry(layout.widget_func);
    widget_7->setGeometry(layout.widget_7);
    password_input->setGeometry(layout.password_input);
    savelayout->setGeometry(layout.savelayout);
    widget_2->setGeometry(layout.widget_2);
    displaySize = layout.displaySize;
}

// A running capture redraws with its next frame; a stopped one shows its last picture at the new size.
void Quorin_Interface::redrawLastImage() {
    if (captureRunning || lastImage.isNull())
        return;
    label->setPixmap(QPixmap::fromImage(
        lastImage.scaled(displaySize, displaySize, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void Quorin_Interface::leaveFullscreen() {
    applyLayout(normalLayout());
    redrawLastImage();
    showNormal();
}

void Quorin_Interface::toggleFullscreen() {
    if (const std::optional<QRect> screen = screenUnderPointer()) {
        // right − left + 1 and bottom − top + 1, in logical pixels
        screenWidth = screen->width();
        screenHeight = screen->height();
        qDebug().noquote() << "当前显示器宽度：" << screenWidth;
        qDebug().noquote() << "当前显示器高度：" << screenHeight;
    }
    if (isFullScreen()) {
        leaveFullscreen();
    } else {
        showFullScreen();
        if (const std::optional<PanelLayout> layout = fullScreenLayout(screenHeight))
            applyLayout(*layout);
        redrawLastImage();
    }
    windowMenu->close();
}

void Quorin_Interface::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (isFullScreen())
        leaveFullscreen();
}
