#include "PacketTrace.h"

#include <cstdio>
#include <iostream>

namespace quorin {

namespace {

void appendHexByte(std::string& out, std::uint8_t byte, const char* format) {
    char digits[3];
    std::snprintf(digits, sizeof digits, format, byte);
    out += digits;
}

} // namespace

std::string byteDumpTrace(std::span<const std::uint8_t> bytes, const std::tm& t) {
    std::string out = "[" + std::to_string(t.tm_year + 1900) + "-" + std::to_string(t.tm_mon + 1) + "-" +
                      std::to_string(t.tm_mday) + " " + std::to_string(t.tm_hour) + ":" +
                      std::to_string(t.tm_min) + ":" + std::to_string(t.tm_sec) + "] ";
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        out += "[" + std::to_string(i / 4) + "] ";
        for (std::size_t j = i; j < i + 4 && j < bytes.size(); ++j) {
            appendHexByte(out, bytes[j], "%02X");
            out += ' ';
        }
        out += '\n';
    }
    return out;
}

std::string cfgRegTrace(const std::array<std::uint8_t, 2>& cfgReg) {
    std::string out = "mCFG_REG 的值为: 0x";
    appendHexByte(out, cfgReg[0], "%02x");
    out += ", 0x";
    appendHexByte(out, cfgReg[1], "%02x");
    return out + "\n";
}

std::string scanChecksumTrace(std::uint8_t checksum) {
    return "UCHAR value: " + std::to_string(checksum) + "\n";
}

std::string hexRepresentationTrace(std::span<const std::uint8_t> bytes) {
    std::string out = "Hex representation: ";
    for (std::uint8_t b : bytes) {
        appendHexByte(out, b, "%02X");
        out += ' ';
    }
    return out + "\n";
}

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void writeTrace(std::string_view text) {
    std::cout << text << std::flush;
}

} // namespace quorin
