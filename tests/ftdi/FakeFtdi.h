// A fake of the libftdi calls behind the real-board backend: bridges on a pretend bus, a board
// whose bytes arrive in the chunks a test gives, unplugging, and reads that hang. It records the
// control calls of opened bridges in order, and notices any that run while a read is in flight.
#pragma once

#include "FtdiTable.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace quorin::test {

struct FakeBridge {
    int product = driver::ftdi::productFt232h;
    std::string serial;
    int stringsResult = 0; // negative: the strings cannot be read (no permission)
    int openResult = 0;    // negative: the bridge cannot be claimed
    std::string description = "Quorin FIFO bridge";
};

class FakeFtdi {
public:
    explicit FakeFtdi(std::vector<FakeBridge> bridges);
    ~FakeFtdi();

    static const driver::ftdi::Table& table(); // the calls go to the FakeFtdi alive at the time

    // Bytes from the board; one bulk read delivers at most one chunk.
    void arrive(std::vector<unsigned char> chunk);
    void unplug();
    // The board answers a write of exactly these bytes with the reply.
    void answer(std::vector<unsigned char> request, std::vector<unsigned char> reply);
    // Reads in flight and later ones hang, past their time-out, until released.
    void hangReads(bool hang);
    void failWrites(int result) {
        std::lock_guard lock(mutex_);
        writeResult_ = result;
    }
    void failSearch() {
        std::lock_guard lock(mutex_);
        searchFails_ = true;
    }

    bool waitForReadInFlight(std::chrono::milliseconds bound);
    bool waitForFreed(std::chrono::milliseconds bound); // every context freed

    std::vector<std::string> calls() const; // control calls of opened bridges, in order
    std::vector<unsigned char> written() const;
    std::size_t unreadBytes() const; // arrived, not yet taken by a read
    bool callDuringRead() const;     // a control call, close or free while a read was in flight
    int contextsAlive() const;
    int listsAlive() const;

    struct Context;
    struct List;

private:
    void record(const Context* context, std::string call);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<FakeBridge> bridges_;
    std::deque<std::vector<unsigned char>> arriving_;
    std::vector<unsigned char> written_;
    std::vector<std::pair<std::vector<unsigned char>, std::vector<unsigned char>>> answers_;
    std::vector<std::string> calls_;
    int writeResult_ = 0; // 0: writes succeed
    int readsInFlight_ = 0;
    int contextsAlive_ = 0;
    int listsAlive_ = 0;
    bool unplugged_ = false;
    bool hanging_ = false;
    bool searchFails_ = false;
    bool callDuringRead_ = false;
};

} // namespace quorin::test
