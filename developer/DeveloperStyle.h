// The developer window's look: one window-wide style sheet and the menu bar's sheets.
#pragma once

namespace developerstyle {

inline constexpr const char* window = R"(
QLabel, QRadioButton { font-size: 12px; }
QLineEdit { background-color: white; border: 1px solid gray; border-radius: 5px; font-size: 12px; }
QPushButton { background-color: #8C6A26; border-radius: 12px; color: white; font-size: 13px; }
QPushButton:hover { background-color: #A5823A; }
QPushButton:pressed { background-color: #BF9B52; }
QFrame#ADC_layout, QFrame#DAC_layout { border: 2px solid #896827; border-radius: 10px; }
QFrame#frame, QFrame#frame_4 { border: 2px dashed #896827; border-radius: 10px; }
QTextEdit#textEdit_1 { background: transparent; border: 2px solid #896827; border-radius: 10px; }
QTextEdit#textEdit { background-color: white; border: none; }
QLabel#DevelopMode, QLabel#label_2, QLabel#label_3 {
    background-color: #896827; color: white; font-size: 14px; border-radius: 5px; }
QScrollArea { border: none; background: transparent; }
QTabBar::tab { height: 30px; min-width: 60px; font-size: 13px; background-color: #896827; color: white; }
QTabBar::tab:selected { background-color: #e4d8cb; color: black; }
QRadioButton::indicator { width: 12px; height: 12px; border-radius: 7px; border: 1px solid #896827; }
QRadioButton::indicator:checked { background-color: #896827; }
QScrollBar:vertical { width: 5px; background: #e4d8cb; }
QScrollBar::handle:vertical { background: #896827; border-radius: 2px; }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }
)";

inline constexpr const char* menuBar = "QMenuBar { background-color: #F8F8F8; font: 14px Arial; }"
                                       "QMenu { border: none; }";

inline constexpr const char* menuButton = "QPushButton { background-color: #e4d8cb; text-align: left; "
                                          "font-size: 12px; border: none; padding: 4px 12px; color: black; }";

} // namespace developerstyle
