// The backend behind the D2XX-shaped calls of ftd2xx.h. Exactly one is installed at a time:
// the executable installs its backend in main, each test installs a fresh one.
#pragma once

#include "ftd2xx.h"

#include <memory>

namespace quorin::driver {

class Backend {
public:
    virtual ~Backend() = default;

    virtual FT_STATUS createDeviceInfoList(DWORD* count) = 0;
    virtual FT_STATUS getDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* count) = 0;
    virtual FT_STATUS openEx(const void* arg, DWORD flags, FT_HANDLE* handle) = 0;
    virtual FT_STATUS resetDevice(FT_HANDLE handle) = 0;
    virtual FT_STATUS purge(FT_HANDLE handle, DWORD mask) = 0;
    virtual FT_STATUS setBitMode(FT_HANDLE handle, UCHAR mask, UCHAR mode) = 0;
    virtual FT_STATUS setUSBParameters(FT_HANDLE handle, DWORD inSize, DWORD outSize) = 0;
    virtual FT_STATUS setFlowControl(FT_HANDLE handle, USHORT flowControl, UCHAR xon, UCHAR xoff) = 0;
    virtual FT_STATUS setTimeouts(FT_HANDLE handle, DWORD readMs, DWORD writeMs) = 0;
    virtual FT_STATUS write(FT_HANDLE handle, const void* buffer, DWORD length, DWORD* written) = 0;
    virtual FT_STATUS getStatus(FT_HANDLE handle, DWORD* rxQueue, DWORD* txQueue, DWORD* eventStatus) = 0;
    virtual FT_STATUS read(FT_HANDLE handle, void* buffer, DWORD length, DWORD* returned) = 0;
    virtual FT_STATUS close(FT_HANDLE handle) = 0;
};

// Installs the backend every FT_ call forwards to; nullptr uninstalls (calls then fail with
// FT_DEVICE_NOT_FOUND / FT_INVALID_HANDLE). Safe to call from any thread; a call already running
// keeps its backend alive until it returns.
void installBackend(std::shared_ptr<Backend> backend);
std::shared_ptr<Backend> installedBackend();

// A backend with no boards: the device list is empty and every handle is invalid.
std::shared_ptr<Backend> makeNoBoardBackend();

} // namespace quorin::driver
