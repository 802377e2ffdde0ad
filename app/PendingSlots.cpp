// Slots whose behaviour is still to be filled; each group moves to the file of its concern.
#include "Quorin_Interface.h"

// Save options and progress.
void Quorin_Interface::on_Save_click() {}
void Quorin_Interface::on_Save_layout_dismiss_click() {}
void Quorin_Interface::on_Save_confirm_click() {}
void Quorin_Interface::on_Choice_Path_click() {}
void Quorin_Interface::threadSaveDialog() {}
