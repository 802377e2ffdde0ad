#include "HostStreamParser.h"

namespace quorin::sim {
namespace {
constexpr std::size_t frameLength = 6;
constexpr std::uint8_t sync0 = 0xFF;
constexpr std::uint8_t sync1 = 0xAA;

bool isKnownFrame(std::uint8_t c1, std::uint8_t c2) {
    return (c1 == 0x00 && (c2 <= 0x03 || c2 == 0xFF)) || (c1 == 0x01 && c2 == 0x00);
}
} // namespace

std::size_t HostStreamParser::packetLength(std::uint8_t type) {
    switch (type) {
    case 0xA0:
        return 15;
    case 0xA1:
        return 39;
    case 0xA2:
        return 135;
    case 0xA3:
        return 179;
    case 0xA4:
        return 8;
    default:
        return 0;
    }
}

// Drops bytes up to the next FF AA (or a trailing FF that may start one); a dropped run counts once.
std::size_t HostStreamParser::skipToSync(std::size_t from, Result& result) {
    std::size_t i = from;
    while (i < buffer_.size() &&
           !(buffer_[i] == sync0 && (i + 1 == buffer_.size() || buffer_[i + 1] == sync1)))
        ++i;
    if (i > from && !inGarbage_) {
        inGarbage_ = true;
        ++result.malformed;
    }
    return i;
}

HostStreamParser::Result HostStreamParser::feed(const std::uint8_t* bytes, std::size_t length) {
    Result result;
    buffer_.insert(buffer_.end(), bytes, bytes + length);
    std::size_t pos = 0;
    for (;;) {
        pos = skipToSync(pos, result);
        if (buffer_.size() - pos < frameLength)
            break;
        const std::uint8_t* frame = buffer_.data() + pos;
        if (frame[4] != 0x0D || frame[5] != 0xEB) {
            // Not a frame after all: count it and look for the next sync without counting again.
            if (!inGarbage_)
                ++result.malformed;
            inGarbage_ = true;
            pos += 1;
            continue;
        }
        inGarbage_ = false;
        const std::uint8_t c1 = frame[2], c2 = frame[3];
        if (isKnownFrame(c1, c2)) {
            result.commands.push_back({c1, c2, {}});
            pos += frameLength;
            continue;
        }
        const std::size_t packet = c1 == 0x00 ? packetLength(c2) : 0;
        if (packet == 0) {
            ++result.malformed;
            pos += frameLength;
            continue;
        }
        if (buffer_.size() - pos < packet)
            break;
        const std::uint8_t* payload = frame + frameLength;
        const std::size_t payloadLength = packet - frameLength - 1;
        std::uint8_t sum = 0;
        for (std::size_t i = 0; i < payloadLength; ++i)
            sum = static_cast<std::uint8_t>(sum + payload[i]);
        // A packet with a bad checksum is dropped whole, as its length is known from its type.
        if (sum == payload[payloadLength])
            result.commands.push_back({c1, c2, {payload, payload + payloadLength}});
        else
            ++result.malformed;
        pos += packet;
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos));
    return result;
}

void HostStreamParser::reset() {
    buffer_.clear();
    inGarbage_ = false;
}

} // namespace quorin::sim
