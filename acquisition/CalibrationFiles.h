// The calibration files of the reference collections, their writer and the mean-file loader, and
// the conversion of a sample into a current.
#pragma once

#include "ReferenceCollection.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

namespace quorin {

// x = (v − 4096) × 2^−20 for v above 4095, else 0; then x × rangeFactor / int0Time × 1000, in that order.
inline double currentValue(std::uint32_t sample, int rangeFactor, int int0Time) {
    const double x = sample > 4095 ? static_cast<double>(sample - 4096u) * 9.5367431640625e-7 : 0.0;
    return x * rangeFactor / int0Time * 1000;
}

struct CalibrationPaths {
    QString meanFile;
    QString currentFile;
};
CalibrationPaths calibrationPaths(Reference kind); // relative to the working directory

// 65,536 values, each followed by ","; a line end after every 256th; two more line ends at the end.
// Text mode: the platform's line ends. Returns false when the file cannot be opened or written.
bool writeMeanFile(const QString& path, std::span<const std::uint32_t> means);
bool writeCurrentFile(const QString& path, std::span<const std::uint32_t> means, int rangeFactor,
                      int int0Time);

// Both files of a collection, the mean file first; "ok" and the file name, or "gg", on the debug
// stream for each. Returns the files that could not be written.
QStringList writeCalibrationFiles(Reference kind, std::span<const std::uint32_t> means, int rangeFactor,
                                  int int0Time);

// Reads a mean file into `map` (levelFromMean of each number with `factor`), tolerant of damage:
// parts of a line that are not unsigned decimal integers are skipped, numbers beyond the 65,536th
// are ignored, and a short file fills only the first entries. Returns how many entries were set,
// or −1 when the file cannot be opened (the map is then untouched).
int loadMeanFile(const QString& path, double factor, std::span<std::uint32_t> map);

} // namespace quorin
