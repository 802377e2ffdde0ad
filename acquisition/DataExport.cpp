#include "DataExport.h"

#include "CalibrationFiles.h"

#include <QFile>
#include <QTextStream>

#include <cstring>
#include <future>

namespace quorin {
namespace {

constexpr std::size_t writeChunk = 1 << 20;
// The longest line: 256 values with their commas and the line end, and what formatDouble may touch
// beyond the last.
constexpr std::size_t lineRoom = frame::side * (maxDoubleText + 1) + 1 + formatDoubleRoom;

// Collects text in one large buffer and hands it to the file in big writes, checking each.
class ChunkedFile {
public:
    explicit ChunkedFile(const QString& path) : file_(path), buffer_(writeChunk + lineRoom) {}

    bool open() { return file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered); }

    // Room for one line; `commit` the end of what was written there.
    char* room() { return buffer_.data() + used_; }
    void commit(char* end) {
        used_ = static_cast<std::size_t>(end - buffer_.data());
        if (used_ >= writeChunk)
            flush();
    }

    // Writes what is buffered and closes the file; false when any byte did not reach it.
    bool finish() {
        flush();
        file_.close();
        return !failed_ && file_.error() == QFileDevice::NoError;
    }
    bool failed() const { return failed_; }

private:
    void flush() {
        if (!failed_ && used_ > 0)
            failed_ = file_.write(buffer_.data(), static_cast<qint64>(used_)) != static_cast<qint64>(used_);
        used_ = 0;
    }

    QFile file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

char* appendText(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

// Writes every frame line by line with `appendValue`, each frame followed by its trailer, into an
// opened file, and closes it.
template <typename AppendValue>
FileWrite writeFrames(ChunkedFile& file, std::span<const SavedFrame> frames, const char* trailerPrefix,
                      const std::function<void(std::size_t)>& beforeFrame, AppendValue appendValue) {
    std::vector<std::uint32_t> samples(frame::pixelCount);
    for (std::size_t i = 0; i < frames.size() && !file.failed(); ++i) {
        if (beforeFrame)
            beforeFrame(i);
        frames[i].decode(std::span<std::uint32_t, frame::pixelCount>(samples));
        const std::uint32_t* sample = samples.data();
        for (int row = 0; row < frame::side; ++row) {
            char* out = file.room();
            for (int column = 0; column < frame::side; ++column)
                out = appendValue(out, *sample++);
            *out++ = '\n';
            file.commit(out);
        }
        char* out = appendText(file.room(), trailerPrefix);
        out = formatUnsigned(out, static_cast<std::uint32_t>(i));
        file.commit(appendText(out, "\n\n\n"));
    }
    return file.finish() ? FileWrite::Written : FileWrite::WriteFailed;
}

FileWrite writeCurrentValues(ChunkedFile& file, std::span<const SavedFrame> frames, int rangeFactor,
                             int int0Time) {
    return writeFrames(file, frames, "Frame ", {}, [=](char* out, std::uint32_t sample) {
        out = formatDouble(out, currentValue(sample, rangeFactor, int0Time));
        *out++ = ',';
        return out;
    });
}

FileWrite writeRawSamples(ChunkedFile& file, std::span<const SavedFrame> frames,
                          const std::function<void(std::size_t)>& beforeFrame) {
    return writeFrames(file, frames, "", beforeFrame, [](char* out, std::uint32_t sample) {
        out = formatUnsigned(out, sample);
        *out++ = ',';
        return out;
    });
}

template <typename WriteValue>
FileWrite writeFramesReference(const QString& path, std::span<const SavedFrame> frames,
                               const char* trailerPrefix, WriteValue writeValue) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return FileWrite::OpenFailed;
    QTextStream out(&file);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        for (std::size_t p = 0; p < frame::pixelCount; ++p) {
            writeValue(out, frames[i].sample(p));
            out << ',';
            if ((p + 1) % frame::side == 0)
                out << '\n';
        }
        out << trailerPrefix << i << '\n' << '\n' << '\n';
    }
    out.flush();
    const bool written = out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
    file.close();
    return written && file.error() == QFileDevice::NoError ? FileWrite::Written : FileWrite::WriteFailed;
}

} // namespace

DataFilePaths dataFilePaths(const QByteArray& savePath, const QString& saveName, int saveNumber) {
    const QByteArray stem = savePath + '/' + saveName.toUtf8() + '_' + QByteArray::number(saveNumber);
    return {QString::fromUtf8(stem + "_Frames" + ".csv"),
            QString::fromUtf8(stem + "_Frames_" + "raw data" + ".csv")};
}

FileWrite writeCurrentValueFile(const QString& path, std::span<const SavedFrame> frames, int rangeFactor,
                                int int0Time) {
    ChunkedFile file(path);
    return file.open() ? writeCurrentValues(file, frames, rangeFactor, int0Time) : FileWrite::OpenFailed;
}

FileWrite writeRawSampleFile(const QString& path, std::span<const SavedFrame> frames,
                             const std::function<void(std::size_t)>& beforeFrame) {
    ChunkedFile file(path);
    return file.open() ? writeRawSamples(file, frames, beforeFrame) : FileWrite::OpenFailed;
}

DataFilesWritten writeDataFiles(const DataFilePaths& paths, std::span<const SavedFrame> frames,
                                int rangeFactor, int int0Time,
                                const std::function<void(const QString&)>& openFailed,
                                const std::function<void(std::size_t)>& beforeRawFrame) {
    ChunkedFile current(paths.currentValues);
    ChunkedFile raw(paths.rawSamples);
    DataFilesWritten written{FileWrite::OpenFailed, FileWrite::OpenFailed};
    const bool currentOpen = current.open();
    if (!currentOpen)
        openFailed(paths.currentValues);
    const bool rawOpen = raw.open();
    if (!rawOpen)
        openFailed(paths.rawSamples);
    std::future<FileWrite> rawWritten;
    if (rawOpen)
        rawWritten =
            std::async(std::launch::async, [&] { return writeRawSamples(raw, frames, beforeRawFrame); });
    if (currentOpen)
        written.currentValues = writeCurrentValues(current, frames, rangeFactor, int0Time);
    if (rawOpen)
        written.rawSamples = rawWritten.get();
    return written;
}

FileWrite writeCurrentValueFileReference(const QString& path, std::span<const SavedFrame> frames,
                                         int rangeFactor, int int0Time) {
    return writeFramesReference(path, frames, "Frame ", [&](QTextStream& out, std::uint32_t sample) {
        out << currentValue(sample, rangeFactor, int0Time);
    });
}

FileWrite writeRawSampleFileReference(const QString& path, std::span<const SavedFrame> frames) {
    return writeFramesReference(path, frames, "",
                                [](QTextStream& out, std::uint32_t sample) { out << sample; });
}

} // namespace quorin
