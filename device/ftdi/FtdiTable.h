// The libftdi calls the real-board backend makes, as a table of function pointers.
//
// The backend's own logic (serial mapping, receive ring, time-outs, error mapping, call order) runs
// against this table only, so tests drive it with a fake table: no hardware, no libusb. The types
// are opaque: the real table casts them to libftdi's and libusb's, a fake to its own.
#pragma once

namespace quorin::driver::ftdi {

struct Context;   // struct ftdi_context
struct UsbDevice; // struct libusb_device, referenced by a device list
struct DeviceList;

// The libusb codes the backend tells apart; everything else negative is a failure of the call.
inline constexpr int usbNoDevice = -4;      // LIBUSB_ERROR_NO_DEVICE: the bridge has vanished
inline constexpr int usbTimeout = -7;       // LIBUSB_ERROR_TIMEOUT: nothing arrived in the time-out
inline constexpr int usbInterrupted = -10;  // LIBUSB_ERROR_INTERRUPTED
inline constexpr int usbUnavailable = -666; // libftdi: the context has no open device

inline constexpr int vendorFtdi = 0x0403;
inline constexpr int productFt232h = 0x6014;
inline constexpr int productFt2232h = 0x6010;

// Return values follow libftdi: 0 or a count on success, negative on failure.
struct Table {
    Context* (*newContext)();
    void (*freeContext)(Context*);
    // Channel A (the one of the two that runs synchronous FIFO); before opening.
    int (*selectInterfaceA)(Context*);
    int (*findAll)(Context*, DeviceList** list, int vendor, int product);
    UsbDevice* (*listEntry)(DeviceList* entry);
    DeviceList* (*listNext)(DeviceList* entry);
    void (*freeList)(DeviceList** list);
    int (*getStrings)(Context*, UsbDevice*, char* description, int descriptionSize, char* serial,
                      int serialSize);
    int (*openDevice)(Context*, UsbDevice*);
    int (*closeDevice)(Context*);
    int (*resetDevice)(Context*);
    int (*flushInput)(Context*);  // ftdi_tciflush
    int (*flushOutput)(Context*); // ftdi_tcoflush
    int (*flushBoth)(Context*);   // ftdi_tcioflush
    int (*setBitMode)(Context*, unsigned char mask, unsigned char mode);
    int (*setReadChunkSize)(Context*, unsigned size);
    int (*setWriteChunkSize)(Context*, unsigned size);
    int (*setLatencyTimer)(Context*, unsigned char ms);
    int (*setFlowControl)(Context*, int flow);
    // libftdi has no setter: the real table writes usb_read_timeout / usb_write_timeout.
    void (*setTimeouts)(Context*, int readMs, int writeMs);
    int (*read)(Context*, unsigned char* buffer, int size);
    int (*write)(Context*, const unsigned char* buffer, int size);
};

} // namespace quorin::driver::ftdi
