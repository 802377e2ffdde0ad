#include "LibFtdiTable.h"

#include <ftdi.h>
#include <libusb.h>

namespace quorin::driver::ftdi {

static_assert(usbNoDevice == LIBUSB_ERROR_NO_DEVICE);
static_assert(usbTimeout == LIBUSB_ERROR_TIMEOUT);
static_assert(usbInterrupted == LIBUSB_ERROR_INTERRUPTED);

namespace {
ftdi_context* c(Context* context) {
    return reinterpret_cast<ftdi_context*>(context);
}
libusb_device* d(UsbDevice* device) {
    return reinterpret_cast<libusb_device*>(device);
}
ftdi_device_list* l(DeviceList* list) {
    return reinterpret_cast<ftdi_device_list*>(list);
}

const Table table{
    .newContext = [] { return reinterpret_cast<Context*>(ftdi_new()); },
    .freeContext = [](Context* context) { ftdi_free(c(context)); },
    .selectInterfaceA = [](Context* context) { return ftdi_set_interface(c(context), INTERFACE_A); },
    .findAll =
        [](Context* context, DeviceList** list, int vendor, int product) {
            return ftdi_usb_find_all(c(context), reinterpret_cast<ftdi_device_list**>(list), vendor, product);
        },
    .listEntry = [](DeviceList* entry) { return reinterpret_cast<UsbDevice*>(l(entry)->dev); },
    .listNext = [](DeviceList* entry) { return reinterpret_cast<DeviceList*>(l(entry)->next); },
    .freeList = [](DeviceList** list) { ftdi_list_free(reinterpret_cast<ftdi_device_list**>(list)); },
    .getStrings =
        [](Context* context, UsbDevice* device, char* description, int descriptionSize, char* serial,
           int serialSize) {
            return ftdi_usb_get_strings2(c(context), d(device), nullptr, 0, description, descriptionSize,
                                         serial, serialSize);
        },
    .openDevice = [](Context* context,
                     UsbDevice* device) { return ftdi_usb_open_dev(c(context), d(device)); },
    .closeDevice = [](Context* context) { return ftdi_usb_close(c(context)); },
    .resetDevice = [](Context* context) { return ftdi_usb_reset(c(context)); },
    .flushInput = [](Context* context) { return ftdi_tciflush(c(context)); },
    .flushOutput = [](Context* context) { return ftdi_tcoflush(c(context)); },
    .flushBoth = [](Context* context) { return ftdi_tcioflush(c(context)); },
    .setBitMode = [](Context* context, unsigned char mask,
                     unsigned char mode) { return ftdi_set_bitmode(c(context), mask, mode); },
    .setReadChunkSize = [](Context* context,
                           unsigned size) { return ftdi_read_data_set_chunksize(c(context), size); },
    .setWriteChunkSize = [](Context* context,
                            unsigned size) { return ftdi_write_data_set_chunksize(c(context), size); },
    .setLatencyTimer = [](Context* context,
                          unsigned char ms) { return ftdi_set_latency_timer(c(context), ms); },
    .setFlowControl = [](Context* context, int flow) { return ftdi_setflowctrl(c(context), flow); },
    .setTimeouts =
        [](Context* context, int readMs, int writeMs) {
            c(context)->usb_read_timeout = readMs;
            c(context)->usb_write_timeout = writeMs;
        },
    .read = [](Context* context, unsigned char* buffer,
               int size) { return ftdi_read_data(c(context), buffer, size); },
    .write = [](Context* context, const unsigned char* buffer,
                int size) { return ftdi_write_data(c(context), buffer, size); },
};
} // namespace

const Table& libFtdiTable() {
    return table;
}

} // namespace quorin::driver::ftdi
