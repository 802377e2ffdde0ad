// A minimal scripted backend for the developer tests: it records every write and answers the
// parameter request with a prepared reply, released piece by piece, one piece per status poll.
#pragma once

#include "CommandFrames.h"
#include "DriverBackend.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <memory>
#include <vector>

class ScriptedBoard final : public quorin::driver::Backend {
public:
    static inline FT_HANDLE const handle = reinterpret_cast<FT_HANDLE>(0x5eed);

    std::vector<quorin::Bytes> writes;
    std::vector<std::chrono::steady_clock::time_point> writeTimes;
    std::vector<std::vector<std::uint8_t>> replyPieces; // released after each parameter request
    int purges = 0;

    // Bytes already waiting in the receive queue (stale ones from an earlier answer).
    void preload(std::vector<std::uint8_t> bytes) { queue_.insert(queue_.end(), bytes.begin(), bytes.end()); }

    static std::shared_ptr<ScriptedBoard> install() {
        auto board = std::make_shared<ScriptedBoard>();
        quorin::driver::installBackend(board);
        return board;
    }

    FT_STATUS createDeviceInfoList(DWORD* count) override { return *count = 0, FT_OK; }
    FT_STATUS getDeviceInfoList(FT_DEVICE_LIST_INFO_NODE*, DWORD* count) override {
        return *count = 0, FT_OK;
    }
    FT_STATUS openEx(const void*, DWORD, FT_HANDLE*) override { return FT_DEVICE_NOT_FOUND; }
    FT_STATUS resetDevice(FT_HANDLE h) override { return check(h); }
    FT_STATUS purge(FT_HANDLE h, DWORD mask) override {
        if (check(h) == FT_OK && (mask & FT_PURGE_RX)) {
            ++purges;
            queue_.clear();
        }
        return check(h);
    }
    FT_STATUS setBitMode(FT_HANDLE h, UCHAR, UCHAR) override { return check(h); }
    FT_STATUS setUSBParameters(FT_HANDLE h, DWORD, DWORD) override { return check(h); }
    FT_STATUS setFlowControl(FT_HANDLE h, USHORT, UCHAR, UCHAR) override { return check(h); }
    FT_STATUS setTimeouts(FT_HANDLE h, DWORD, DWORD) override { return check(h); }
    FT_STATUS write(FT_HANDLE h, const void* buffer, DWORD length, DWORD* written) override {
        *written = 0;
        if (check(h) != FT_OK)
            return FT_INVALID_HANDLE;
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        writes.emplace_back(bytes, bytes + length);
        writeTimes.push_back(std::chrono::steady_clock::now());
        constexpr auto request = quorin::parameterRequest();
        if (std::equal(bytes, bytes + length, request.begin(), request.end()))
            pending_.assign(replyPieces.begin(), replyPieces.end());
        *written = length;
        return FT_OK;
    }
    FT_STATUS getStatus(FT_HANDLE h, DWORD* rx, DWORD* tx, DWORD* events) override {
        *rx = *tx = *events = 0;
        if (check(h) != FT_OK)
            return FT_INVALID_HANDLE;
        if (!pending_.empty()) {
            queue_.insert(queue_.end(), pending_.front().begin(), pending_.front().end());
            pending_.pop_front();
        }
        *rx = static_cast<DWORD>(queue_.size());
        return FT_OK;
    }
    FT_STATUS read(FT_HANDLE h, void* buffer, DWORD length, DWORD* returned) override {
        *returned = 0;
        if (check(h) != FT_OK)
            return FT_INVALID_HANDLE;
        const DWORD n = std::min<DWORD>(length, static_cast<DWORD>(queue_.size()));
        std::copy_n(queue_.begin(), n, static_cast<std::uint8_t*>(buffer));
        queue_.erase(queue_.begin(), queue_.begin() + n);
        *returned = n;
        return FT_OK;
    }
    FT_STATUS close(FT_HANDLE h) override { return check(h); }

    std::size_t queued() const { return queue_.size(); }

private:
    static FT_STATUS check(FT_HANDLE h) { return h == handle ? FT_OK : FT_INVALID_HANDLE; }

    std::deque<std::vector<std::uint8_t>> pending_;
    std::deque<std::uint8_t> queue_;
};
