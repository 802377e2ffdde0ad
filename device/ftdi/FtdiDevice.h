// One open bridge: its libftdi context, the reader thread that keeps a bulk read in flight, and
// the receive ring that FT_GetStatus and FT_Read serve from.
//
// libftdi has no driver-side receive queue, so the reader fills ours. Configuration calls touch
// the same context as the reader's read, so each one waits for the read in flight and holds the
// reader back until it is done; writes run beside the reader (another endpoint).
#pragma once

#include "ByteRing.h"
#include "FtdiTable.h"
#include "ftd2xx.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace quorin::driver::ftdi {

inline constexpr unsigned largestReadChunk = 16384; // libftdi's cap of one bulk read on Linux

class FtdiDevice : public std::enable_shared_from_this<FtdiDevice> {
public:
    // Takes over an opened context. Create with std::make_shared: the reader shares ownership.
    FtdiDevice(const Table& table, Context* context, std::size_t ringCapacity);
    FtdiDevice(const FtdiDevice&) = delete;
    FtdiDevice& operator=(const FtdiDevice&) = delete;
    ~FtdiDevice();

    FT_STATUS reset();
    FT_STATUS purge(DWORD mask);
    FT_STATUS setBitMode(UCHAR mask, UCHAR mode);
    FT_STATUS setUsbParameters(DWORD inSize, DWORD outSize);
    FT_STATUS setFlowControl(USHORT flow);
    FT_STATUS setTimeouts(DWORD readMs, DWORD writeMs);
    FT_STATUS write(const void* buffer, DWORD length, DWORD* written);
    FT_STATUS queued(DWORD* rxQueue);
    FT_STATUS read(void* buffer, DWORD length, DWORD* returned);
    // Stops the reader, waiting at most one USB read time-out plus a margin, then resets the bit
    // mode and closes. A reader stuck past that bound closes the bridge itself when its read returns.
    void close();

private:
    template <class Call> FT_STATUS configure(Call call);
    FT_STATUS refusal() const; // the status of a call on a closing or failed bridge, else FT_OK
    std::chrono::milliseconds readerBound() const;
    void startReaderLocked();
    void readLoop();
    void shutDown();

    const Table table_;
    Context* const context_;

    std::mutex writeMutex_; // one write at a time; none during configuration or shut-down

    std::mutex stateMutex_; // everything below
    std::condition_variable changed_;
    ByteRing ring_;
    unsigned readChunk_ = 4096; // libftdi's default
    unsigned readTimeoutMs_;
    int configWaiting_ = 0;     // configuration calls waiting: the reader starts no read
    bool readInFlight_ = false; // the reader is inside a read on the context
    bool failed_ = false;       // the bridge vanished or its reader failed: every call fails from now on
    bool closing_ = false;      // the handle is gone
    bool readerStarted_ = false;
    bool readerRunning_ = false;
    bool shutDownByReader_ = false;
    std::thread reader_;
};

} // namespace quorin::driver::ftdi
