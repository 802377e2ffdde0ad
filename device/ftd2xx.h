// Quorin Station's own D2XX-shaped driver interface.
//
// The calls keep the names and argument shapes the program has always used with the USB FIFO
// bridge, but the types and values below are ours. Every call forwards to one installed backend
// (see DriverBackend.h): the simulated board, or a backend for real boards.
#pragma once

#include <cstdint>

using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using USHORT = std::uint16_t;
using UCHAR = unsigned char;
using FT_STATUS = std::uint32_t;
// An opaque token chosen by the backend. Backends must answer a closed or unknown handle with
// FT_INVALID_HANDLE, never dereference it blindly.
using FT_HANDLE = void*;

enum : FT_STATUS {
    FT_OK = 0,
    FT_INVALID_HANDLE = 1,
    FT_DEVICE_NOT_FOUND = 2,
    FT_DEVICE_NOT_OPENED = 3,
    FT_IO_ERROR = 4,
    FT_INSUFFICIENT_RESOURCES = 5,
    FT_INVALID_PARAMETER = 6,
    FT_OTHER_ERROR = 18,
};

constexpr DWORD FT_OPEN_BY_SERIAL_NUMBER = 1;
constexpr DWORD FT_PURGE_RX = 1;
constexpr DWORD FT_PURGE_TX = 2;
constexpr USHORT FT_FLOW_RTS_CTS = 0x0100;
constexpr UCHAR FT_BITMODE_RESET = 0x00;
constexpr UCHAR FT_BITMODE_SYNC_FIFO = 0x40;

// One entry of the device list. Only the serial number is used by the program.
struct FT_DEVICE_LIST_INFO_NODE {
    DWORD Flags = 0;
    DWORD Type = 0;
    DWORD ID = 0;
    DWORD LocId = 0;
    char SerialNumber[16] = {};
    char Description[64] = {};
    FT_HANDLE ftHandle = nullptr;
};

FT_STATUS FT_CreateDeviceInfoList(DWORD* count);
FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* count);
// arg: the serial number as a NUL-terminated UTF-8 string when flags is FT_OPEN_BY_SERIAL_NUMBER.
FT_STATUS FT_OpenEx(const void* arg, DWORD flags, FT_HANDLE* handle);
FT_STATUS FT_ResetDevice(FT_HANDLE handle);
FT_STATUS FT_Purge(FT_HANDLE handle, DWORD mask);
FT_STATUS FT_SetBitMode(FT_HANDLE handle, UCHAR mask, UCHAR mode);
FT_STATUS FT_SetUSBParameters(FT_HANDLE handle, DWORD inTransferSize, DWORD outTransferSize);
FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flowControl, UCHAR xon, UCHAR xoff);
FT_STATUS FT_SetTimeouts(FT_HANDLE handle, DWORD readTimeoutMs, DWORD writeTimeoutMs);
FT_STATUS FT_Write(FT_HANDLE handle, const void* buffer, DWORD length, DWORD* written);
FT_STATUS FT_GetStatus(FT_HANDLE handle, DWORD* rxQueue, DWORD* txQueue, DWORD* eventStatus);
FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD length, DWORD* returned);
FT_STATUS FT_Close(FT_HANDLE handle);
