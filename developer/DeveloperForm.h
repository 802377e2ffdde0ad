// The developer window's form, built in code: every panel with its object names, geometry and
// default texts. The window owns one and reaches its widgets through it.
#pragma once

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QWidget;

struct DeveloperForm {
    // ADC panel.
    QWidget* verticalLayoutWidget_2 = nullptr;
    QLabel* DevelopMode = nullptr;
    QFrame* ADC_layout = nullptr;
    QLineEdit* lineEdit_int0 = nullptr;
    QLineEdit* lineEdit_int1 = nullptr;
    QLineEdit* lineEdit_cfgreg = nullptr;
    QPushButton* pushButton_adc = nullptr;

    // Mode panel.
    QFrame* frame = nullptr;
    QRadioButton* radioGOA = nullptr;
    QRadioButton* radioSCAN = nullptr;
    QPushButton* pushButton_switch = nullptr;

    // Frame-rate panel.
    QFrame* frame_4 = nullptr;
    QLabel* label_7 = nullptr;
    QLineEdit* lineEdit_frame = nullptr;
    QPushButton* pushButton_Frame = nullptr;

    // DAC panel: the fields in voltage-packet slot order.
    QFrame* frame_2 = nullptr;
    QLabel* label_2 = nullptr;
    QFrame* DAC_layout = nullptr;
    std::array<QLineEdit*, 16> dac{};
    QPushButton* pushButton_dac = nullptr;

    // Timing tabs: the GOA fields in packet order; the SCAN fields are found by name on tab_2.
    QTabWidget* tabWidget = nullptr;
    QWidget* tab = nullptr;
    QWidget* tab_2 = nullptr;
    std::array<QLineEdit*, 16> goa{};
    QPushButton* pushButton_goa = nullptr;
    QPushButton* pushButton_scan = nullptr;

    // Parameter panel.
    QFrame* frame_3 = nullptr;
    QLabel* label_3 = nullptr;
    QTextEdit* textEdit_1 = nullptr;
    QTextEdit* textEdit = nullptr;
    QPushButton* pushButton_readparam = nullptr;

    // Builds every panel below `window` (which sits under the menu bar) and sizes the window.
    void setupUi(QWidget* window);
};
