// The two data files of a recording: current values and raw samples of every buffered frame.
//
// Layout of both: per frame 256 lines of 256 comma-terminated values (pixel order as received),
// then a trailer line ("Frame i" / "i") and two empty lines; LF line ends. The fast writers produce
// the same bytes as the QTextStream references beside them.
#pragma once

#include "DoubleFormat.h"
#include "FrameFormat.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace quorin {

// One buffered raw frame: the four blocks back to back, frame::frameBytes long.
using SavedFrame = std::vector<std::uint8_t>;

enum class FileWrite { Written, OpenFailed, WriteFailed };

struct DataFilePaths {
    QString currentValues; // <path>/<name>_<N>_Frames.csv
    QString rawSamples;    // <path>/<name>_<N>_Frames_raw data.csv
};
// Built as UTF-8 and turned back into text, so non-ASCII names survive.
DataFilePaths dataFilePaths(const QByteArray& savePath, const QString& saveName, int saveNumber);

// The text of currentValue for every 20-bit code under one range factor and integration time,
// formatted when a code first appears: a sample's value depends on nothing else, so an export
// formats each distinct code once and copies its text afterwards.
class CurrentValueTexts {
public:
    CurrentValueTexts(int rangeFactor, int int0Time);

    // Bytes `append` may touch beyond `out`.
    static constexpr std::size_t appendRoom = 16;

    // Writes the text of `sample`'s current value followed by ","; returns the end.
    char* append(char* out, std::uint32_t sample) {
        if (sample > frame::fullScale)
            return appendFormatted(out, sample);
        Slot& slot = slots_.get()[sample];
        if (slot.length == 0)
            fill(slot, sample);
        std::memcpy(out, &slot, sizeof(Slot));
        return out + slot.length;
    }

private:
    struct Slot {
        char text[appendRoom - 1];
        std::uint8_t length; // 0 until the code first appears
    };
    static_assert(sizeof(Slot) == appendRoom && maxDoubleText + 1 <= sizeof(Slot::text));
    struct Free {
        void operator()(Slot* table) const;
    };

    char* appendFormatted(char* out, std::uint32_t sample) const;
    void fill(Slot& slot, std::uint32_t sample) const;

    int rangeFactor_;
    int int0Time_;
    // Zeroed pages from calloc: only the pages of codes that occur become resident.
    std::unique_ptr<Slot, Free> slots_;
};

// Both files, fast. Each returns how far it got; a failed write stops that file.
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
