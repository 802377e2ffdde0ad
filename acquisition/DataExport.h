// The two data files of a recording: current values and raw samples of every buffered frame.
//
// Layout of both: per frame 256 lines of 256 comma-terminated values (pixel order as received),
// then a trailer line ("Frame i" / "i") and two empty lines; LF line ends. The fast writers produce
// the same bytes as the QTextStream references beside them.
#pragma once

#include "DoubleFormat.h"
#include "SavedFrame.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <span>

namespace quorin {

enum class FileWrite { Written, OpenFailed, WriteFailed };

struct DataFilePaths {
    QString currentValues; // <path>/<name>_<N>_Frames.csv
    QString rawSamples;    // <path>/<name>_<N>_Frames_raw data.csv
};
// Built as UTF-8 and turned back into text, so non-ASCII names survive.
DataFilePaths dataFilePaths(const QByteArray& savePath, const QString& saveName, int saveNumber);

// Each file, fast: frames are formatted on two threads and written in order in large writes. Each
// returns how far it got; a failed write stops that file.
FileWrite writeCurrentValueFile(const QString& path, std::span<const SavedFrame> frames, int rangeFactor,
                                int int0Time);
// `beforeFrame` is called with each frame's index before the frame is written.
FileWrite writeRawSampleFile(const QString& path, std::span<const SavedFrame> frames,
                             const std::function<void(std::size_t)>& beforeFrame = {});

// The same files written plainly through QTextStream: the references of the fast writers.
FileWrite writeCurrentValueFileReference(const QString& path, std::span<const SavedFrame> frames,
                                         int rangeFactor, int int0Time);
FileWrite writeRawSampleFileReference(const QString& path, std::span<const SavedFrame> frames);

} // namespace quorin
