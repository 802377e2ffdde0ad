#include "CalibrationFiles.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

namespace quorin {
namespace {

template <typename WriteValue>
bool writeValueFile(const QString& path, std::size_t count, WriteValue writeValue) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    for (std::size_t p = 0; p < count; ++p) {
        writeValue(out, p);
        out << ',';
        if ((p + 1) % frame::side == 0)
            out << '\n';
    }
    out << "\n\n";
    out.flush();
    return out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
}

// Only plain digits: a sign, a decimal point or a blank makes the part no number.
bool parseUnsigned(QStringView part, std::uint32_t& value) {
    std::uint64_t v = 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + static_cast<unsigned>(c.unicode() - u'0');
        if (v > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<std::uint32_t>(v);
    return !part.isEmpty();
}

} // namespace

CalibrationPaths calibrationPaths(Reference kind) {
    if (kind == Reference::FullOn)
        return {QStringLiteral("Calibration/ON_calibration.csv"),
                QStringLiteral("Calibration/ON_Current_calibration.csv")};
    return {QStringLiteral("Calibration/OFF_calibration.csv"),
            QStringLiteral("Calibration/OFF_Current_calibration.csv")};
}

bool writeMeanFile(const QString& path, std::span<const std::uint32_t> means) {
    return writeValueFile(path, means.size(), [&](QTextStream& out, std::size_t p) { out << means[p]; });
}

bool writeCurrentFile(const QString& path, std::span<const std::uint32_t> means, int rangeFactor,
                      int int0Time) {
    return writeValueFile(path, means.size(), [&](QTextStream& out, std::size_t p) {
        out << currentValue(means[p], rangeFactor, int0Time);
    });
}

QStringList writeCalibrationFiles(Reference kind, std::span<const std::uint32_t> means, int rangeFactor,
                                  int int0Time) {
    const CalibrationPaths paths = calibrationPaths(kind);
    QStringList unwritten;
    auto report = [&unwritten](bool written, const QString& path) {
        if (written) {
            qDebug() << "ok" << path;
        } else {
            qDebug() << "gg";
            unwritten << path;
        }
    };
    report(writeMeanFile(paths.meanFile, means), paths.meanFile);
    report(writeCurrentFile(paths.currentFile, means, rangeFactor, int0Time), paths.currentFile);
    return unwritten;
}

int loadMeanFile(const QString& path, double factor, std::span<std::uint32_t> map) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    QTextStream in(&file);
    std::size_t i = 0;
    while (!in.atEnd() && i < map.size()) {
        const QString line = in.readLine();
        for (const QStringRef& part : line.splitRef(u',', Qt::SkipEmptyParts)) {
            std::uint32_t value = 0;
            if (i < map.size() && parseUnsigned(part, value))
                map[i++] = levelFromMean(value, factor);
        }
    }
    return static_cast<int>(i);
}

} // namespace quorin
