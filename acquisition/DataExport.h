// The two data files of a recording: current values and raw samples of every buffered frame.
//
// Layout of both: per frame 256 lines of 256 comma-terminated values (pixel order as received),
// then a trailer line ("Frame i" / "i") and two empty lines; LF line ends. The fast writers produce
// the same bytes as the QTextStream references beside them, formatting straight into large buffers.
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

// Each file alone, fast. Each returns how far it got; a failed write stops that file.
FileWrite writeCurrentValueFile(const QString& path, std::span<const SavedFrame> frames, int rangeFactor,
                                int int0Time);
// `beforeFrame` is called with each frame's index before the frame is written.
FileWrite writeRawSampleFile(const QString& path, std::span<const SavedFrame> frames,
                             const std::function<void(std::size_t)>& beforeFrame = {});

struct DataFilesWritten {
    FileWrite currentValues;
    FileWrite rawSamples;
};
// Both files at once, the raw samples on a second thread while this one writes the current values:
// the export holds up the frame loop. Both are opened first, in that order, and `openFailed` hears
// of each that cannot be before any frame is written.
DataFilesWritten writeDataFiles(const DataFilePaths& paths, std::span<const SavedFrame> frames,
                                int rangeFactor, int int0Time,
                                const std::function<void(const QString& path)>& openFailed,
                                const std::function<void(std::size_t)>& beforeRawFrame = {});

// The same files written plainly through QTextStream: the references of the fast writers.
FileWrite writeCurrentValueFileReference(const QString& path, std::span<const SavedFrame> frames,
                                         int rangeFactor, int int0Time);
FileWrite writeRawSampleFileReference(const QString& path, std::span<const SavedFrame> frames);

} // namespace quorin
