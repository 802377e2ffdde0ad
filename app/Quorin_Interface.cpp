// The main window's construction: thread object, form, settings, board list, menus, connections.
#include "Quorin_Interface.h"

#include "ComboBoxDelegate.h"
#include "Developer_Mode.h"
#include "ProcessState.h"
#include "QuorinResources.h"
#include "Quorin_VideoThread.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

Quorin_Interface::Quorin_Interface(QWidget* parent) : QMainWindow(parent) {
    quorin::initResources();
    videoThread = new Quorin_VideoThread();
    setupForm();
    loadSettings(); // before the validators, so stored texts are taken as they are
    listDevices();
    createMenuBar();
    voltageValidator = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(R"(^-?((20(\.00?)?)|([0-1]?[0-9](\.\d{1,3})?))$)")), this);
    ensureCalibrationDirectory();
    for (QLineEdit* field : visibleVoltageFields())
        field->setValidator(voltageValidator);

    auto* delegate = new ComboBoxDelegate(comboBox);
    comboBox->setItemDelegate(delegate);
    comboBox_3->setItemDelegate(delegate);
    password_input->hide();
    widget->hide();
    comboBox_3->addItems({QStringLiteral(" 1"), QStringLiteral(" 30"), QStringLiteral(" 50"),
                          QStringLiteral(" 100"), QStringLiteral(" 500"), QStringLiteral(" 1000")});
    comboBox_3->setCurrentIndex(1);
    developerWindow = new DevelopView();
    savelayout->hide();
    comboBox->setEnabled(true);
    for (QWidget* hidden : hiddenVoltageRowWidgets())
        hidden->hide();
    widget_10->hide();
    label_save->setStyleSheet(QStringLiteral("QLabel { qproperty-alignment: AlignCenter; }"));
    connectControls();
}

// The thread object and the developer window outlive the window; closeStation releases them.
Quorin_Interface::~Quorin_Interface() = default;

// Calibration files are opened by relative paths, so the directory lives in the working directory.
void Quorin_Interface::ensureCalibrationDirectory() {
    const QString name = QDir::current().absoluteFilePath(QStringLiteral("Calibration"));
    if (QDir(name).exists())
        qDebug().noquote() << "文件夹已经存在：" << name;
    else if (QDir().mkpath(name))
        qDebug().noquote() << "文件夹创建成功：" << name;
    else
        qDebug().noquote() << "文件夹创建失败：" << name;
}

void Quorin_Interface::connectControls() {
    using Q = Quorin_Interface;
    connect(pushButton_password_close, &QPushButton::clicked, this, &Q::on_Password_close_click);
    connect(pushButton_password_ok, &QPushButton::clicked, this, &Q::on_Password_ok_click);
    connect(pushButton_look_password, &QPushButton::clicked, this, &Q::on_Password_look_click);
    connect(pushButton_6, &QPushButton::clicked, this, &Q::onCurrentSetting);
    connect(pushButton, &QPushButton::clicked, this, &Q::on_Save_click);
    connect(pushButton_2, &QPushButton::clicked, this, &Q::on_Capture_click);
    connect(pushButton_5, &QPushButton::clicked, this, &Q::on_Open_Close_click);
    connect(pushButton_max, &QPushButton::clicked, this, &Q::on_GetMax);
    connect(pushButton_low, &QPushButton::clicked, this, &Q::on_GetMin);
    connect(pushButton_11, &QPushButton::clicked, this, &Q::on_TFTConfig_click);
    connect(pushButton_save_confirm, &QPushButton::clicked, this, &Q::on_Save_confirm_click);
    connect(pushButton_choice_path, &QPushButton::clicked, this, &Q::on_Choice_Path_click);
    connect(pushButton_switch, &QPushButton::clicked, this, &Q::on_Chip_switch);
    connect(Buttonsave_dismiss, &QPushButton::clicked, this, &Q::on_Save_layout_dismiss_click);
    connect(lineEdit_password, &QLineEdit::returnPressed, this, &Q::on_Password_ok_click);
    connect(videoThread, &Quorin_VideoThread::setFlag, this, &Q::threadSetMaxMinDialog);
    connect(videoThread, &Quorin_VideoThread::recordingLost, this, &Q::threadRecordingLost);
    connect(videoThread, &Quorin_VideoThread::boardLost, this, &Q::threadBoardLost);
    connect(pushButton_rotate, &QPushButton::clicked, this, &Q::on_Rotate_click);
    connect(pushButton_mirror, &QPushButton::clicked, this, &Q::on_Mirror_click);
}
