// The simulated board's host-stream parser on arbitrary bytes in arbitrary chunks: every command
// it accepts has a known shape, and feeding the same bytes in one piece or in chunks gives the
// same commands.
#include "HostStreamParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

using quorin::sim::HostCommand;
using quorin::sim::HostStreamParser;

namespace {
bool sameCommands(const std::vector<HostCommand>& a, const std::vector<HostCommand>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].c1 != b[i].c1 || a[i].c2 != b[i].c2 || a[i].payload != b[i].payload)
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto chunkSeed = input.ConsumeIntegral<std::uint32_t>();
    const std::vector<std::uint8_t> stream = input.ConsumeRemainingBytes<std::uint8_t>();

    HostStreamParser whole;
    const auto oneShot = whole.feed(stream.data(), stream.size()).commands;

    HostStreamParser chunked;
    std::vector<HostCommand> pieces;
    std::uint32_t state = chunkSeed | 1u;
    for (std::size_t at = 0; at < stream.size();) {
        state = state * 1664525u + 1013904223u;
        const std::size_t length = std::min<std::size_t>(1 + (state >> 24) % 40, stream.size() - at);
        auto result = chunked.feed(stream.data() + at, length);
        pieces.insert(pieces.end(), result.commands.begin(), result.commands.end());
        at += length;
    }
    if (!sameCommands(oneShot, pieces))
        std::abort();
    for (const auto& command : oneShot) {
        const std::size_t length = command.c1 == 0 ? HostStreamParser::packetLength(command.c2) : 0;
        if (length != 0 && command.payload.size() != length - 7)
            std::abort();
        if (length == 0 && !command.payload.empty())
            std::abort();
    }
    return 0;
}
