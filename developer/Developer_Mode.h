// The developer window: register-level access to the board.
#pragma once

#include "ftd2xx.h"

#include <QWidget>

class Developer_Mode : public QWidget {
    Q_OBJECT
public:
    explicit Developer_Mode(QWidget* parent = nullptr);
    ~Developer_Mode() override;

    // The integration time INT0 in microseconds as typed; 0 when empty or not a whole number.
    int integrationTime() const;

    // The window's own copies, written by the main window when it shows this window or applies a range.
    FT_HANDLE deviceHandle = nullptr;
    FT_STATUS lastStatus = FT_OK;
};

class DevelopView : public Developer_Mode {
    Q_OBJECT
public:
    using Developer_Mode::Developer_Mode;
};
