// The main window's look: the style sheets of its panels and controls.
#pragma once

#include <QString>

namespace quorin::styles {

inline const QString window = QStringLiteral(
    "QLineEdit { background-color: white; border: 1px solid grey; border-radius: 5px; min-height: 20px; }"
    "QLineEdit:hover { border: 1px solid #666666; background-color: #FBFBFB; }"
    "QLineEdit:focus { border: 2px solid #666666; }"
    "QScrollBar:vertical { width: 5px; background: #e4d8cb; border: none; }"
    "QScrollBar::handle:vertical { background: #896827; border-radius: 2px; }"
    "QScrollBar::handle:vertical:hover { background: #CC8C6A26; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }"
    "QComboBox QAbstractItemView { background-color: #e4d8cb; selection-background-color: #896827; }"
    "QLabel { font-family: Arial; }");

inline const QString panelFrame = QStringLiteral("border: 2px solid #896827; border-radius: 10px;");
inline const QString panelTitle =
    QStringLiteral("QLabel { border: 1px solid #896827; border-radius: 5px; font-size: 14px; "
                   "qproperty-alignment: AlignCenter; }");

inline const QString actionButton = QStringLiteral(
    "QPushButton { background-color: #CC8C6A26; color: white; font-weight: bold; font-size: 14px; "
    "border: none; border-radius: 5px; }"
    "QPushButton:hover { background-color: #8C6A26; }"
    "QPushButton:disabled { background-color: #66896827; }");
inline const QString settingButton = QStringLiteral(
    "QPushButton { background-color: #8C6A26; color: white; font-weight: bold; font-size: 14px; "
    "border: none; border-radius: 5px; }"
    "QPushButton:hover { background-color: #CC8C6A26; }");

inline const QString comboBox = QStringLiteral(
    "QComboBox { background-color: white; border: 1px solid #8C6927; border-radius: 5px; "
    "padding-left: 4px; }"
    "QComboBox::drop-down { border: none; width: 20px; }"
    "QComboBox::down-arrow { image: url(:/Image/images/down_arrow.png); width: 12px; height: 12px; }"
    "QComboBox::down-arrow:on { image: url(:/Image/images/up_arrow.png); }");

inline const QString overlay = QStringLiteral("#widget { background-color: #22050505; }");
inline const QString floatingPanel = QStringLiteral("background-color: #EFDCC8; border-radius: 10px;");

inline QString imageButton(const QString& image) {
    return QStringLiteral("QPushButton { border-image: url(:/Image/images/%1);}").arg(image);
}
inline QString imageButton(const QString& image, const QString& pressedImage) {
    return imageButton(image) +
           QStringLiteral("QPushButton:hover, QPushButton:pressed { border-image: url(:/Image/images/%1);}")
               .arg(pressedImage);
}

inline const QString alwaysTickedCheckBox =
    QStringLiteral("QCheckBox::indicator { width: 14px; height: 14px; }"
                   "QCheckBox::indicator:unchecked { image: url(:/Image/images/checkbox-checked.png); }"
                   "QCheckBox::indicator:checked { image: url(:/Image/images/checkbox-checked.png); }");
inline const QString checkBox =
    QStringLiteral("QCheckBox::indicator { width: 14px; height: 14px; }"
                   "QCheckBox::indicator:unchecked { image: url(:/Image/images/checkbox.png); }"
                   "QCheckBox::indicator:checked { image: url(:/Image/images/checkbox-checked.png); }");

inline const QString menuBar =
    QStringLiteral("QMenuBar { background-color: #F8F8F8; font-family: Arial; font-size: 14px; "
                   "border-bottom: 1px solid #CC8C6A26; }"
                   "QMenuBar::item { color: #333333; background: transparent; padding: 4px 6px; }"
                   "QMenuBar::item:selected { color: #886827; }");
inline const QString menu = QStringLiteral("QMenu { border: none;}");
inline const QString menuEntry = QStringLiteral(
    "QPushButton { background-color: #e4d8cb; color: #1a1a1a; font-size: 12px; text-align: left; "
    "padding: 4px 20px 4px 10px; border: none; border-bottom: 1px solid #CC8C6A26; }"
    "QPushButton:hover { background-color: #CC8C6A26; }");

} // namespace quorin::styles
