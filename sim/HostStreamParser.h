// Splits the host's byte stream into command frames and configuration packets, whatever the chunking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorin::sim {

// A well-formed frame or packet the board knows: the two command bytes and, for a packet, its
// payload (checksum already verified and stripped).
struct HostCommand {
    std::uint8_t c1 = 0;
    std::uint8_t c2 = 0;
    std::vector<std::uint8_t> payload;
};

class HostStreamParser {
public:
    struct Result {
        std::vector<HostCommand> commands;
        std::size_t malformed = 0; // bad checksums, unknown frames, runs of garbage
    };

    Result feed(const std::uint8_t* bytes, std::size_t length);
    void reset();

    // Whole length of a configuration packet of type `type` (A0..A4), 0 for other types.
    static std::size_t packetLength(std::uint8_t type);

private:
    std::size_t skipToSync(std::size_t from, Result& result);

    std::vector<std::uint8_t> buffer_;
    bool inGarbage_ = false; // a run of garbage counts once, however it is chunked
};

} // namespace quorin::sim
