// The simulated Quorin board and the driver backend that carries one or more of them.
//
// The board parses the host's byte stream on its own (it shares no encoder with the host, so it
// checks the host's encodings), answers block and parameter requests, keeps configuration pending
// until the apply command, paces frames at the programmed frame rate and fails on request.
#pragma once

#include "DriverBackend.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quorin::sim {

inline constexpr int frameSide = 256;
inline constexpr std::size_t samplesPerFrame = 65536;
inline constexpr std::size_t blockBytes = 65536;
inline constexpr std::size_t parameterBlockBytes = 256;
inline constexpr std::uint32_t maxCode = 0xFFFFF; // samples carry 20-bit codes
inline constexpr std::uint32_t zeroSignalCode = 4096;
// The write log keeps the most recent writes only, so a long session does not grow without bound.
inline constexpr std::size_t writeLogCapacity = 100'000;

enum class LightSource { Dark, Scene, FullLight };

// Mode byte of the parameter block and of the mode select.
inline constexpr std::uint8_t goaMode = 1;
inline constexpr std::uint8_t scanMode = 2;

// What the board holds: the applied configuration (or the pending one, before the apply command).
struct BoardConfiguration {
    std::uint8_t mode = scanMode;
    std::uint32_t int0Ticks = 0; // 1/40 µs ticks, 24 bits
    std::uint32_t int1Ticks = 0;
    std::uint16_t cfgReg = 0;
    std::array<std::uint16_t, 16> dacCodes{};
    std::array<std::int32_t, 32> goaWords{}; // the GOA payload words, reserved ones included
    std::array<std::int32_t, 43> scanValues{};

    // A board as it comes out of the box: SCAN mode, 166 µs, 9 frames/s in both modes, 0 V on every DAC.
    static BoardConfiguration fresh();
    // Total period of the current mode, in ticks of 0.1 µs.
    std::int32_t totalPeriod() const;
    // 10,000,000 / total period, rounded, clamped to 0..255: byte 1 of the parameter block.
    std::uint8_t framesPerSecond() const;
    // The 256-byte parameter block the board answers with.
    std::array<std::uint8_t, parameterBlockBytes> parameterBlock() const;

    bool operator==(const BoardConfiguration&) const = default;
};

// One write of the host as it reached the board.
struct HostWrite {
    std::chrono::steady_clock::time_point time;
    std::vector<std::uint8_t> bytes;
};

class FrameSynthesiser;
class HostStreamParser;
class ReceiveQueue;
struct HostCommand;

// One board. Every public method is thread-safe. The driver calls (the `host*` methods) are used
// by SimulatedBackend; tests and the panel use the rest.
class SimulatedBoard {
public:
    explicit SimulatedBoard(std::string serial);
    ~SimulatedBoard();
    SimulatedBoard(const SimulatedBoard&) = delete;
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    const std::string& serial() const { return serial_; }

    // Scene and faults.
    void setLightSource(LightSource light);
    LightSource lightSource() const;
    void unplug(); // handles die, the board leaves the device list and loses its configuration
    void plugBack();
    bool isPlugged() const;
    void setStalled(bool stalled); // un-stalling delivers what was held
    bool isStalled() const;
    void setChunkSize(std::size_t bytes); // bytes released per status/read; 0 = no limit
    void injectStrayBytes(std::size_t count);
    void setShortAnswers(std::size_t missingBytes); // block and parameter answers lose their last bytes
    void setUnlimitedPace(bool unlimited);          // answer block request 0 at once
    void setNoiseFree(bool noiseFree);              // deterministic frames

    // Observation.
    std::vector<HostWrite> writeLog() const;
    void clearWriteLog();
    std::size_t malformedCount() const;
    BoardConfiguration appliedConfiguration() const;
    std::uint8_t mode() const;
    std::uint32_t int0Ticks() const;
    std::uint32_t int1Ticks() const;
    std::uint16_t cfgReg() const;
    std::array<std::uint16_t, 16> dacCodes() const;
    std::array<std::int32_t, 32> goaWords() const;
    std::array<std::int32_t, 43> scanValues() const;
    bool isOpen() const;
    std::size_t framesSynthesised() const;
    // Samples of the frame synthesised at the last block request 0 (empty before the first).
    std::vector<std::uint32_t> lastFrame() const;
    // The frame this board shows for a light source and integration time, without noise.
    std::vector<std::uint32_t> noiseFreeFrame(LightSource light, std::uint32_t int0Ticks) const;

    // Driver side. `session` is the token returned by hostOpen; a stale session fails.
    bool hostOpen(std::uint64_t& session);
    FT_STATUS hostClose(std::uint64_t session);
    FT_STATUS hostWrite(std::uint64_t session, const std::uint8_t* bytes, std::size_t length);
    FT_STATUS hostReadable(std::uint64_t session, DWORD& readable);
    FT_STATUS hostRead(std::uint64_t session, std::uint8_t* buffer, std::size_t length, DWORD& returned);
    FT_STATUS hostPurge(std::uint64_t session, DWORD mask);
    FT_STATUS hostCheck(std::uint64_t session) const;

private:
    void onCommand(const HostCommand& command);
    void answer(std::vector<std::uint8_t> bytes, std::chrono::steady_clock::time_point readyAt);
    std::size_t readableLocked(std::chrono::steady_clock::time_point now) const;
    FT_STATUS checkLocked(std::uint64_t session) const;

    const std::string serial_;
    mutable std::mutex mutex_;
    std::unique_ptr<FrameSynthesiser> synthesiser_;
    std::unique_ptr<HostStreamParser> parser_;
    std::unique_ptr<ReceiveQueue> receive_;
    BoardConfiguration applied_;
    BoardConfiguration pending_;
    LightSource light_ = LightSource::Scene;
    bool plugged_ = true;
    bool open_ = false;
    std::uint64_t session_ = 0; // of the open handle; bumped by every open and unplug
    bool stalled_ = false;
    std::size_t chunkSize_ = 0;
    std::size_t missingBytes_ = 0;
    bool unlimitedPace_ = false;
    bool noiseFree_ = false;
    bool havePacedFrame_ = false;
    std::chrono::steady_clock::time_point lastFrameReadyAt_{};
    std::deque<HostWrite> log_;
    std::vector<std::uint32_t> lastFrame_;
    std::size_t framesSynthesised_ = 0;
    std::size_t malformed_ = 0;
    std::uint32_t noiseState_ = 0x2545F491;
};

// The driver backend over a fixed set of boards, listed in the order given.
class SimulatedBackend final : public quorin::driver::Backend {
public:
    // Serial numbers: 1 to 15 characters, all different (std::invalid_argument otherwise).
    explicit SimulatedBackend(const std::vector<std::string>& serials);

    std::size_t boardCount() const { return boards_.size(); }
    std::shared_ptr<SimulatedBoard> board(std::size_t index = 0) const;
    std::shared_ptr<SimulatedBoard> board(const std::string& serial) const; // nullptr if unknown

    FT_STATUS createDeviceInfoList(DWORD* count) override;
    FT_STATUS getDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* count) override;
    FT_STATUS openEx(const void* arg, DWORD flags, FT_HANDLE* handle) override;
    FT_STATUS resetDevice(FT_HANDLE handle) override;
    FT_STATUS purge(FT_HANDLE handle, DWORD mask) override;
    FT_STATUS setBitMode(FT_HANDLE handle, UCHAR mask, UCHAR mode) override;
    FT_STATUS setUSBParameters(FT_HANDLE handle, DWORD inSize, DWORD outSize) override;
    FT_STATUS setFlowControl(FT_HANDLE handle, USHORT flowControl, UCHAR xon, UCHAR xoff) override;
    FT_STATUS setTimeouts(FT_HANDLE handle, DWORD readMs, DWORD writeMs) override;
    FT_STATUS write(FT_HANDLE handle, const void* buffer, DWORD length, DWORD* written) override;
    FT_STATUS getStatus(FT_HANDLE handle, DWORD* rxQueue, DWORD* txQueue, DWORD* eventStatus) override;
    FT_STATUS read(FT_HANDLE handle, void* buffer, DWORD length, DWORD* returned) override;
    FT_STATUS close(FT_HANDLE handle) override;

private:
    struct OpenHandle {
        std::shared_ptr<SimulatedBoard> board;
        std::uint64_t session = 0;
    };
    bool lookup(FT_HANDLE handle, OpenHandle& out) const;

    std::vector<std::shared_ptr<SimulatedBoard>> boards_;
    mutable std::mutex mutex_;
    std::map<std::uintptr_t, OpenHandle> handles_;
    std::uintptr_t nextToken_ = 0x5100;
    std::vector<FT_DEVICE_LIST_INFO_NODE> listed_; // the list of the last createDeviceInfoList
};

inline constexpr const char* defaultSerial = "QS2024A001";

// Installs a fresh SimulatedBackend as the driver's backend and returns it.
std::shared_ptr<SimulatedBackend> installSimulatedBackend(const std::vector<std::string>& serials = {
                                                              defaultSerial});

} // namespace quorin::sim
