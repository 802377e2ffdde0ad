#include "SimulatedBoard.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <stdexcept>

namespace quorin::sim {
namespace {
constexpr DWORD openedFlag = 1;
constexpr DWORD usbId = 0x04036014; // the FIFO bridge's vendor and product
} // namespace

SimulatedBackend::SimulatedBackend(const std::vector<std::string>& serials) {
    std::set<std::string> seen;
    for (const std::string& serial : serials) {
        if (serial.empty() || serial.size() >= sizeof(FT_DEVICE_LIST_INFO_NODE::SerialNumber))
            throw std::invalid_argument("serial number must have 1 to 15 characters: " + serial);
        if (!seen.insert(serial).second)
            throw std::invalid_argument("serial number given twice: " + serial);
        boards_.push_back(std::make_shared<SimulatedBoard>(serial));
    }
}

std::shared_ptr<SimulatedBoard> SimulatedBackend::board(std::size_t index) const {
    return index < boards_.size() ? boards_[index] : nullptr;
}

std::shared_ptr<SimulatedBoard> SimulatedBackend::board(const std::string& serial) const {
    for (const auto& b : boards_)
        if (b->serial() == serial)
            return b;
    return nullptr;
}

FT_STATUS SimulatedBackend::createDeviceInfoList(DWORD* count) {
    if (!count)
        return FT_INVALID_PARAMETER;
    std::lock_guard lock(mutex_);
    listed_.clear();
    for (std::size_t i = 0; i < boards_.size(); ++i) {
        const SimulatedBoard& b = *boards_[i];
        if (!b.isPlugged())
            continue;
        FT_DEVICE_LIST_INFO_NODE node;
        node.Flags = b.isOpen() ? openedFlag : 0;
        node.ID = usbId;
        node.LocId = static_cast<DWORD>(0x11 + i);
        std::strncpy(node.SerialNumber, b.serial().c_str(), sizeof(node.SerialNumber) - 1);
        std::strncpy(node.Description, "Quorin board (simulated)", sizeof(node.Description) - 1);
        listed_.push_back(node);
    }
    *count = static_cast<DWORD>(listed_.size());
    return FT_OK;
}

// Hands out the list of the last createDeviceInfoList, so a board plugged in between the two calls
// cannot overrun the caller's array.
FT_STATUS SimulatedBackend::getDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* count) {
    if (!count)
        return FT_INVALID_PARAMETER;
    std::lock_guard lock(mutex_);
    *count = static_cast<DWORD>(listed_.size());
    if (listed_.empty())
        return FT_OK;
    if (!list)
        return FT_INVALID_PARAMETER;
    std::copy(listed_.begin(), listed_.end(), list);
    return FT_OK;
}

FT_STATUS SimulatedBackend::openEx(const void* arg, DWORD flags, FT_HANDLE* handle) {
    if (!handle)
        return FT_INVALID_PARAMETER;
    *handle = nullptr;
    if (!arg || flags != FT_OPEN_BY_SERIAL_NUMBER)
        return FT_INVALID_PARAMETER;
    const std::shared_ptr<SimulatedBoard> target = board(std::string(static_cast<const char*>(arg)));
    if (!target || !target->isPlugged())
        return FT_DEVICE_NOT_FOUND;
    std::uint64_t session = 0;
    if (!target->hostOpen(session))
        return FT_DEVICE_NOT_OPENED; // in use, or unplugged a moment ago
    std::lock_guard lock(mutex_);
    const std::uintptr_t token = nextToken_;
    nextToken_ += 0x10; // tokens are never reused, so a closed handle stays invalid
    handles_[token] = {target, session};
    *handle = reinterpret_cast<FT_HANDLE>(token);
    return FT_OK;
}

bool SimulatedBackend::lookup(FT_HANDLE handle, OpenHandle& out) const {
    std::lock_guard lock(mutex_);
    const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == handles_.end())
        return false;
    out = it->second;
    return true;
}

#define QUORIN_SIM_LOOKUP(handle)                                                                            \
    OpenHandle open;                                                                                         \
    if (!lookup(handle, open))                                                                               \
        return FT_INVALID_HANDLE;

FT_STATUS SimulatedBackend::resetDevice(FT_HANDLE handle) {
    QUORIN_SIM_LOOKUP(handle)
    return open.board->hostCheck(open.session);
}

FT_STATUS SimulatedBackend::purge(FT_HANDLE handle, DWORD mask) {
    QUORIN_SIM_LOOKUP(handle)
    return open.board->hostPurge(open.session, mask);
}

FT_STATUS SimulatedBackend::setBitMode(FT_HANDLE handle, UCHAR, UCHAR) {
    QUORIN_SIM_LOOKUP(handle)
    return open.board->hostCheck(open.session);
}

FT_STATUS SimulatedBackend::setUSBParameters(FT_HANDLE handle, DWORD, DWORD) {
    QUORIN_SIM_LOOKUP(handle)
    return open.board->hostCheck(open.session);
}

FT_STATUS SimulatedBackend::setFlowControl(FT_HANDLE handle, USHORT, UCHAR, UCHAR) {
    QUORIN_SIM_LOOKUP(handle)
    return open.board->hostCheck(open.session);
}

// Reads never wait: they hand over what is readable at once, which is within any time-out.
FT_STATUS SimulatedBackend::setTimeouts(FT_HANDLE handle, DWORD, DWORD) {
    QUORIN_SIM_LOOKUP(handle)
    return open.board->hostCheck(open.session);
}

FT_STATUS SimulatedBackend::write(FT_HANDLE handle, const void* buffer, DWORD length, DWORD* written) {
    if (written)
        *written = 0;
    QUORIN_SIM_LOOKUP(handle)
    const FT_STATUS status =
        open.board->hostWrite(open.session, static_cast<const std::uint8_t*>(buffer), length);
    if (status == FT_OK && written)
        *written = length;
    return status;
}

FT_STATUS SimulatedBackend::getStatus(FT_HANDLE handle, DWORD* rxQueue, DWORD* txQueue, DWORD* eventStatus) {
    for (DWORD* p : {rxQueue, txQueue, eventStatus})
        if (p)
            *p = 0;
    QUORIN_SIM_LOOKUP(handle)
    DWORD readable = 0;
    const FT_STATUS status = open.board->hostReadable(open.session, readable);
    if (rxQueue)
        *rxQueue = readable;
    return status;
}

FT_STATUS SimulatedBackend::read(FT_HANDLE handle, void* buffer, DWORD length, DWORD* returned) {
    if (returned)
        *returned = 0;
    QUORIN_SIM_LOOKUP(handle)
    DWORD count = 0;
    const FT_STATUS status =
        open.board->hostRead(open.session, static_cast<std::uint8_t*>(buffer), length, count);
    if (returned)
        *returned = count;
    return status;
}

// The token is released even when the board has vanished, so the handle is invalid afterwards.
FT_STATUS SimulatedBackend::close(FT_HANDLE handle) {
    OpenHandle open;
    {
        std::lock_guard lock(mutex_);
        const auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it == handles_.end())
            return FT_INVALID_HANDLE;
        open = it->second;
        handles_.erase(it);
    }
    return open.board->hostClose(open.session);
}

#undef QUORIN_SIM_LOOKUP

std::shared_ptr<SimulatedBackend> installSimulatedBackend(const std::vector<std::string>& serials) {
    auto backend = std::make_shared<SimulatedBackend>(serials);
    quorin::driver::installBackend(backend);
    return backend;
}

} // namespace quorin::sim
