// The window the program shows: the main window with its painted background.
#pragma once

#include "Quorin_Interface.h"

class QPaintEvent;

class QuorinWidget : public Quorin_Interface {
    Q_OBJECT
public:
    using Quorin_Interface::Quorin_Interface;

protected:
    void paintEvent(QPaintEvent* event) override;
};
