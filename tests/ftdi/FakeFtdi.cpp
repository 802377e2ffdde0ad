#include "FakeFtdi.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace quorin::test {
using namespace driver::ftdi;

namespace {
FakeFtdi* current = nullptr;
}

struct FakeFtdi::Context {
    FakeFtdi* fake;
    const FakeBridge* opened = nullptr;
    bool everOpened = false;
    bool interfaceA = false;
    int readTimeoutMs = 5000;
    int latencyMs = 0; // 0: not set, a read waits for data up to its time-out
};

struct FakeFtdi::List {
    const FakeBridge* bridge;
    List* next;
};

FakeFtdi::FakeFtdi(std::vector<FakeBridge> bridges) : bridges_(std::move(bridges)) {
    current = this;
}

FakeFtdi::~FakeFtdi() {
    current = nullptr;
}

void FakeFtdi::record(const Context* context, std::string call) {
    if (readsInFlight_ > 0)
        callDuringRead_ = true;
    if (context->everOpened)
        calls_.push_back(std::move(call));
}

const Table& FakeFtdi::table() {
    using C = FakeFtdi::Context;
    static const auto fake = [](::quorin::driver::ftdi::Context* c) { return reinterpret_cast<C*>(c); };
    // A control call: recorded, and failing once the bridge is unplugged.
    static const auto control = [](::quorin::driver::ftdi::Context* c, std::string call) {
        C* context = fake(c);
        FakeFtdi& f = *context->fake;
        std::lock_guard lock(f.mutex_);
        f.record(context, std::move(call));
        if (!context->opened)
            return usbUnavailable;
        return f.unplugged_ ? -1 : 0;
    };
    static const Table table{
        .newContext =
            [] {
                std::lock_guard lock(current->mutex_);
                ++current->contextsAlive_;
                return reinterpret_cast<::quorin::driver::ftdi::Context*>(new C{current});
            },
        .freeContext =
            [](::quorin::driver::ftdi::Context* c) {
                // Nothing of the fake is touched after the unlock: a test may end at once.
                FakeFtdi& f = *fake(c)->fake;
                std::lock_guard lock(f.mutex_);
                f.record(fake(c), "free");
                --f.contextsAlive_;
                delete fake(c);
                f.changed_.notify_all();
            },
        .selectInterfaceA =
            [](::quorin::driver::ftdi::Context* c) {
                fake(c)->interfaceA = true;
                return 0;
            },
        .findAll =
            [](::quorin::driver::ftdi::Context* c, DeviceList** list, int vendor, int product) {
                FakeFtdi& f = *fake(c)->fake;
                std::lock_guard lock(f.mutex_);
                *list = nullptr;
                if (f.searchFails_)
                    return -5;
                int count = 0;
                List** tail = reinterpret_cast<List**>(list);
                for (const FakeBridge& bridge : f.bridges_)
                    if (vendor == vendorFtdi && bridge.product == product) {
                        *tail = new List{&bridge, nullptr};
                        tail = &(*tail)->next;
                        ++count;
                    }
                f.listsAlive_ += count > 0;
                return count;
            },
        .listEntry =
            [](DeviceList* entry) {
                return reinterpret_cast<UsbDevice*>(
                    const_cast<FakeBridge*>(reinterpret_cast<List*>(entry)->bridge));
            },
        .listNext =
            [](DeviceList* entry) {
                return reinterpret_cast<DeviceList*>(reinterpret_cast<List*>(entry)->next);
            },
        .freeList =
            [](DeviceList** list) {
                if (!*list)
                    return;
                std::lock_guard lock(current->mutex_);
                --current->listsAlive_;
                for (List* entry = reinterpret_cast<List*>(*list); entry;)
                    delete std::exchange(entry, entry->next);
                *list = nullptr;
            },
        .getStrings =
            [](::quorin::driver::ftdi::Context*, UsbDevice* device, char* description, int descriptionSize,
               char* serial, int serialSize) {
                const auto* bridge = reinterpret_cast<const FakeBridge*>(device);
                if (bridge->stringsResult < 0)
                    return bridge->stringsResult;
                std::snprintf(description, std::size_t(descriptionSize), "%s", bridge->description.c_str());
                std::snprintf(serial, std::size_t(serialSize), "%s", bridge->serial.c_str());
                return 0;
            },
        .openDevice =
            [](::quorin::driver::ftdi::Context* c, UsbDevice* device) {
                C* context = fake(c);
                const auto* bridge = reinterpret_cast<const FakeBridge*>(device);
                if (bridge->openResult < 0)
                    return bridge->openResult;
                std::lock_guard lock(context->fake->mutex_);
                context->opened = bridge;
                context->everOpened = true;
                context->fake->record(context, std::string("open ") + bridge->serial +
                                                   (context->interfaceA ? " A" : " any"));
                return 0;
            },
        .closeDevice =
            [](::quorin::driver::ftdi::Context* c) {
                const int result = control(c, "close");
                std::lock_guard lock(fake(c)->fake->mutex_);
                fake(c)->opened = nullptr;
                return result;
            },
        .resetDevice = [](::quorin::driver::ftdi::Context* c) { return control(c, "reset"); },
        .flushInput = [](::quorin::driver::ftdi::Context* c) { return control(c, "flush in"); },
        .flushOutput = [](::quorin::driver::ftdi::Context* c) { return control(c, "flush out"); },
        .flushBoth = [](::quorin::driver::ftdi::Context* c) { return control(c, "flush both"); },
        .setBitMode =
            [](::quorin::driver::ftdi::Context* c, unsigned char mask, unsigned char mode) {
                char call[32];
                std::snprintf(call, sizeof call, "bitmode %02x %02x", mask, mode);
                return control(c, call);
            },
        .setReadChunkSize = [](::quorin::driver::ftdi::Context* c,
                               unsigned size) { return control(c, "read chunk " + std::to_string(size)); },
        .setWriteChunkSize = [](::quorin::driver::ftdi::Context* c,
                                unsigned size) { return control(c, "write chunk " + std::to_string(size)); },
        .setLatencyTimer =
            [](::quorin::driver::ftdi::Context* c, unsigned char ms) {
                const int result = control(c, "latency " + std::to_string(ms));
                std::lock_guard lock(fake(c)->fake->mutex_);
                fake(c)->latencyMs = ms;
                return result;
            },
        .setFlowControl =
            [](::quorin::driver::ftdi::Context* c, int flow) {
                char call[32];
                std::snprintf(call, sizeof call, "flow %04x", flow);
                return control(c, call);
            },
        .setTimeouts =
            [](::quorin::driver::ftdi::Context* c, int readMs, int writeMs) {
                control(c, "timeouts " + std::to_string(readMs) + " " + std::to_string(writeMs));
                std::lock_guard lock(fake(c)->fake->mutex_);
                fake(c)->readTimeoutMs = readMs;
            },
        .read =
            [](::quorin::driver::ftdi::Context* c, unsigned char* buffer, int size) {
                C* context = fake(c);
                FakeFtdi& f = *context->fake;
                std::unique_lock lock(f.mutex_);
                if (!context->opened)
                    return usbUnavailable;
                ++f.readsInFlight_;
                f.changed_.notify_all();
                // Like the bridge, which sends its status bytes every latency period: an empty read then.
                const bool flushes = context->latencyMs > 0;
                const auto deadline =
                    std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(flushes ? context->latencyMs : context->readTimeoutMs);
                int result = flushes ? 0 : usbTimeout;
                for (;;) {
                    if (f.unplugged_) {
                        result = usbNoDevice;
                        break;
                    }
                    if (f.hanging_) {
                        f.changed_.wait(lock, [&] { return !f.hanging_ || f.unplugged_; });
                        continue;
                    }
                    if (!f.arriving_.empty()) {
                        auto& chunk = f.arriving_.front();
                        result = std::min(size, int(chunk.size()));
                        std::memcpy(buffer, chunk.data(), std::size_t(result));
                        chunk.erase(chunk.begin(), chunk.begin() + result);
                        if (chunk.empty())
                            f.arriving_.pop_front();
                        break;
                    }
                    if (f.changed_.wait_until(lock, deadline) == std::cv_status::timeout &&
                        f.arriving_.empty() && !f.unplugged_ && !f.hanging_)
                        break;
                }
                --f.readsInFlight_;
                f.changed_.notify_all();
                return result;
            },
        .write =
            [](::quorin::driver::ftdi::Context* c, const unsigned char* buffer, int size) {
                FakeFtdi& f = *fake(c)->fake;
                std::lock_guard lock(f.mutex_);
                if (f.unplugged_ || f.writeResult_ < 0)
                    return f.unplugged_ ? -1 : f.writeResult_;
                f.written_.insert(f.written_.end(), buffer, buffer + size);
                for (const auto& [request, reply] : f.answers_)
                    if (std::equal(buffer, buffer + size, request.begin(), request.end()))
                        f.arriving_.push_back(reply);
                f.changed_.notify_all();
                return size;
            },
    };
    return table;
}

void FakeFtdi::arrive(std::vector<unsigned char> chunk) {
    {
        std::lock_guard lock(mutex_);
        arriving_.push_back(std::move(chunk));
    }
    changed_.notify_all();
}

void FakeFtdi::answer(std::vector<unsigned char> request, std::vector<unsigned char> reply) {
    std::lock_guard lock(mutex_);
    answers_.emplace_back(std::move(request), std::move(reply));
}

void FakeFtdi::unplug() {
    {
        std::lock_guard lock(mutex_);
        unplugged_ = true;
    }
    changed_.notify_all();
}

void FakeFtdi::hangReads(bool hang) {
    {
        std::lock_guard lock(mutex_);
        hanging_ = hang;
    }
    changed_.notify_all();
}

bool FakeFtdi::waitForReadInFlight(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, bound, [&] { return readsInFlight_ > 0; });
}

bool FakeFtdi::waitForFreed(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, bound, [&] { return contextsAlive_ == 0; });
}

std::vector<std::string> FakeFtdi::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<unsigned char> FakeFtdi::written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

std::size_t FakeFtdi::unreadBytes() const {
    std::lock_guard lock(mutex_);
    std::size_t total = 0;
    for (const auto& chunk : arriving_)
        total += chunk.size();
    return total;
}

bool FakeFtdi::callDuringRead() const {
    std::lock_guard lock(mutex_);
    return callDuringRead_;
}

int FakeFtdi::contextsAlive() const {
    std::lock_guard lock(mutex_);
    return contextsAlive_;
}

int FakeFtdi::listsAlive() const {
    std::lock_guard lock(mutex_);
    return listsAlive_;
}

} // namespace quorin::test
