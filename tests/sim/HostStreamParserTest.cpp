#include "HostStreamParser.h"

#include <gtest/gtest.h>

#include <numeric>

using quorin::sim::HostCommand;
using quorin::sim::HostStreamParser;
using Bytes = std::vector<std::uint8_t>;

namespace {

// The ADC packet of 166 µs / 166 µs / 1bf, a block request, the apply command, the mode select.
const Bytes adcPacket = {0xFF, 0xAA, 0x00, 0xA0, 0x0D, 0xEB, 0x00, 0x19,
                         0xF0, 0x00, 0x19, 0xF0, 0x01, 0xBF, 0xD2};
const Bytes blockRequest2 = {0xFF, 0xAA, 0x00, 0x02, 0x0D, 0xEB};
const Bytes apply = {0xFF, 0xAA, 0x01, 0x00, 0x0D, 0xEB};
const Bytes modeScan = {0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, 0x02, 0x02};

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

HostStreamParser::Result feedInChunks(const Bytes& stream, std::size_t chunk) {
    HostStreamParser parser;
    HostStreamParser::Result total;
    for (std::size_t at = 0; at < stream.size(); at += chunk) {
        auto r = parser.feed(stream.data() + at, std::min(chunk, stream.size() - at));
        total.malformed += r.malformed;
        total.commands.insert(total.commands.end(), r.commands.begin(), r.commands.end());
    }
    return total;
}

std::vector<std::pair<int, int>> kinds(const HostStreamParser::Result& r) {
    std::vector<std::pair<int, int>> out;
    for (const HostCommand& c : r.commands)
        out.emplace_back(c.c1, c.c2);
    return out;
}

} // namespace

TEST(HostStreamParser, AnyChunkingYieldsTheSameCommands) {
    const Bytes stream = concat({adcPacket, blockRequest2, modeScan, apply});
    const std::vector<std::pair<int, int>> expected = {
        {0x00, 0xA0}, {0x00, 0x02}, {0x00, 0xA4}, {0x01, 0x00}};
    for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{7}, stream.size()}) {
        SCOPED_TRACE(chunk);
        const auto result = feedInChunks(stream, chunk);
        EXPECT_EQ(kinds(result), expected);
        EXPECT_EQ(result.malformed, 0u);
        ASSERT_EQ(result.commands.size(), 4u);
        EXPECT_EQ(result.commands[0].payload, Bytes(adcPacket.begin() + 6, adcPacket.end() - 1));
        EXPECT_EQ(result.commands[2].payload, Bytes{0x02});
    }
}

TEST(HostStreamParser, EveryPacketTypeHasItsLength) {
    for (auto [type, length] : {std::pair{0xA0, 15}, {0xA1, 39}, {0xA2, 135}, {0xA3, 179}, {0xA4, 8}}) {
        SCOPED_TRACE(type);
        Bytes packet = {0xFF, 0xAA, 0x00, static_cast<std::uint8_t>(type), 0x0D, 0xEB};
        for (int i = 0; i < length - 7; ++i)
            packet.push_back(static_cast<std::uint8_t>(i * 37 + 11));
        packet.push_back(static_cast<std::uint8_t>(std::accumulate(packet.begin() + 6, packet.end(), 0)));
        const auto result = feedInChunks(concat({packet, apply}), 5);
        EXPECT_EQ(result.malformed, 0u);
        ASSERT_EQ(result.commands.size(), 2u);
        EXPECT_EQ(result.commands[0].payload.size(), static_cast<std::size_t>(length - 7));
    }
}

struct MalformedCase {
    const char* name;
    Bytes stream;
    std::size_t malformed;
    std::vector<std::pair<int, int>> commands;
};

TEST(HostStreamParser, MalformedInputIsCountedAndTheStreamResynchronises) {
    Bytes badChecksum = adcPacket;
    badChecksum.back() ^= 0x01;
    const std::vector<MalformedCase> cases = {
        {"bad checksum dropped whole", concat({badChecksum, blockRequest2}), 1, {{0x00, 0x02}}},
        {"unknown command", concat({{0xFF, 0xAA, 0x00, 0x04, 0x0D, 0xEB}, apply}), 1, {{0x01, 0x00}}},
        {"unknown first byte", concat({{0xFF, 0xAA, 0x07, 0x00, 0x0D, 0xEB}, apply}), 1, {{0x01, 0x00}}},
        {"garbage run counts once",
         concat({{0x00, 0x12, 0xFF, 0x00, 0xAA, 0x34}, blockRequest2}),
         1,
         {{0x00, 0x02}}},
        {"bad trailer", concat({{0xFF, 0xAA, 0x00, 0x02, 0x0D, 0x00, 0x99}, apply}), 1, {{0x01, 0x00}}},
        {"sync inside garbage",
         concat({{0xFF, 0xFF, 0xAA}, Bytes(apply.begin() + 2, apply.end())}),
         1,
         {{0x01, 0x00}}},
    };
    for (const MalformedCase& c : cases)
        for (std::size_t chunk : {std::size_t{1}, c.stream.size()}) {
            SCOPED_TRACE(std::string(c.name) + " chunk " + std::to_string(chunk));
            const auto result = feedInChunks(c.stream, chunk);
            EXPECT_EQ(result.malformed, c.malformed);
            EXPECT_EQ(kinds(result), c.commands);
        }
}

TEST(HostStreamParser, AnIncompletePacketWaitsForTheRest) {
    HostStreamParser parser;
    EXPECT_TRUE(parser.feed(adcPacket.data(), 14).commands.empty());
    const auto rest = parser.feed(adcPacket.data() + 14, 1);
    EXPECT_EQ(rest.commands.size(), 1u);
    EXPECT_EQ(rest.malformed, 0u);
}
