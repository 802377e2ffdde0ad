// Every 256-byte parameter block decodes into the listing of its reported mode.
#include "ParameterBlock.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorin::ParameterBlock block{};
    std::copy_n(data, std::min(size, block.size()), block.begin());
    const auto rows = quorin::decodeParameterBlock(block);
    const std::size_t expected = block[0] == 1 ? 36 : 63;
    if (rows.size() != expected)
        std::abort();
    for (const auto& row : rows)
        if (row.label.empty() || row.value.empty() || row.field.empty())
            std::abort();
    return 0;
}
