// A fresh simulated board per test, opened through the driver calls, with helpers that talk to it
// the way the host does: one write per frame, status/read pairs bounded in time.
#pragma once

#include "SimulatedBoard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace simtest {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

inline Bytes frame(std::uint8_t c1, std::uint8_t c2) {
    return {0xFF, 0xAA, c1, c2, 0x0D, 0xEB};
}
inline Bytes blockRequest(int n) {
    return frame(0x00, static_cast<std::uint8_t>(n));
}
inline const Bytes parameterRequest = frame(0x00, 0xFF);
inline const Bytes applyCommand = frame(0x01, 0x00);

// Header, payload, checksum: written out here so the board is checked against an encoding of our own.
inline Bytes packet(std::uint8_t type, const Bytes& payload) {
    Bytes p = frame(0x00, type);
    std::uint8_t sum = 0;
    for (std::uint8_t b : payload) {
        p.push_back(b);
        sum = static_cast<std::uint8_t>(sum + b);
    }
    p.push_back(sum);
    return p;
}

inline void appendBigEndian(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::vector<std::uint32_t> decodeSamples(const Bytes& bytes) {
    std::vector<std::uint32_t> samples(bytes.size() / 4);
    for (std::size_t s = 0; s < samples.size(); ++s)
        samples[s] = bytes[4 * s] | bytes[4 * s + 1] << 8 | bytes[4 * s + 2] << 16 |
                     static_cast<std::uint32_t>(bytes[4 * s + 3]) << 24;
    return samples;
}

class SimBoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend = quorin::sim::installSimulatedBackend();
        board = backend->board();
        board->setUnlimitedPace(true);
        ASSERT_EQ(FT_OpenEx(quorin::sim::defaultSerial, FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
    }
    void TearDown() override { quorin::driver::installBackend(nullptr); }

    void send(const Bytes& bytes) {
        DWORD written = 0;
        ASSERT_EQ(FT_Write(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written), FT_OK);
        ASSERT_EQ(written, bytes.size());
    }

    DWORD queued() {
        DWORD rx = 0, tx = 0, ev = 0;
        EXPECT_EQ(FT_GetStatus(handle, &rx, &tx, &ev), FT_OK);
        return rx;
    }

    // Reads until `count` bytes have arrived or `bound` has passed; returns what arrived.
    Bytes readFor(std::size_t count, std::chrono::milliseconds bound = 2000ms) {
        Bytes got;
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            const DWORD rx = queued();
            if (rx == 0) {
                std::this_thread::sleep_for(1ms);
                continue;
            }
            Bytes chunk(std::min<std::size_t>(rx, count - got.size()));
            DWORD returned = 0;
            EXPECT_EQ(FT_Read(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &returned), FT_OK);
            got.insert(got.end(), chunk.begin(), chunk.begin() + returned);
        }
        return got;
    }

    Bytes parameters() {
        send(parameterRequest);
        return readFor(quorin::sim::parameterBlockBytes);
    }

    std::vector<std::uint32_t> readFrame() {
        Bytes all;
        for (int n = 0; n < 4; ++n) {
            send(blockRequest(n));
            Bytes block = readFor(quorin::sim::blockBytes);
            EXPECT_EQ(block.size(), quorin::sim::blockBytes);
            all.insert(all.end(), block.begin(), block.end());
        }
        return decodeSamples(all);
    }

    std::shared_ptr<quorin::sim::SimulatedBackend> backend;
    std::shared_ptr<quorin::sim::SimulatedBoard> board;
    FT_HANDLE handle = nullptr;
};

} // namespace simtest
