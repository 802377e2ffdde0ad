#include "SimulatedBoard.h"

#include "FrameSynthesiser.h"
#include "HostStreamParser.h"
#include "ReceiveQueue.h"

#include <algorithm>
#include <limits>

namespace quorin::sim {
namespace {
using Clock = std::chrono::steady_clock;

std::uint32_t bigEndian(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | at[i];
    return value;
}

template <std::size_t N>
void readWords(const std::vector<std::uint8_t>& payload, std::array<std::int32_t, N>& words) {
    for (std::size_t i = 0; i < N; ++i)
        words[i] = static_cast<std::int32_t>(bigEndian(&payload[4 * i], 4));
}
} // namespace

SimulatedBoard::SimulatedBoard(std::string serial)
    : serial_(std::move(serial)), synthesiser_(std::make_unique<FrameSynthesiser>(serial_)),
      parser_(std::make_unique<HostStreamParser>()), receive_(std::make_unique<ReceiveQueue>()),
      applied_(BoardConfiguration::fresh()), pending_(applied_) {}

SimulatedBoard::~SimulatedBoard() = default;

void SimulatedBoard::setLightSource(LightSource light) {
    std::lock_guard lock(mutex_);
    light_ = light;
}

LightSource SimulatedBoard::lightSource() const {
    std::lock_guard lock(mutex_);
    return light_;
}

void SimulatedBoard::unplug() {
    std::lock_guard lock(mutex_);
    plugged_ = false;
    open_ = false;
    ++session_;
    // The board is powered from the bus: it comes back as a fresh board.
    receive_->clear();
    parser_->reset();
    applied_ = pending_ = BoardConfiguration::fresh();
    havePacedFrame_ = false;
}

void SimulatedBoard::plugBack() {
    std::lock_guard lock(mutex_);
    plugged_ = true;
}

bool SimulatedBoard::isPlugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

void SimulatedBoard::setStalled(bool stalled) {
    std::lock_guard lock(mutex_);
    stalled_ = stalled;
}

bool SimulatedBoard::isStalled() const {
    std::lock_guard lock(mutex_);
    return stalled_;
}

void SimulatedBoard::setChunkSize(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    chunkSize_ = bytes;
}

void SimulatedBoard::injectStrayBytes(std::size_t count) {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> stray(count);
    for (std::size_t i = 0; i < count; ++i)
        stray[i] = static_cast<std::uint8_t>(0x5A ^ i);
    receive_->push(std::move(stray), Clock::now());
}

void SimulatedBoard::setShortAnswers(std::size_t missingBytes) {
    std::lock_guard lock(mutex_);
    missingBytes_ = missingBytes;
}

void SimulatedBoard::setUnlimitedPace(bool unlimited) {
    std::lock_guard lock(mutex_);
    unlimitedPace_ = unlimited;
}

void SimulatedBoard::setNoiseFree(bool noiseFree) {
    std::lock_guard lock(mutex_);
    noiseFree_ = noiseFree;
}

std::vector<HostWrite> SimulatedBoard::writeLog() const {
    std::lock_guard lock(mutex_);
    return {log_.begin(), log_.end()};
}

void SimulatedBoard::clearWriteLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

std::size_t SimulatedBoard::malformedCount() const {
    std::lock_guard lock(mutex_);
    return malformed_;
}

BoardConfiguration SimulatedBoard::appliedConfiguration() const {
    std::lock_guard lock(mutex_);
    return applied_;
}

std::uint8_t SimulatedBoard::mode() const {
    return appliedConfiguration().mode;
}
std::uint32_t SimulatedBoard::int0Ticks() const {
    return appliedConfiguration().int0Ticks;
}
std::uint32_t SimulatedBoard::int1Ticks() const {
    return appliedConfiguration().int1Ticks;
}
std::uint16_t SimulatedBoard::cfgReg() const {
    return appliedConfiguration().cfgReg;
}
std::array<std::uint16_t, 16> SimulatedBoard::dacCodes() const {
    return appliedConfiguration().dacCodes;
}
std::array<std::int32_t, 32> SimulatedBoard::goaWords() const {
    return appliedConfiguration().goaWords;
}
std::array<std::int32_t, 43> SimulatedBoard::scanValues() const {
    return appliedConfiguration().scanValues;
}

bool SimulatedBoard::isOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

std::size_t SimulatedBoard::framesSynthesised() const {
    std::lock_guard lock(mutex_);
    return framesSynthesised_;
}

std::vector<std::uint32_t> SimulatedBoard::lastFrame() const {
    std::lock_guard lock(mutex_);
    return lastFrame_;
}

std::vector<std::uint32_t> SimulatedBoard::noiseFreeFrame(LightSource light, std::uint32_t int0Ticks) const {
    std::vector<std::uint32_t> frame;
    synthesiser_->synthesise(light, int0Ticks, nullptr, frame); // the synthesiser never changes
    return frame;
}

bool SimulatedBoard::hostOpen(std::uint64_t& session) {
    std::lock_guard lock(mutex_);
    if (!plugged_ || open_)
        return false;
    open_ = true;
    session = ++session_;
    return true;
}

FT_STATUS SimulatedBoard::hostClose(std::uint64_t session) {
    std::lock_guard lock(mutex_);
    if (FT_STATUS status = checkLocked(session); status != FT_OK)
        return status;
    open_ = false;
    return FT_OK;
}

FT_STATUS SimulatedBoard::checkLocked(std::uint64_t session) const {
    return open_ && session == session_ ? FT_OK : FT_IO_ERROR;
}

FT_STATUS SimulatedBoard::hostCheck(std::uint64_t session) const {
    std::lock_guard lock(mutex_);
    return checkLocked(session);
}

FT_STATUS SimulatedBoard::hostWrite(std::uint64_t session, const std::uint8_t* bytes, std::size_t length) {
    std::lock_guard lock(mutex_);
    if (FT_STATUS status = checkLocked(session); status != FT_OK)
        return status;
    if (length == 0)
        return FT_OK;
    if (!bytes)
        return FT_INVALID_PARAMETER;
    if (log_.size() == writeLogCapacity)
        log_.pop_front();
    log_.push_back({Clock::now(), {bytes, bytes + length}});
    HostStreamParser::Result parsed = parser_->feed(bytes, length);
    malformed_ += parsed.malformed;
    for (const HostCommand& command : parsed.commands)
        onCommand(command);
    return FT_OK;
}

std::size_t SimulatedBoard::readableLocked(Clock::time_point now) const {
    if (stalled_)
        return 0;
    const std::size_t readable = receive_->readable(now);
    return chunkSize_ == 0 ? readable : std::min(readable, chunkSize_);
}

FT_STATUS SimulatedBoard::hostReadable(std::uint64_t session, DWORD& readable) {
    std::lock_guard lock(mutex_);
    readable = 0;
    if (FT_STATUS status = checkLocked(session); status != FT_OK)
        return status;
    readable = static_cast<DWORD>(
        std::min<std::size_t>(readableLocked(Clock::now()), std::numeric_limits<DWORD>::max()));
    return FT_OK;
}

FT_STATUS SimulatedBoard::hostRead(std::uint64_t session, std::uint8_t* buffer, std::size_t length,
                                   DWORD& returned) {
    std::lock_guard lock(mutex_);
    returned = 0;
    if (FT_STATUS status = checkLocked(session); status != FT_OK)
        return status;
    if (length == 0)
        return FT_OK;
    if (!buffer)
        return FT_INVALID_PARAMETER;
    const Clock::time_point now = Clock::now();
    const std::size_t n = std::min(length, readableLocked(now));
    returned = static_cast<DWORD>(receive_->take(buffer, n, now));
    return FT_OK;
}

FT_STATUS SimulatedBoard::hostPurge(std::uint64_t session, DWORD mask) {
    std::lock_guard lock(mutex_);
    if (FT_STATUS status = checkLocked(session); status != FT_OK)
        return status;
    if (mask & FT_PURGE_RX)
        receive_->clear();
    return FT_OK;
}

void SimulatedBoard::answer(std::vector<std::uint8_t> bytes, Clock::time_point readyAt) {
    bytes.resize(bytes.size() - std::min(missingBytes_, bytes.size()));
    receive_->push(std::move(bytes), readyAt);
}

void SimulatedBoard::onCommand(const HostCommand& command) {
    const Clock::time_point now = Clock::now();
    const std::vector<std::uint8_t>& payload = command.payload;
    if (command.c1 == 0x01) { // apply: everything pending takes effect together
        applied_ = pending_;
        return;
    }
    switch (command.c2) {
    case 0x00:
    case 0x01:
    case 0x02:
    case 0x03: {
        Clock::time_point readyAt = now;
        if (command.c2 == 0x00 || lastFrame_.empty()) {
            synthesiser_->synthesise(light_, applied_.int0Ticks, noiseFree_ ? nullptr : &noiseState_,
                                     lastFrame_);
            ++framesSynthesised_;
        }
        if (command.c2 == 0x00) {
            const std::int32_t period = applied_.totalPeriod(); // ticks of 0.1 µs
            if (!unlimitedPace_ && havePacedFrame_ && period > 0)
                readyAt = std::max(now, lastFrameReadyAt_ + std::chrono::nanoseconds(100LL * period));
            havePacedFrame_ = true;
            lastFrameReadyAt_ = readyAt;
        }
        std::vector<std::uint8_t> block(blockBytes);
        const std::uint32_t* samples = lastFrame_.data() + command.c2 * (samplesPerFrame / 4);
        for (std::size_t s = 0; s < blockBytes / 4; ++s)
            for (int b = 0; b < 4; ++b)
                block[4 * s + b] = static_cast<std::uint8_t>(samples[s] >> (8 * b));
        answer(std::move(block), readyAt);
        return;
    }
    case 0xFF: {
        const auto parameters = applied_.parameterBlock();
        answer({parameters.begin(), parameters.end()}, now);
        return;
    }
    case 0xA0:
        pending_.int0Ticks = bigEndian(&payload[0], 3);
        pending_.int1Ticks = bigEndian(&payload[3], 3);
        pending_.cfgReg = static_cast<std::uint16_t>(bigEndian(&payload[6], 2));
        return;
    case 0xA1:
        for (std::size_t i = 0; i < pending_.dacCodes.size(); ++i)
            pending_.dacCodes[i] = static_cast<std::uint16_t>(bigEndian(&payload[2 * i], 2));
        return;
    case 0xA2:
        readWords(payload, pending_.goaWords);
        return;
    case 0xA3:
        readWords(payload, pending_.scanValues);
        return;
    case 0xA4:
        pending_.mode = payload[0];
        return;
    default:
        return;
    }
}

} // namespace quorin::sim
