// Slots whose behaviour is still to be filled; each group moves to the file of its concern.
#include "Quorin_Interface.h"

#include <QCloseEvent>

// Save options and progress.
void Quorin_Interface::on_Save_click() {}
void Quorin_Interface::on_Save_layout_dismiss_click() {}
void Quorin_Interface::on_Save_confirm_click() {}
void Quorin_Interface::on_Choice_Path_click() {}
void Quorin_Interface::threadSaveDialog() {}

// Operator controls: voltages, current range, chip type, references, settings file.
void Quorin_Interface::on_TFTConfig_click() {}
void Quorin_Interface::onCurrentSetting() {}
void Quorin_Interface::on_Chip_switch() {}
void Quorin_Interface::on_GetMax() {}
void Quorin_Interface::on_GetMin() {}
void Quorin_Interface::threadSetMaxMinDialog() {}
void Quorin_Interface::on_Calibration_click() {}
void Quorin_Interface::loadSettings() {}
void Quorin_Interface::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
}
