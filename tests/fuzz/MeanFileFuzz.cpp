// The calibration mean-file loader on arbitrary file contents: it must never write outside the
// map, never set more entries than the map holds, and report what it set.
#include "CalibrationFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ON_calibration.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    std::vector<std::uint32_t> map(65536, 7);
    const int set = quorin::loadMeanFile(path, 1.1, map);
    if (set < 0 || set > 65536)
        std::abort();
    for (std::size_t i = static_cast<std::size_t>(set); i < map.size(); ++i)
        if (map[i] != 7)
            std::abort();
    return 0;
}
