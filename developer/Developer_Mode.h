// The developer window: register-level access to the board (ADC, frame rate, DAC, GOA and SCAN
// timing, the GOA/SCAN mode and the read-back of the parameter block).
#pragma once

#include "ftd2xx.h"

#include <QWidget>

#include <memory>
#include <span>

class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidgetAction;
struct DeveloperForm;

class Developer_Mode : public QWidget {
    Q_OBJECT
public:
    explicit Developer_Mode(QWidget* parent = nullptr);
    ~Developer_Mode() override;

    // The integration time INT0 in microseconds as typed; 0 when empty or not a whole number.
    int integrationTime() const;

    // Writes the current range's preset (1 to 4) into the ADC and frame-rate fields, then sends the
    // ADC packet, derives the timing fields and sends the SCAN and GOA packets. Other numbers do nothing.
    void rangePreset(int range);

    // The window's own copies, written by the main window when it shows this window or applies a range.
    // Every board write of this window goes through them.
    FT_HANDLE deviceHandle = nullptr;
    FT_STATUS lastStatus = FT_OK;

public slots:
    void on_ADCConfig_Clicked();
    void on_DACConfig_Clicked();
    void on_GOAConfig_Clicked();
    void on_SCANConfig_Clicked();
    void on_ReadParam_Clicked();
    void on_ModeSwitch_Clicked();
    void on_FREQConfig_Clicked();
    // Lists one complete 256-byte parameter block and writes its values into the fields.
    void analyParam(UCHAR* data);
    void on_ClientMode_Clicked() {}
    void on_Language_Clicked() {}
    void on_Connect_Clicked() {}
    void on_About_Clicked() {}

private:
    void buildMenuBar();
    // Shows "Access prohibited during operation" and answers true while a capture runs.
    bool refusedDuringCapture() const;
    // Not during a capture, and not while any of `fields` is empty (then `emptyMessage` is shown).
    bool readyToSend(std::span<QLineEdit* const> fields, const QString& emptyMessage) const;
    QLineEdit* timingField(int number) const;

    QMenuBar* menuBar = nullptr;
    QMenu* settingMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QWidgetAction* clientModeAction = nullptr;
    QWidgetAction* aboutAction = nullptr;
    QWidgetAction* languageAction = nullptr;
    QWidgetAction* contactAction = nullptr;
    QPushButton* clientModeButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QPushButton* languageButton = nullptr;
    QPushButton* contactButton = nullptr;
    std::unique_ptr<DeveloperForm> ui;
};

// The class the main window creates; it paints the window's background.
class DevelopView : public Developer_Mode {
    Q_OBJECT
public:
    using Developer_Mode::Developer_Mode;

protected:
    void paintEvent(QPaintEvent* event) override;
};
