// The main window: its form, menu bar, full-screen layouts and the slots of every operator control.
// The class is split over several files by concern; PendingSlots.cpp holds the slots still to be filled.
#pragma once

#include "FullScreenLayouts.h"
#include "SettingsModel.h"

#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>

#include <array>
#include <optional>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QFormLayout;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPaintEvent;
class QPushButton;
class QRadioButton;
class QRegularExpressionValidator;
class QScrollArea;
class QVBoxLayout;
class QWidgetAction;
class Quorin_VideoThread;

class Quorin_Interface : public QMainWindow {
    Q_OBJECT
public:
    explicit Quorin_Interface(QWidget* parent = nullptr);
    ~Quorin_Interface() override;

    // The one acquisition thread object; created without a parent and not deleted with the window,
    // so the process can stop it before anything it uses is destroyed (see Station.h).
    Quorin_VideoThread* acquisitionThread() const { return videoThread; }

public slots:
    void on_Open_Close_click();
    void keyPressEvent(QKeyEvent* event) override;
    void on_TFTConfig_click();
    void on_Capture_click();
    void on_Calibration_click();
    void on_Save_click();
    void DevelopModeSlot();
    void ConnectUs();
    void on_Password_close_click();
    void on_Password_ok_click();
    void on_Password_look_click();
    void on_Save_layout_dismiss_click();
    void on_Save_confirm_click();
    void on_Chip_switch();
    void on_Choice_Path_click();
    void onCurrentSetting();
    void on_GetMax();
    void on_GetMin();
    void showuilabel(QImage Qtemp);
    void savepic(QImage Qtemp);
    void on_Mirror_click();
    void on_Rotate_click();
    void threadSaveDialog();
    void threadSetMaxMinDialog();
    void threadRecordingLost();
    void threadBoardLost();
    void toggleFullscreen();

protected:
    void closeEvent(QCloseEvent* event) override;

    // Geometry of the screen under the mouse pointer, or none. Tests override it to choose a screen.
    virtual std::optional<QRect> screenUnderPointer() const;

    // While true, pictures arriving from the acquisition thread are ignored.
    bool displayFrozen = true;

    // Save options: the N of the last confirmed recording, and the last data export whose failures
    // the operator has been told of.
    int saveNumber = 0;
    int reportedExport = 0;

    // Menu bar.
    QMenuBar* menuBar_ = nullptr;
    QMenu* settingMenu = nullptr;
    QMenu* windowMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QWidgetAction* developerModeAction = nullptr;
    QWidgetAction* calibrationAction = nullptr;
    QWidgetAction* languageAction = nullptr;
    QWidgetAction* contactUsAction = nullptr;
    QWidgetAction* screenExchangeAction = nullptr;
    QPushButton* developerModeButton = nullptr;
    QPushButton* calibrationButton = nullptr;
    QPushButton* languageButton = nullptr;
    QPushButton* contactUsButton = nullptr;
    QPushButton* screenExchangeButton = nullptr;

    // Form: picture and overlay panels.
    QLabel* label = nullptr;
    QWidget* widget = nullptr;
    QWidget* password_input = nullptr;
    QLabel* label_4 = nullptr;
    QLineEdit* lineEdit_password = nullptr;
    QPushButton* pushButton_password_ok = nullptr;
    QPushButton* pushButton_look_password = nullptr;
    QPushButton* pushButton_password_close = nullptr;

    // Form: function panel.
    QWidget* widget_func = nullptr;
    QVBoxLayout* verticalLayout_7 = nullptr;
    QGridLayout* gridLayout = nullptr;
    QComboBox* comboBox = nullptr;
    QWidget* widget_10 = nullptr;
    QWidget* widget_11 = nullptr;
    QLabel* label_save = nullptr;
    QPushButton* pushButton_5 = nullptr;
    QPushButton* pushButton_2 = nullptr;
    QPushButton* pushButton = nullptr;
    QPushButton* pushButton_max = nullptr;
    QPushButton* pushButton_low = nullptr;

    // Form: save-options panel.
    QWidget* savelayout = nullptr;
    QPushButton* Buttonsave_dismiss = nullptr;
    QLabel* label_8 = nullptr;
    QLabel* label_9 = nullptr;
    QComboBox* comboBox_3 = nullptr;
    QLabel* label_12 = nullptr;
    QLineEdit* lineEdit_savename = nullptr;
    QLabel* label_11 = nullptr;
    QLineEdit* lineEdit_savepath = nullptr;
    QPushButton* pushButton_choice_path = nullptr;
    QCheckBox* checkBox_Data = nullptr;
    QCheckBox* checkBox_Video = nullptr;
    QCheckBox* checkBox_Picture = nullptr;
    QPushButton* pushButton_save_confirm = nullptr;

    // Form: running indicator and picture tools.
    QWidget* widget_7 = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QLabel* label_Running = nullptr;
    QPushButton* isRunning = nullptr;
    QWidget* widget_2 = nullptr;
    QHBoxLayout* horizontalLayout_2 = nullptr;
    QPushButton* pushButton_rotate = nullptr;
    QPushButton* pushButton_mirror = nullptr;

    // Form: settings panel, current range and chip type column.
    QWidget* widget_func1 = nullptr;
    QWidget* widget_set1 = nullptr;
    QVBoxLayout* verticalLayout_5 = nullptr;
    QWidget* widget_5 = nullptr;
    QLabel* DevelopMode_2 = nullptr;
    QFrame* ADC_layout_2 = nullptr;
    QWidget* verticalLayoutWidget = nullptr;
    QRadioButton* radioButton = nullptr;
    QRadioButton* radioButton_2 = nullptr;
    QRadioButton* radioButton_3 = nullptr;
    QRadioButton* radioButton_4 = nullptr;
    QPushButton* pushButton_6 = nullptr;
    QWidget* widget_4 = nullptr;
    QLabel* DevelopMode_3 = nullptr;
    QFrame* frame = nullptr;
    QRadioButton* radioSCAN = nullptr;
    QRadioButton* radioGOA = nullptr;
    QPushButton* pushButton_switch = nullptr;

    // Form: settings panel, voltage column. Rows of formLayout_4 in form order.
    QWidget* widget_set2 = nullptr;
    QVBoxLayout* verticalLayout_4 = nullptr;
    QLabel* label_10 = nullptr;
    QFrame* DAC_layout = nullptr;
    QPushButton* pushButton_11 = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* formLayoutWidget_4 = nullptr;
    QFormLayout* formLayout_4 = nullptr;
    QLabel* label_39 = nullptr;
    QLineEdit* lineEdit_38 = nullptr;
    QLabel* label_40 = nullptr;
    QLineEdit* lineEdit_39 = nullptr;
    QLabel* label_45 = nullptr;
    QLineEdit* lineEdit_44 = nullptr;
    QLabel* label_46 = nullptr;
    QLineEdit* lineEdit_45 = nullptr;
    QLabel* label_47 = nullptr;
    QLineEdit* lineEdit_46 = nullptr;
    QLabel* label_48 = nullptr;
    QLineEdit* lineEdit_47 = nullptr;
    QLabel* label_36 = nullptr;
    QLineEdit* lineEdit_35 = nullptr;
    QLabel* label_37 = nullptr;
    QLineEdit* lineEdit_36 = nullptr;
    QLabel* label_38 = nullptr;
    QLineEdit* lineEdit_37 = nullptr;
    QLabel* label_41 = nullptr;
    QLineEdit* lineEdit_40 = nullptr;
    QLabel* label_42 = nullptr;
    QLineEdit* lineEdit_41 = nullptr;
    QLabel* label_43 = nullptr;
    QLineEdit* lineEdit_42 = nullptr;
    QLabel* label_44 = nullptr;
    QLineEdit* lineEdit_43 = nullptr;
    QLabel* label_49 = nullptr;
    QLineEdit* lineEdit_48 = nullptr;
    QLabel* label_50 = nullptr;
    QLineEdit* lineEdit_49 = nullptr;
    QLabel* label_51 = nullptr;
    QLineEdit* lineEdit_50 = nullptr;

    // The one acquisition thread object of the process.
    Quorin_VideoThread* videoThread = nullptr;

private:
    void setupForm();
    void setupSettingsPanel();
    std::array<QLineEdit*, 6> visibleVoltageFields() const;
    std::array<QWidget*, 20> hiddenVoltageRowWidgets() const; // label and field of each hidden row
    void loadSettings();
    // The sixteen voltage fields in settings-key order, lineEdit_35 first.
    std::array<QLineEdit*, 16> voltageFields() const;
    // Both act only for the source "json", the settings file.
    void fillVoltageEdits(const QString& source);
    void readVoltageEdits(const QString& source);
    void saveSettings();
    void listDevices();
    void createMenuBar();
    void ensureCalibrationDirectory();
    void connectControls();
    void applyLayout(const PanelLayout& layout);
    void leaveFullscreen();
    void redrawLastImage();
    // The full capture stop path: stop protocol, apply command, indicator.
    void stopCapture();

    QRegularExpressionValidator* voltageValidator = nullptr;

    quorin::SettingsModel settings;
    // The "Calibration" toggle: true means its next click resets the level maps, false that it loads them.
    bool calibrationApplied = true;
};
