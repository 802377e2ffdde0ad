#include "CommandFrames.h"

#include "Bounds.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <thread>

namespace quorin {

std::uint8_t checksum(std::span<const std::uint8_t> payload) {
    return static_cast<std::uint8_t>(std::accumulate(payload.begin(), payload.end(), 0u));
}

Bytes configurationPacket(std::uint8_t type, std::span<const std::uint8_t> payload) {
    const Frame header = commandFrame(0x00, type);
    Bytes packet(header.size() + payload.size() + 1);
    std::copy(header.begin(), header.end(), packet.begin());
    std::copy(payload.begin(), payload.end(), packet.begin() + header.size());
    packet.back() = checksum(payload);
    return packet;
}

Bytes modeSelectCommand(BoardMode mode) {
    const std::uint8_t m = static_cast<std::uint8_t>(mode);
    return configurationPacket(packetType::modeSelect, std::span(&m, 1));
}

int hexPairValue(char c1, char c2) {
    auto digit = [](char c) {
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return c - 48;
    };
    return 16 * digit(c1) + digit(c2);
}

int voltageToCode(double volts) {
    const double exact = (volts + 20.0) / 40.0 * 65536.0;
    if (!(exact > 0.0)) // also NaN
        return 0;
    if (exact >= 65535.0)
        return 65535;
    double code = std::floor(exact);
    if (exact - code >= 0.5)
        code += 1.0;
    return static_cast<int>(code);
}

std::array<std::uint8_t, 2> splitCode(int code) {
    return {static_cast<std::uint8_t>((code >> 8) & 0xFF), static_cast<std::uint8_t>(code & 0xFF)};
}

Bytes voltagePacket(const std::array<int, 16>& codes) {
    Bytes payload;
    payload.reserve(32);
    for (int code : codes) {
        const auto bytes = splitCode(code);
        payload.insert(payload.end(), bytes.begin(), bytes.end());
    }
    return configurationPacket(packetType::voltage, payload);
}

void sendFrame(FT_HANDLE handle, std::span<const std::uint8_t> bytes, FT_STATUS& status) {
    DWORD written = 0;
    status = FT_Write(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written);
}

void sendConfiguration(FT_HANDLE handle, std::span<const std::uint8_t> packet, FT_STATUS& status) {
    sendFrame(handle, packet, status);
    // sleep_until resumes by itself when a signal cuts the sleep short.
    std::this_thread::sleep_until(std::chrono::steady_clock::now() + bounds::configurationPause);
    sendFrame(handle, applyCommand(), status);
}

} // namespace quorin
