#include "Developer_Mode.h"

#include "CommandFrames.h"
#include "DeveloperForm.h"
#include "DeveloperStyle.h"
#include "OperatorDialogs.h"
#include "PacketTrace.h"
#include "RunningDataManager.h"
#include "TimingPackets.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QWidgetAction>

#include <string>

Developer_Mode::Developer_Mode(QWidget* parent) : QWidget(parent), ui(std::make_unique<DeveloperForm>()) {
    buildMenuBar();
    ui->setupUi(this);

    connect(ui->pushButton_readparam, &QPushButton::clicked, this, &Developer_Mode::on_ReadParam_Clicked);
    connect(ui->pushButton_adc, &QPushButton::clicked, this, &Developer_Mode::on_ADCConfig_Clicked);
    connect(ui->pushButton_dac, &QPushButton::clicked, this, &Developer_Mode::on_DACConfig_Clicked);
    connect(ui->pushButton_goa, &QPushButton::clicked, this, &Developer_Mode::on_GOAConfig_Clicked);
    connect(ui->pushButton_scan, &QPushButton::clicked, this, &Developer_Mode::on_SCANConfig_Clicked);
    connect(ui->pushButton_switch, &QPushButton::clicked, this, &Developer_Mode::on_ModeSwitch_Clicked);
    connect(ui->pushButton_Frame, &QPushButton::clicked, this, &Developer_Mode::on_FREQConfig_Clicked);
}

Developer_Mode::~Developer_Mode() = default;

void Developer_Mode::buildMenuBar() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setStyleSheet(developerstyle::menuBar);
    menuBar->setGeometry(0, 0, 948, 28);
    settingMenu = menuBar->addMenu(QStringLiteral("    Setting    "));
    helpMenu = menuBar->addMenu(QStringLiteral("    Help    "));

    auto entry = [this](QMenu* menu, const QString& text, QWidgetAction*& action, QPushButton*& button,
                        void (Developer_Mode::*slot)()) {
        button = new QPushButton(text);
        button->setFlat(true);
        button->setStyleSheet(developerstyle::menuButton);
        action = new QWidgetAction(menu);
        action->setDefaultWidget(button);
        menu->addAction(action);
        connect(button, &QPushButton::clicked, this, slot);
    };
    entry(settingMenu, QStringLiteral("Client  Mode"), clientModeAction, clientModeButton,
          &Developer_Mode::on_ClientMode_Clicked);
    entry(settingMenu, QStringLiteral("About"), aboutAction, aboutButton, &Developer_Mode::on_About_Clicked);
    entry(helpMenu, QStringLiteral("Language"), languageAction, languageButton,
          &Developer_Mode::on_Language_Clicked);
    entry(helpMenu, QStringLiteral("Contact Us"), contactAction, contactButton,
          &Developer_Mode::on_Connect_Clicked);
}

int Developer_Mode::integrationTime() const {
    return ui->lineEdit_int0->text().toInt();
}

bool Developer_Mode::refusedDuringCapture() const {
    if (!RunningDataManager::instance()->sharedVariable())
        return false;
    quorin::dialogs::message(QStringLiteral("Access prohibited during operation"));
    return true;
}

QLineEdit* Developer_Mode::timingField(int number) const {
    const bool scan =
        number >= quorin::scanFirstField && number < quorin::scanFirstField + quorin::scanValueCount;
    QWidget* page = scan ? ui->tab_2 : ui->tab;
    return page->findChild<QLineEdit*>(QStringLiteral("lineEdit_%1").arg(number));
}

void Developer_Mode::rangePreset(int range) {
    const auto preset = quorin::rangePresetTexts(range);
    if (!preset)
        return;
    auto text = [](std::string_view s) { return QString::fromLatin1(s.data(), static_cast<int>(s.size())); };
    ui->lineEdit_int0->setText(text(preset->int0));
    ui->lineEdit_int1->setText(text(preset->int1));
    ui->lineEdit_cfgreg->setText(text(preset->cfgReg));
    ui->lineEdit_frame->setText(text(preset->frame));
    quorin::writeTrace(std::to_string(range) + "\n");

    on_ADCConfig_Clicked();
    on_FREQConfig_Clicked();
    on_SCANConfig_Clicked();
    on_GOAConfig_Clicked();
}

void Developer_Mode::on_ModeSwitch_Clicked() {
    if (refusedDuringCapture())
        return;
    const auto mode = ui->radioGOA->isChecked() ? quorin::BoardMode::Goa : quorin::BoardMode::Scan;
    quorin::sendConfiguration(deviceHandle, quorin::modeSelectCommand(mode), lastStatus);
}

void DevelopView::paintEvent(QPaintEvent* event) {
    // A plain warm background: the splash picture would only compete with the register panels.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0xF8, 0xF4, 0xEF));
    painter.end();
    Developer_Mode::paintEvent(event);
}
