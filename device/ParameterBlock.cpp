#include "ParameterBlock.h"

#include "Bounds.h"
#include "CommandFrames.h"
#include "TimingPackets.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace quorin {

namespace {

std::uint32_t unsignedAt(const ParameterBlock& block, std::size_t offset, std::size_t size) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < size; ++i)
        v = (v << 8) | block[offset + i];
    return v;
}

std::string signedWordAt(const ParameterBlock& block, std::size_t offset) {
    return std::to_string(static_cast<std::int32_t>(unsignedAt(block, offset, 4)));
}

std::string volts(std::uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", code * 40.0 / 65536.0 - 20.0);
    return text;
}

std::string lowerHex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", v);
    return text;
}

constexpr const char* dacLabels[16] = {
    "GOA_DC2:", "GOA_DC1:",   "VGL:",       "TFT_Vbias:", "TFT_VCOM:", "GOA_DCH:", "GOA_DC3:", "MUX_H:",
    "MUX_L:",   "Pixel_DC1:", "Pixel_DC2:", "Pixel_DC3:", "Vc1k_H:",   "Vscan_L:", "Vscan_H:", "BK1:",
};

// In the order of goaFields: payload words 0 to 12, then 29 to 31 (13 to 28 are reserved).
constexpr const char* goaLabels[16] = {
    "rst_fall:",     "rst_rise:", "stv_rise:",  "stv_fall:", "ck_start:", "ck_high:",
    "ck_low :",      "ck_num:",   "xck_start:", "xck_high:", "xck_low:",  "xck_num:",
    "total_period:", "sa_start:", "sb_start:",  "sab_high:",
};

std::string fieldName(int number) {
    return "lineEdit_" + std::to_string(number);
}

std::string scanLabel(int k) {
    if (k == 0)
        return "scan_ck_high:";
    if (k == 6)
        return "ck6_start :";
    if (k <= 8)
        return "ck" + std::to_string(k) + "_start:";
    if (k == 9)
        return "scan_high:";
    if (k <= 41)
        return "scan" + std::to_string(k - 9) + "_start:";
    return "scan_total_period:";
}

} // namespace

std::vector<ParameterRow> decodeParameterBlock(const ParameterBlock& block) {
    std::vector<ParameterRow> rows = {
        {"fps:", std::to_string(block[1]), "lineEdit_frame"},
        {"INT0:", std::to_string(unsignedAt(block, 6, 3) / 40), "lineEdit_int0"},
        {"INT1:", std::to_string(unsignedAt(block, 9, 3) / 40), "lineEdit_int1"},
        {"CFG_REG:", lowerHex(unsignedAt(block, 12, 2)), "lineEdit_cfgreg"},
    };
    for (std::size_t i = 0; i < 16; ++i)
        rows.push_back({dacLabels[i], volts(unsignedAt(block, 17 + 2 * i, 2)), dacFields[i]});

    if (block[0] == 1) {
        for (std::size_t i = 0; i < goaFields.size(); ++i) {
            const std::size_t word = i < 13 ? i : i + 16;
            rows.push_back({goaLabels[i], signedWordAt(block, 49 + 4 * word), fieldName(goaFields[i])});
        }
    } else {
        for (int k = 0; k < 43; ++k)
            rows.push_back(
                {scanLabel(k), signedWordAt(block, 49 + 4 * k), "lineEdit_" + std::to_string(51 + k)});
    }
    return rows;
}

ReadBack readParameterBlock(FT_HANDLE handle, FT_STATUS& status) {
    ReadBack result;
    status = FT_SetTimeouts(handle, bounds::captureTimeoutMs, bounds::captureTimeoutMs);
    // Bytes left over from an earlier, late or partial answer would shift the whole block.
    status = FT_Purge(handle, FT_PURGE_RX);
    sendFrame(handle, parameterRequest(), status);
    if (status != FT_OK)
        return result;

    const auto deadline = std::chrono::steady_clock::now() + bounds::parameterReadBackTimeout;
    while (result.received < parameterBlockSize) {
        DWORD queued = 0, txQueue = 0, events = 0;
        status = FT_GetStatus(handle, &queued, &txQueue, &events);
        if (status != FT_OK)
            break;
        if (queued > 0) {
            const DWORD wanted = std::min<DWORD>(queued, parameterBlockSize - result.received);
            DWORD got = 0;
            status = FT_Read(handle, result.block.data() + result.received, wanted, &got);
            if (status != FT_OK)
                break;
            got = std::min<DWORD>(got, wanted);
            result.received += got;
            if (got > 0)
                continue;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(bounds::parameterPollBackoff);
    }

    if (result.received == parameterBlockSize)
        result.outcome = ReadBackOutcome::Complete;
    else if (result.received > 0)
        result.outcome = ReadBackOutcome::ShortReply;
    return result;
}

} // namespace quorin
