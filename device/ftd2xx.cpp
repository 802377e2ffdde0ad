#include "DriverBackend.h"

#include <mutex>

namespace quorin::driver {
namespace {
std::mutex backendMutex;
std::shared_ptr<Backend> current;
} // namespace

void installBackend(std::shared_ptr<Backend> backend) {
    std::lock_guard lock(backendMutex);
    current = std::move(backend);
}

std::shared_ptr<Backend> installedBackend() {
    std::lock_guard lock(backendMutex);
    return current;
}

namespace {
class NoBoardBackend final : public Backend {
public:
    FT_STATUS createDeviceInfoList(DWORD* count) override {
        if (count)
            *count = 0;
        return FT_OK;
    }
    FT_STATUS getDeviceInfoList(FT_DEVICE_LIST_INFO_NODE*, DWORD* count) override {
        if (count)
            *count = 0;
        return FT_OK;
    }
    FT_STATUS openEx(const void*, DWORD, FT_HANDLE*) override { return FT_DEVICE_NOT_FOUND; }
    FT_STATUS resetDevice(FT_HANDLE) override { return FT_INVALID_HANDLE; }
    FT_STATUS purge(FT_HANDLE, DWORD) override { return FT_INVALID_HANDLE; }
    FT_STATUS setBitMode(FT_HANDLE, UCHAR, UCHAR) override { return FT_INVALID_HANDLE; }
    FT_STATUS setUSBParameters(FT_HANDLE, DWORD, DWORD) override { return FT_INVALID_HANDLE; }
    FT_STATUS setFlowControl(FT_HANDLE, USHORT, UCHAR, UCHAR) override { return FT_INVALID_HANDLE; }
    FT_STATUS setTimeouts(FT_HANDLE, DWORD, DWORD) override { return FT_INVALID_HANDLE; }
    FT_STATUS write(FT_HANDLE, const void*, DWORD, DWORD* written) override {
        if (written)
            *written = 0;
        return FT_INVALID_HANDLE;
    }
    FT_STATUS getStatus(FT_HANDLE, DWORD* rx, DWORD* tx, DWORD* ev) override {
        for (DWORD* p : {rx, tx, ev})
            if (p)
                *p = 0;
        return FT_INVALID_HANDLE;
    }
    FT_STATUS read(FT_HANDLE, void*, DWORD, DWORD* returned) override {
        if (returned)
            *returned = 0;
        return FT_INVALID_HANDLE;
    }
    FT_STATUS close(FT_HANDLE) override { return FT_INVALID_HANDLE; }
};
} // namespace

std::shared_ptr<Backend> makeNoBoardBackend() { return std::make_shared<NoBoardBackend>(); }

} // namespace quorin::driver

using quorin::driver::installedBackend;

// With no backend installed, every call fails like a machine without the driver.
#define QUORIN_FORWARD(call, failure)                                                                        \
    if (auto backend = installedBackend())                                                                   \
        return backend->call;                                                                                \
    return failure;

FT_STATUS FT_CreateDeviceInfoList(DWORD* count) { QUORIN_FORWARD(createDeviceInfoList(count), FT_DEVICE_NOT_FOUND) }
FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* count) {
    QUORIN_FORWARD(getDeviceInfoList(list, count), FT_DEVICE_NOT_FOUND)
}
FT_STATUS FT_OpenEx(const void* arg, DWORD flags, FT_HANDLE* handle) {
    QUORIN_FORWARD(openEx(arg, flags, handle), FT_DEVICE_NOT_FOUND)
}
FT_STATUS FT_ResetDevice(FT_HANDLE handle) { QUORIN_FORWARD(resetDevice(handle), FT_INVALID_HANDLE) }
FT_STATUS FT_Purge(FT_HANDLE handle, DWORD mask) { QUORIN_FORWARD(purge(handle, mask), FT_INVALID_HANDLE) }
FT_STATUS FT_SetBitMode(FT_HANDLE handle, UCHAR mask, UCHAR mode) {
    QUORIN_FORWARD(setBitMode(handle, mask, mode), FT_INVALID_HANDLE)
}
FT_STATUS FT_SetUSBParameters(FT_HANDLE handle, DWORD inSize, DWORD outSize) {
    QUORIN_FORWARD(setUSBParameters(handle, inSize, outSize), FT_INVALID_HANDLE)
}
FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flowControl, UCHAR xon, UCHAR xoff) {
    QUORIN_FORWARD(setFlowControl(handle, flowControl, xon, xoff), FT_INVALID_HANDLE)
}
FT_STATUS FT_SetTimeouts(FT_HANDLE handle, DWORD readMs, DWORD writeMs) {
    QUORIN_FORWARD(setTimeouts(handle, readMs, writeMs), FT_INVALID_HANDLE)
}
FT_STATUS FT_Write(FT_HANDLE handle, const void* buffer, DWORD length, DWORD* written) {
    QUORIN_FORWARD(write(handle, buffer, length, written), FT_INVALID_HANDLE)
}
FT_STATUS FT_GetStatus(FT_HANDLE handle, DWORD* rxQueue, DWORD* txQueue, DWORD* eventStatus) {
    QUORIN_FORWARD(getStatus(handle, rxQueue, txQueue, eventStatus), FT_INVALID_HANDLE)
}
FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD length, DWORD* returned) {
    QUORIN_FORWARD(read(handle, buffer, length, returned), FT_INVALID_HANDLE)
}
FT_STATUS FT_Close(FT_HANDLE handle) { QUORIN_FORWARD(close(handle), FT_INVALID_HANDLE) }
