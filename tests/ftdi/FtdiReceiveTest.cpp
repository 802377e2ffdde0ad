// The receive queue of an open bridge: the reader thread, FT_GetStatus / FT_Read against the ring,
// time-outs, purge, unplugging and closing, against a fake libftdi.
#include "ByteRing.h"
#include "FakeFtdi.h"
#include "FtdiBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

using namespace quorin;
using namespace std::chrono_literals;
using test::FakeFtdi;
using Bytes = std::vector<unsigned char>;
using Clock = std::chrono::steady_clock;

namespace {
Bytes pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + i / 251);
    return bytes;
}

// One FT232H, opened and configured as the program does, with short time-outs.
class OpenBridge : public ::testing::Test {
protected:
    explicit OpenBridge(std::size_t capacity = driver::ftdiReceiveCapacity)
        : backend(driver::makeFtdiBackend(FakeFtdi::table(), capacity)) {
        EXPECT_EQ(backend->openEx("FT111111", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
        EXPECT_EQ(backend->setUSBParameters(handle, 65536, 65536), FT_OK);
        EXPECT_EQ(backend->setTimeouts(handle, readTimeoutMs, 1000), FT_OK);
    }
    ~OpenBridge() override {
        if (handle)
            backend->close(handle);
    }

    // Feeds the chunks one by one, as a board answering in pieces does.
    void arriveInChunks(const Bytes& bytes, const std::vector<std::size_t>& sizes) {
        std::size_t at = 0;
        for (std::size_t size : sizes) {
            fake.arrive(Bytes(bytes.begin() + long(at), bytes.begin() + long(at + size)));
            at += size;
        }
        ASSERT_EQ(at, bytes.size());
    }

    DWORD queued() {
        DWORD rx = 0, tx = 0, events = 0;
        EXPECT_EQ(backend->getStatus(handle, &rx, &tx, &events), FT_OK);
        return rx;
    }

    bool waitForQueued(DWORD count, std::chrono::milliseconds bound = 2s) {
        const auto deadline = Clock::now() + bound;
        while (queued() != count)
            if (Clock::now() > deadline)
                return false;
            else
                std::this_thread::sleep_for(1ms);
        return true;
    }

    // Reads as the acquisition loop does: FT_GetStatus, then FT_Read of exactly that count.
    Bytes drain(std::size_t total, std::chrono::milliseconds bound = 5s) {
        Bytes got;
        const auto deadline = Clock::now() + bound;
        while (got.size() < total && Clock::now() < deadline) {
            const DWORD count = queued();
            Bytes buffer(count);
            DWORD returned = 0;
            EXPECT_EQ(backend->read(handle, buffer.data(), count, &returned), FT_OK);
            EXPECT_EQ(returned, count);
            got.insert(got.end(), buffer.begin(), buffer.end());
            if (count == 0)
                std::this_thread::sleep_for(100us);
        }
        return got;
    }

    static constexpr DWORD readTimeoutMs = 150;
    FakeFtdi fake{{{driver::ftdi::productFt232h, "FT111111"}}};
    std::shared_ptr<driver::Backend> backend;
    FT_HANDLE handle = nullptr;
};

class SmallRing : public OpenBridge {
protected:
    static constexpr std::size_t capacity = 65536;
    SmallRing() : OpenBridge(capacity) {}
};
} // namespace

TEST(FtdiByteRing, KeepsOrderAcrossTheWrap) {
    driver::ftdi::ByteRing ring(8);
    const unsigned char in[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    unsigned char out[16] = {};
    EXPECT_EQ(ring.put(in, 5), 5u);
    EXPECT_EQ(ring.take(out, 3), 3u);
    EXPECT_EQ(ring.put(in + 5, 6), 6u); // wraps
    EXPECT_EQ(ring.put(in, 1), 0u);     // full: nothing overwritten
    EXPECT_EQ(ring.take(out + 3, 16), 8u);
    EXPECT_EQ(Bytes(out, out + 11), Bytes(in, in + 11));
    EXPECT_EQ(ring.size(), 0u);
}

TEST_F(OpenBridge, StatusAndReadDeliverChunkedArrivalsInOrder) {
    // Odd pieces, a piece larger than one bulk read, and a whole block in one go.
    const std::vector<std::size_t> sizes{1, 511, 16384, 7, 40000, 2, 65536, 3};
    const Bytes sent = pattern(std::accumulate(sizes.begin(), sizes.end(), std::size_t(0)));
    std::thread board([&] { arriveInChunks(sent, sizes); });
    const Bytes got = drain(sent.size());
    board.join();
    EXPECT_EQ(got, sent);
    EXPECT_EQ(queued(), 0u);
}

TEST_F(OpenBridge, ReadOfMoreThanQueuedGathersLaterChunks) {
    const Bytes sent = pattern(3000);
    std::thread board([&] {
        for (int i = 0; i < 3; ++i) {
            std::this_thread::sleep_for(10ms);
            fake.arrive(Bytes(sent.begin() + i * 1000, sent.begin() + (i + 1) * 1000));
        }
    });
    Bytes got(3000);
    DWORD returned = 0;
    EXPECT_EQ(backend->read(handle, got.data(), 3000, &returned), FT_OK);
    board.join();
    EXPECT_EQ(returned, 3000u);
    EXPECT_EQ(got, sent);
}

TEST_F(OpenBridge, ReadTimeOutReturnsWhatHasArrived) {
    fake.arrive(pattern(10));
    ASSERT_TRUE(waitForQueued(10));
    Bytes got(100);
    DWORD returned = 0;
    const auto start = Clock::now();
    EXPECT_EQ(backend->read(handle, got.data(), 100, &returned), FT_OK);
    const auto waited = Clock::now() - start;
    EXPECT_EQ(returned, 10u);
    EXPECT_EQ(Bytes(got.begin(), got.begin() + 10), pattern(10));
    EXPECT_GE(waited, std::chrono::milliseconds(readTimeoutMs - 10));
    EXPECT_LT(waited, std::chrono::milliseconds(readTimeoutMs) + 1s);

    // Asking for the reported count of 0 never waits.
    const auto again = Clock::now();
    EXPECT_EQ(backend->read(handle, got.data(), queued(), &returned), FT_OK);
    EXPECT_EQ(returned, 0u);
    EXPECT_LT(Clock::now() - again, 50ms);
}

TEST_F(OpenBridge, PurgeOfTheReceiveQueueDropsBufferedBytesOnly) {
    struct Case {
        DWORD mask;
        const char* call;
        bool dropsReceived;
    };
    for (const Case& c : {Case{FT_PURGE_RX | FT_PURGE_TX, "flush both", true},
                          Case{FT_PURGE_RX, "flush in", true}, Case{FT_PURGE_TX, "flush out", false}}) {
        SCOPED_TRACE(c.call);
        fake.arrive(pattern(500));
        ASSERT_TRUE(waitForQueued(500));
        EXPECT_EQ(backend->purge(handle, c.mask), FT_OK); // with the reader running
        EXPECT_EQ(fake.calls().back(), c.call);
        EXPECT_EQ(queued(), c.dropsReceived ? 0u : 500u);
        drain(queued());
        // Bytes after the purge still come through.
        fake.arrive({0xFF, 0xAA, 0x0D});
        EXPECT_EQ(drain(3), (Bytes{0xFF, 0xAA, 0x0D}));
    }
    EXPECT_FALSE(fake.callDuringRead());
}

TEST_F(SmallRing, AFullRingHoldsTheBoardBackAndLosesNothing) {
    const Bytes sent = pattern(4 * capacity);
    std::vector<std::size_t> sizes(sent.size() / 4096, 4096);
    arriveInChunks(sent, sizes);
    std::this_thread::sleep_for(100ms);
    EXPECT_LE(queued(), capacity);
    EXPECT_GT(fake.unreadBytes(), 0u); // left with the bridge, not dropped
    EXPECT_EQ(drain(sent.size()), sent);
}

TEST_F(OpenBridge, UnplugEndsAWaitingReadAndFailsEveryCallAfter) {
    ASSERT_EQ(backend->setTimeouts(handle, 5000, 1000), FT_OK);
    fake.arrive(pattern(100));
    ASSERT_TRUE(waitForQueued(100));
    FT_STATUS readStatus = FT_OK;
    Clock::duration waited{};
    std::thread acquisition([&] {
        Bytes buffer(1000);
        DWORD returned = 0;
        const auto start = Clock::now();
        readStatus = backend->read(handle, buffer.data(), 1000, &returned);
        waited = Clock::now() - start;
    });
    std::this_thread::sleep_for(20ms);
    fake.unplug();
    acquisition.join();
    EXPECT_EQ(readStatus, FT_IO_ERROR);
    EXPECT_LT(waited, 1s);

    DWORD rx = 1, tx = 1, events = 1, count = 1;
    unsigned char byte = 0;
    EXPECT_EQ(backend->getStatus(handle, &rx, &tx, &events), FT_IO_ERROR);
    EXPECT_EQ(rx, 0u); // the bytes before the unplug are not offered as a frame
    EXPECT_EQ(backend->read(handle, &byte, 0, &count), FT_IO_ERROR);
    EXPECT_EQ(backend->write(handle, &byte, 1, &count), FT_IO_ERROR);
    EXPECT_EQ(backend->setTimeouts(handle, 1000, 1000), FT_IO_ERROR);
    EXPECT_EQ(backend->close(std::exchange(handle, nullptr)), FT_OK);
    EXPECT_EQ(fake.contextsAlive(), 0);
}

TEST_F(OpenBridge, CloseWaitsForTheReadInFlightAndEndsAWaitingRead) {
    ASSERT_TRUE(waitForQueued(0)); // starts the reader
    ASSERT_TRUE(fake.waitForReadInFlight(1s));
    FT_STATUS readStatus = FT_OK;
    std::thread acquisition([&, h = handle] {
        Bytes buffer(1000);
        DWORD returned = 0;
        readStatus = backend->read(h, buffer.data(), 1000, &returned);
    });
    std::this_thread::sleep_for(20ms);
    const auto start = Clock::now();
    EXPECT_EQ(backend->close(std::exchange(handle, nullptr)), FT_OK);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(readTimeoutMs) + 500ms);
    acquisition.join();
    EXPECT_EQ(readStatus, FT_INVALID_HANDLE);
    EXPECT_FALSE(fake.callDuringRead()); // the context closed only after the read returned
    EXPECT_EQ(fake.contextsAlive(), 0);
}

TEST_F(OpenBridge, CloseIsBoundedWhenAReadHangsPastItsTimeOut) {
    fake.hangReads(true);
    ASSERT_TRUE(waitForQueued(0));
    ASSERT_TRUE(fake.waitForReadInFlight(1s));
    const FT_HANDLE closed = std::exchange(handle, nullptr);
    const auto start = Clock::now();
    EXPECT_EQ(backend->close(closed), FT_OK);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(readTimeoutMs) + 1500ms);
    DWORD rx = 0, tx = 0, events = 0;
    EXPECT_EQ(backend->getStatus(closed, &rx, &tx, &events), FT_INVALID_HANDLE);
    EXPECT_EQ(fake.contextsAlive(), 1); // not closed under the hanging read

    fake.hangReads(false); // the read returns at last: the reader closes the bridge itself
    ASSERT_TRUE(fake.waitForFreed(2s));
    const auto calls = fake.calls();
    EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
              (std::vector<std::string>{"bitmode 00 00", "close", "free"}));
    EXPECT_FALSE(fake.callDuringRead());
}
