// The board's 256-byte parameter block: reading it within a bound, and decoding it into the lines
// the developer window lists and the fields it writes back.
#pragma once

#include "ftd2xx.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorin {

inline constexpr std::size_t parameterBlockSize = 256;

// The developer window's DAC fields in voltage-packet slot order.
inline constexpr std::array<const char*, 16> dacFields = {
    "lineEdit_goa_dc2", "lineEdit_goaDc1",   "lineEdit_vgl",      "lineEdit_tftVbias",
    "lineEdit_tftVcom", "lineEdit_goaDch",   "lineEdit_goaDc3",   "lineEdit_muxH",
    "lineEdit_muxL",    "lineEdit_pixelDc1", "lineEdit_pixelDc2", "lineEdit_pixelDc3",
    "lineEdit_vclkH",   "lineEdit_vscanL",   "lineEdit_vscanH",   "lineEdit_bk1",
};
using ParameterBlock = std::array<std::uint8_t, parameterBlockSize>;

struct ParameterRow {
    std::string label; // shown immediately followed by the value
    std::string value;
    std::string field; // object name of the developer field that takes the value
    bool operator==(const ParameterRow&) const = default;
};

// fps, INT0, INT1, CFG_REG and the sixteen DAC voltages, then the timing set of the reported mode
// (mode byte 1: GOA, anything else: SCAN). Every byte pattern decodes.
std::vector<ParameterRow> decodeParameterBlock(const ParameterBlock& block);

enum class ReadBackOutcome {
    Complete,
    NoReply,    // nothing arrived within the bound, or the driver refused
    ShortReply, // some bytes, but not the whole block, within the bound
};

struct ReadBack {
    ReadBackOutcome outcome = ReadBackOutcome::NoReply;
    ParameterBlock block{};
    std::size_t received = 0;
};

// Sends the parameter request and collects the block, polling the receive queue with a short
// back-off until it is complete or bounds::parameterReadBackTimeout has passed. Bytes beyond the
// block stay in the queue. Each driver call's status goes to `status`.
ReadBack readParameterBlock(FT_HANDLE handle, FT_STATUS& status);

} // namespace quorin
