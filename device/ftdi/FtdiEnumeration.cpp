#include "FtdiEnumeration.h"

#include <cstdio>
#include <iostream>

namespace quorin::driver::ftdi {

Enumeration::Enumeration(const Table& table, Context* context) : table_(table) {
    for (const int product : {productFt232h, productFt2232h}) {
        DeviceList* list = nullptr;
        if (table_.findAll(context, &list, vendorFtdi, product) < 0) {
            searched_ = false;
            std::cerr << "Cannot search the USB bus for FTDI bridges\n";
        }
        if (!list)
            continue;
        lists_.push_back(list);
        for (DeviceList* entry = list; entry; entry = table_.listNext(entry)) {
            UsbDevice* device = table_.listEntry(entry);
            char description[128] = {};
            char serial[128] = {};
            const int result =
                table_.getStrings(context, device, description, sizeof description, serial, sizeof serial);
            if (result < 0 || serial[0] == '\0') {
                char id[16];
                std::snprintf(id, sizeof id, "%04x:%04x", vendorFtdi, product);
                std::cerr << "Skipping the FTDI bridge " << id << " whose serial number cannot be read"
                          << " (check the udev rule)\n";
                continue;
            }
            Bridge bridge{device, product, serial, description};
            if (product == productFt2232h)
                bridge.serial += 'A';
            bridges_.push_back(std::move(bridge));
        }
    }
}

Enumeration::~Enumeration() {
    for (DeviceList*& list : lists_)
        table_.freeList(&list);
}

const Bridge* Enumeration::find(std::string_view serial) const {
    for (const Bridge& bridge : bridges_)
        if (bridge.serial == serial)
            return &bridge;
    for (const Bridge& bridge : bridges_)
        if (bridge.product == productFt2232h &&
            std::string_view(bridge.serial).substr(0, bridge.serial.size() - 1) == serial)
            return &bridge;
    return nullptr;
}

} // namespace quorin::driver::ftdi
