// Listing the attached boards and opening or closing the selected one.
#include "Quorin_Interface.h"

#include "Bounds.h"
#include "CommandFrames.h"
#include "OperatorDialogs.h"
#include "ProcessState.h"

#include <QComboBox>
#include <QPushButton>

#include <array>
#include <iostream>
#include <thread>
#include <vector>

namespace {

void openFailed() {
    quorin::dialogs::message(QStringLiteral("No Device Connected"));
}

// The bridge's configuration for synchronous FIFO transfers; the handshake decides whether it took.
void configureBridge(FT_HANDLE handle) {
    FT_Purge(handle, FT_PURGE_RX | FT_PURGE_TX);
    FT_SetBitMode(handle, FT_BITMODE_RESET, FT_BITMODE_SYNC_FIFO);
    FT_SetUSBParameters(handle, 65536, 65536);
    FT_SetFlowControl(handle, FT_FLOW_RTS_CTS, 0, 0);
    FT_SetTimeouts(handle, quorin::bounds::openReadTimeoutMs, quorin::bounds::openWriteTimeoutMs);
}

// The board proves it is there by answering the parameter request; only the arrival of bytes counts.
bool boardAnswers(FT_HANDLE handle) {
    quorin::sendFrame(handle, quorin::parameterRequest(), lastStatus);
    std::array<unsigned char, 256> reply{};
    for (int attempt = 0; attempt < quorin::bounds::handshakeAttempts; ++attempt) {
        DWORD queued = 0, transmitQueued = 0, events = 0;
        lastStatus = FT_GetStatus(handle, &queued, &transmitQueued, &events);
        const DWORD length = std::min<DWORD>(queued, reply.size());
        DWORD returned = 0;
        lastStatus = FT_Read(handle, reply.data(), length, &returned);
        if (queued != 0)
            return true;
        std::this_thread::sleep_for(quorin::bounds::handshakeAttemptPause);
    }
    return false;
}

} // namespace

void Quorin_Interface::listDevices() {
    DWORD count = 0;
    lastStatus = FT_CreateDeviceInfoList(&count);
    if (lastStatus != FT_OK)
        return;
    if (count == 0) {
        comboBox->addItem(QStringLiteral(" NO Devices "));
        return;
    }
    std::vector<FT_DEVICE_LIST_INFO_NODE> nodes(count);
    lastStatus = FT_GetDeviceInfoList(nodes.data(), &count);
    if (lastStatus != FT_OK)
        return;
    for (DWORD i = 0; i < std::min<DWORD>(count, nodes.size()); ++i) {
        const FT_DEVICE_LIST_INFO_NODE& node = nodes[i];
        comboBox->addItem(
            QString::fromUtf8(node.SerialNumber, qstrnlen(node.SerialNumber, sizeof node.SerialNumber)));
    }
}

void Quorin_Interface::on_Open_Close_click() {
    if (pushButton_5->text() != QLatin1String("Open")) {
        // Never take the handle away from a running acquisition loop.
        if (captureRunning)
            stopCapture();
        pushButton_5->setText(QStringLiteral("Open"));
        deviceOpen = false;
        FT_Close(deviceHandle);
        return;
    }

    const QByteArray serial = comboBox->currentText().toUtf8();
    std::cout << "snid:" << serial.constData() << std::endl;
    lastStatus = FT_OpenEx(serial.constData(), FT_OPEN_BY_SERIAL_NUMBER, &deviceHandle);
    std::cout << lastStatus << std::endl;
    if (lastStatus != FT_OK) {
        openFailed();
        return;
    }
    lastStatus = FT_ResetDevice(deviceHandle);
    std::cout << "snid:" << lastStatus << std::endl;
    configureBridge(deviceHandle);

    if (boardAnswers(deviceHandle)) {
        pushButton_5->setText(QStringLiteral("Close"));
        deviceOpen = true;
        return;
    }
    openFailed();
    pushButton_5->setText(QStringLiteral("Open"));
    FT_Close(deviceHandle);
    deviceOpen = false;
}
