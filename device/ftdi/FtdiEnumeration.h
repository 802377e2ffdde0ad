// The FT232H and FT2232H bridges on the bus, with the serial numbers the program lists and opens.
#pragma once

#include "FtdiTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorin::driver::ftdi {

struct Bridge {
    UsbDevice* device = nullptr; // valid while the Enumeration that found it lives
    int product = 0;
    std::string
        serial; // as listed: an FT2232H carries the channel suffix "A", as the vendor's driver shows it
    std::string description;
};

// Searches with the given context, which must have no device open. A bridge whose strings cannot
// be read (permissions, no serial number) is skipped with a line on standard error.
class Enumeration {
public:
    Enumeration(const Table& table, Context* context);
    Enumeration(const Enumeration&) = delete;
    Enumeration& operator=(const Enumeration&) = delete;
    ~Enumeration(); // releases the devices: before the context is freed

    bool searched() const { return searched_; } // false when USB could not be searched at all
    const std::vector<Bridge>& bridges() const { return bridges_; }
    // The bridge a serial number names: as listed, or an FT2232H's without its channel suffix.
    const Bridge* find(std::string_view serial) const;

private:
    const Table& table_;
    std::vector<DeviceList*> lists_;
    std::vector<Bridge> bridges_;
    bool searched_ = true;
};

} // namespace quorin::driver::ftdi
