#include "FtdiDevice.h"

#include "Bounds.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <vector>

namespace quorin::driver::ftdi {
namespace {
unsigned boundedTimeout(DWORD ms) {
    return ms == 0 ? bounds::ftdiLongestTimeoutMs : std::min<DWORD>(ms, bounds::ftdiLongestTimeoutMs);
}
} // namespace

FtdiDevice::FtdiDevice(const Table& table, Context* context, std::size_t ringCapacity)
    : table_(table), context_(context), ring_(std::max<std::size_t>(ringCapacity, largestReadChunk)),
      readTimeoutMs_(bounds::ftdiDefaultTimeoutMs) {}

FtdiDevice::~FtdiDevice() {
    if (!reader_.joinable())
        return;
    if (reader_.get_id() == std::this_thread::get_id())
        reader_.detach();
    else
        reader_.join();
}

// The longest a read in flight may take before the reader sees a change.
std::chrono::milliseconds FtdiDevice::readerBound() const {
    return std::chrono::milliseconds(readTimeoutMs_) + bounds::ftdiReaderStopMargin;
}

FT_STATUS FtdiDevice::refusal() const {
    if (closing_)
        return FT_INVALID_HANDLE;
    return failed_ ? FT_IO_ERROR : FT_OK;
}

// Runs call on the context with no read in flight and the reader held back until it returns.
template <class Call> FT_STATUS FtdiDevice::configure(Call call) {
    std::lock_guard write(writeMutex_);
    std::unique_lock state(stateMutex_);
    if (const FT_STATUS refused = refusal())
        return refused;
    ++configWaiting_;
    FT_STATUS status = FT_IO_ERROR; // a read stuck past its own time-out
    if (changed_.wait_for(state, readerBound(), [&] { return !readInFlight_; })) {
        state.unlock();
        status = call();
        state.lock();
    }
    --configWaiting_;
    state.unlock();
    changed_.notify_all();
    return status;
}

FT_STATUS FtdiDevice::reset() {
    return configure([&] { return table_.resetDevice(context_) < 0 ? FT_IO_ERROR : FT_OK; });
}

FT_STATUS FtdiDevice::purge(DWORD mask) {
    if (mask & ~(FT_PURGE_RX | FT_PURGE_TX))
        return FT_INVALID_PARAMETER;
    return configure([&] {
        int result = 0;
        if (mask == (FT_PURGE_RX | FT_PURGE_TX))
            result = table_.flushBoth(context_);
        else if (mask == FT_PURGE_RX)
            result = table_.flushInput(context_);
        else if (mask == FT_PURGE_TX)
            result = table_.flushOutput(context_);
        if (mask & FT_PURGE_RX) {
            std::lock_guard state(stateMutex_);
            ring_.clear();
        }
        return result < 0 ? FT_IO_ERROR : FT_OK;
    });
}

FT_STATUS FtdiDevice::setBitMode(UCHAR mask, UCHAR mode) {
    return configure([&] {
        // The bridge enters synchronous FIFO reliably only from the reset mode.
        if (mode != FT_BITMODE_RESET && table_.setBitMode(context_, mask, FT_BITMODE_RESET) < 0)
            return FT_IO_ERROR;
        return table_.setBitMode(context_, mask, mode) < 0 ? FT_IO_ERROR : FT_OK;
    });
}

FT_STATUS FtdiDevice::setUsbParameters(DWORD inSize, DWORD outSize) {
    const auto valid = [](DWORD size) { return size >= 64 && size <= 65536 && size % 64 == 0; };
    if (!valid(inSize) || !valid(outSize))
        return FT_INVALID_PARAMETER;
    const unsigned chunk = std::min<unsigned>(inSize, largestReadChunk);
    return configure([&] {
        if (table_.setReadChunkSize(context_, chunk) < 0 || table_.setWriteChunkSize(context_, outSize) < 0 ||
            table_.setLatencyTimer(context_, bounds::ftdiLatencyTimerMs) < 0)
            return FT_IO_ERROR;
        std::lock_guard state(stateMutex_);
        readChunk_ = chunk;
        return FT_OK;
    });
}

FT_STATUS FtdiDevice::setFlowControl(USHORT flow) {
    // Off, RTS/CTS or DTR/DSR share their values with libftdi's; XON/XOFF has no place in FIFO mode.
    if (flow != 0 && flow != FT_FLOW_RTS_CTS && flow != 0x0200)
        return FT_INVALID_PARAMETER;
    return configure([&] { return table_.setFlowControl(context_, flow) < 0 ? FT_IO_ERROR : FT_OK; });
}

FT_STATUS FtdiDevice::setTimeouts(DWORD readMs, DWORD writeMs) {
    const unsigned readBound = boundedTimeout(readMs);
    const unsigned writeBound = boundedTimeout(writeMs);
    return configure([&] {
        table_.setTimeouts(context_, int(readBound), int(writeBound));
        std::lock_guard state(stateMutex_);
        readTimeoutMs_ = readBound;
        return FT_OK;
    });
}

FT_STATUS FtdiDevice::write(const void* buffer, DWORD length, DWORD* written) {
    if (written)
        *written = 0;
    if ((!buffer && length) || length > INT_MAX)
        return FT_INVALID_PARAMETER;
    std::lock_guard write(writeMutex_);
    {
        std::lock_guard state(stateMutex_);
        if (const FT_STATUS refused = refusal())
            return refused;
        // The board answers the first write, so its bytes must find the reader running.
        startReaderLocked();
    }
    if (length == 0)
        return FT_OK;
    const int sent = table_.write(context_, static_cast<const unsigned char*>(buffer), int(length));
    if (sent < 0)
        return FT_IO_ERROR;
    if (written)
        *written = DWORD(sent);
    return DWORD(sent) == length ? FT_OK : FT_IO_ERROR;
}

FT_STATUS FtdiDevice::queued(DWORD* rxQueue) {
    std::lock_guard state(stateMutex_);
    if (const FT_STATUS refused = refusal())
        return refused;
    startReaderLocked();
    *rxQueue = DWORD(ring_.size());
    return FT_OK;
}

FT_STATUS FtdiDevice::read(void* buffer, DWORD length, DWORD* returned) {
    if (returned)
        *returned = 0;
    if (!buffer && length)
        return FT_INVALID_PARAMETER;
    auto* out = static_cast<unsigned char*>(buffer);
    std::unique_lock state(stateMutex_);
    startReaderLocked();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeoutMs_);
    DWORD got = 0;
    FT_STATUS status = FT_OK;
    while ((status = refusal()) == FT_OK) {
        if (const std::size_t taken = ring_.take(out + got, length - got)) {
            got += DWORD(taken);
            changed_.notify_all(); // room for the reader
        }
        if (got == length)
            break;
        if (!changed_.wait_until(state, deadline, [&] { return closing_ || failed_ || ring_.size() > 0; }))
            break; // the read time-out: what has arrived so far
    }
    if (returned)
        *returned = got;
    return status;
}

void FtdiDevice::startReaderLocked() {
    if (readerStarted_ || closing_)
        return;
    readerStarted_ = readerRunning_ = true;
    reader_ = std::thread([self = shared_from_this()] { self->readLoop(); });
}

void FtdiDevice::readLoop() {
    std::vector<unsigned char> chunk;
    std::unique_lock state(stateMutex_);
    for (;;) {
        // A full ring holds the reader back, so the bridge holds the board back: nothing is dropped.
        changed_.wait(state, [&] {
            return closing_ || failed_ || (configWaiting_ == 0 && ring_.space() >= readChunk_);
        });
        if (closing_ || failed_)
            break;
        chunk.resize(readChunk_);
        readInFlight_ = true;
        state.unlock();
        const int got = table_.read(context_, chunk.data(), int(chunk.size()));
        state.lock();
        readInFlight_ = false;
        if (got > 0)
            ring_.put(chunk.data(), std::size_t(got));
        else if (got < 0 && got != usbTimeout && got != usbInterrupted)
            failed_ = true; // vanished or broken: the program must see it, not wait on silence
        changed_.notify_all();
    }
    readerRunning_ = false;
    const bool shutDownHere = shutDownByReader_;
    changed_.notify_all();
    state.unlock();
    if (shutDownHere)
        shutDown();
}

void FtdiDevice::close() {
    std::unique_lock state(stateMutex_);
    if (closing_)
        return;
    closing_ = true;
    changed_.notify_all();
    if (!changed_.wait_for(state, readerBound(), [&] { return !readerRunning_; })) {
        // The read in flight outlives its own time-out: leave the bridge to the reader, which
        // still shares this object, rather than close the context under it.
        shutDownByReader_ = true;
        reader_.detach();
        return;
    }
    state.unlock();
    if (reader_.joinable())
        reader_.join();
    shutDown();
}

void FtdiDevice::shutDown() {
    std::lock_guard write(writeMutex_); // no read in flight: the reader has stopped, or runs this
    table_.setBitMode(context_, 0, FT_BITMODE_RESET);
    table_.closeDevice(context_);
    table_.freeContext(context_);
}

} // namespace quorin::driver::ftdi
