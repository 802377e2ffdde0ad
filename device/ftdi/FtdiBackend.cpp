#include "FtdiBackend.h"

#include "FtdiDevice.h"
#include "FtdiEnumeration.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace quorin::driver {
namespace {
using namespace ftdi;

class FtdiBackend final : public Backend {
public:
    FtdiBackend(const Table& table, std::size_t receiveCapacity)
        : table_(table), receiveCapacity_(receiveCapacity) {}

    ~FtdiBackend() override {
        for (auto& [token, device] : open_)
            device->close();
    }

    FT_STATUS createDeviceInfoList(DWORD* count) override {
        if (!count)
            return FT_INVALID_PARAMETER;
        *count = 0;
        Context* context = table_.newContext();
        if (!context)
            return FT_OTHER_ERROR;
        std::vector<FT_DEVICE_LIST_INFO_NODE> nodes;
        bool searched;
        {
            Enumeration found(table_, context);
            searched = found.searched();
            for (const Bridge& bridge : found.bridges())
                if (auto node = listNode(bridge))
                    nodes.push_back(*node);
        }
        table_.freeContext(context);
        if (!searched)
            return FT_OTHER_ERROR;
        std::lock_guard lock(mutex_);
        listed_ = std::move(nodes);
        *count = DWORD(listed_.size());
        return FT_OK;
    }

    // The list of the last FT_CreateDeviceInfoList; the array must hold the count it gave.
    FT_STATUS getDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* count) override {
        if (!count)
            return FT_INVALID_PARAMETER;
        std::lock_guard lock(mutex_);
        if (!list && !listed_.empty())
            return FT_INVALID_PARAMETER;
        std::copy(listed_.begin(), listed_.end(), list);
        *count = DWORD(listed_.size());
        return FT_OK;
    }

    FT_STATUS openEx(const void* arg, DWORD flags, FT_HANDLE* handle) override {
        if (!arg || !handle || flags != FT_OPEN_BY_SERIAL_NUMBER)
            return FT_INVALID_PARAMETER;
        Context* context = table_.newContext();
        if (!context)
            return FT_OTHER_ERROR;
        const FT_STATUS status = openBySerial(context, static_cast<const char*>(arg));
        if (status != FT_OK) {
            table_.freeContext(context);
            return status;
        }
        auto device = std::make_shared<FtdiDevice>(table_, context, receiveCapacity_);
        std::lock_guard lock(mutex_);
        const std::uintptr_t token = nextToken_++;
        open_.emplace(token, std::move(device));
        *handle = reinterpret_cast<FT_HANDLE>(token);
        return FT_OK;
    }

    FT_STATUS resetDevice(FT_HANDLE handle) override {
        return on(handle, [](FtdiDevice& d) { return d.reset(); });
    }
    FT_STATUS purge(FT_HANDLE handle, DWORD mask) override {
        return on(handle, [&](FtdiDevice& d) { return d.purge(mask); });
    }
    FT_STATUS setBitMode(FT_HANDLE handle, UCHAR mask, UCHAR mode) override {
        return on(handle, [&](FtdiDevice& d) { return d.setBitMode(mask, mode); });
    }
    FT_STATUS setUSBParameters(FT_HANDLE handle, DWORD inSize, DWORD outSize) override {
        return on(handle, [&](FtdiDevice& d) { return d.setUsbParameters(inSize, outSize); });
    }
    FT_STATUS setFlowControl(FT_HANDLE handle, USHORT flowControl, UCHAR, UCHAR) override {
        return on(handle, [&](FtdiDevice& d) { return d.setFlowControl(flowControl); });
    }
    FT_STATUS setTimeouts(FT_HANDLE handle, DWORD readMs, DWORD writeMs) override {
        return on(handle, [&](FtdiDevice& d) { return d.setTimeouts(readMs, writeMs); });
    }
    FT_STATUS write(FT_HANDLE handle, const void* buffer, DWORD length, DWORD* written) override {
        if (written)
            *written = 0;
        return on(handle, [&](FtdiDevice& d) { return d.write(buffer, length, written); });
    }
    FT_STATUS getStatus(FT_HANDLE handle, DWORD* rxQueue, DWORD* txQueue, DWORD* eventStatus) override {
        for (DWORD* p : {rxQueue, txQueue, eventStatus})
            if (p)
                *p = 0;
        if (!rxQueue)
            return FT_INVALID_PARAMETER;
        return on(handle, [&](FtdiDevice& d) { return d.queued(rxQueue); });
    }
    FT_STATUS read(FT_HANDLE handle, void* buffer, DWORD length, DWORD* returned) override {
        if (returned)
            *returned = 0;
        return on(handle, [&](FtdiDevice& d) { return d.read(buffer, length, returned); });
    }
    FT_STATUS close(FT_HANDLE handle) override {
        std::shared_ptr<FtdiDevice> device;
        {
            std::lock_guard lock(mutex_);
            const auto it = open_.find(reinterpret_cast<std::uintptr_t>(handle));
            if (it == open_.end())
                return FT_INVALID_HANDLE;
            device = std::move(it->second);
            open_.erase(it);
        }
        device->close();
        return FT_OK;
    }

private:
    // The node of a listed bridge, or none when its serial number does not fit the node.
    static std::optional<FT_DEVICE_LIST_INFO_NODE> listNode(const Bridge& bridge) {
        FT_DEVICE_LIST_INFO_NODE node;
        if (bridge.serial.size() >= sizeof node.SerialNumber) {
            std::cerr << "Skipping the FTDI bridge " << bridge.serial << ": serial number too long\n";
            return std::nullopt;
        }
        node.ID = DWORD(vendorFtdi) << 16 | DWORD(bridge.product);
        std::strncpy(node.SerialNumber, bridge.serial.c_str(), sizeof node.SerialNumber - 1);
        std::strncpy(node.Description, bridge.description.c_str(), sizeof node.Description - 1);
        return node;
    }

    // Searches afresh and opens the match with the context: opening by description would fail as
    // soon as any other bridge of the same id is not accessible.
    FT_STATUS openBySerial(Context* context, const char* serial) {
        if (table_.selectInterfaceA(context) < 0)
            return FT_OTHER_ERROR;
        Enumeration found(table_, context);
        const Bridge* bridge = found.find(serial);
        if (!bridge)
            return FT_DEVICE_NOT_FOUND;
        return table_.openDevice(context, bridge->device) < 0 ? FT_DEVICE_NOT_OPENED : FT_OK;
    }

    template <class Call> FT_STATUS on(FT_HANDLE handle, Call call) {
        std::shared_ptr<FtdiDevice> device;
        {
            std::lock_guard lock(mutex_);
            const auto it = open_.find(reinterpret_cast<std::uintptr_t>(handle));
            if (it == open_.end())
                return FT_INVALID_HANDLE;
            device = it->second;
        }
        return call(*device);
    }

    const Table table_;
    const std::size_t receiveCapacity_;
    std::mutex mutex_; // the maps below
    std::vector<FT_DEVICE_LIST_INFO_NODE> listed_;
    std::map<std::uintptr_t, std::shared_ptr<FtdiDevice>> open_;
    std::uintptr_t nextToken_ = 0x51; // never reused, never null
};
} // namespace

std::shared_ptr<Backend> makeFtdiBackend(const Table& table, std::size_t receiveCapacity) {
    return std::make_shared<FtdiBackend>(table, receiveCapacity);
}

} // namespace quorin::driver
