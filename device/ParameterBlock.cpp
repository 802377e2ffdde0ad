#include "ParameterBlock.h"

#include "Bounds.h"
#include "CommandFrames.h"

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

struct Labelled {
    const char* label;
    const char* field;
};

constexpr Labelled dacRows[16] = {
    {"GOA_DC2:", "lineEdit_goa_dc2"},
    {"GOA_DC1:", "lineEdit_goaDc1"},
    {"VGL:", "lineEdit_vgl"},
    {"TFT_Vbias:", "lineEdit_tftVbias"},
    {"TFT_VCOM:", "lineEdit_tftVcom"},
    {"GOA_DCH:", "lineEdit_goaDch"},
    {"GOA_DC3:", "lineEdit_goaDc3"},
    {"MUX_H:", "lineEdit_muxH"},
    {"MUX_L:", "lineEdit_muxL"},
    {"Pixel_DC1:", "lineEdit_pixelDc1"},
    {"Pixel_DC2:", "lineEdit_pixelDc2"},
    {"Pixel_DC3:", "lineEdit_pixelDc3"},
    {"Vc1k_H:", "lineEdit_vclkH"},
    {"Vscan_L:", "lineEdit_vscanL"},
    {"Vscan_H:", "lineEdit_vscanH"},
    {"BK1:", "lineEdit_bk1"},
};

// GOA words shown, with their offsets; words 13 to 28 are reserved.
struct GoaRow {
    std::size_t offset;
    Labelled row;
};
constexpr GoaRow goaRows[16] = {
    {49, {"rst_fall:", "lineEdit_9"}},      {53, {"rst_rise:", "lineEdit_10"}},
    {57, {"stv_rise:", "lineEdit_11"}},     {61, {"stv_fall:", "lineEdit_12"}},
    {65, {"ck_start:", "lineEdit_13"}},     {69, {"ck_high:", "lineEdit_14"}},
    {73, {"ck_low :", "lineEdit_15"}},      {77, {"ck_num:", "lineEdit_16"}},
    {81, {"xck_start:", "lineEdit_17"}},    {85, {"xck_high:", "lineEdit_18"}},
    {89, {"xck_low:", "lineEdit_19"}},      {93, {"xck_num:", "lineEdit_20"}},
    {97, {"total_period:", "lineEdit_21"}}, {165, {"sa_start:", "lineEdit_94"}},
    {169, {"sb_start:", "lineEdit_95"}},    {173, {"sab_high:", "lineEdit_96"}},
};

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
        rows.push_back({dacRows[i].label, volts(unsignedAt(block, 17 + 2 * i, 2)), dacRows[i].field});

    if (block[0] == 1) {
        for (const GoaRow& g : goaRows)
            rows.push_back({g.row.label, signedWordAt(block, g.offset), g.row.field});
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
