// The settings-file loader on arbitrary bytes: it never fails in a way that loses the 78 keys, and
// what it loaded survives a save and a second load unchanged.
#include "SettingsModel.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorin::SettingsModel first;
    first.load(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    const QByteArray saved = first.save();

    quorin::SettingsModel second;
    if (!second.load(saved))
        std::abort();
    for (int i = 0; i < quorin::SettingsModel::keyCount; ++i)
        if (first.value(i) != second.value(i))
            std::abort();
    if (second.save() != saved)
        std::abort();
    return 0;
}
