#include "DataExport.h"

#include "CalibrationFiles.h"

#include <QFile>
#include <QTextStream>

#include <atomic>
#include <cstring>
#include <semaphore>
#include <thread>

namespace quorin {
namespace {

// The longest frame text: 65,536 values with their commas, 256 line ends, the trailer with its two
// empty lines, and what formatDouble may touch beyond the last value.
constexpr std::size_t frameTextRoom =
    frame::pixelCount * (maxDoubleText + 1) + frame::side + 32 + formatDoubleRoom;

char* appendText(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

// The text of one frame, its lines and its trailer, formatted into a buffer of its own.
template <typename AppendValue> class FrameText {
public:
    FrameText(const char* trailerPrefix, AppendValue appendValue)
        : trailerPrefix_(trailerPrefix), appendValue_(appendValue), samples_(frame::pixelCount),
          text_(frameTextRoom) {}

    void format(const SavedFrame& saved, std::size_t index) {
        saved.decode(std::span<std::uint32_t, frame::pixelCount>(samples_));
        const std::uint32_t* sample = samples_.data();
        char* out = text_.data();
        for (int row = 0; row < frame::side; ++row) {
            for (int column = 0; column < frame::side; ++column)
                out = appendValue_(out, *sample++);
            *out++ = '\n';
        }
        out = appendText(out, trailerPrefix_);
        out = formatUnsigned(out, static_cast<std::uint32_t>(index));
        length_ = static_cast<std::size_t>(appendText(out, "\n\n\n") - text_.data());
    }

    // False when the file did not take every byte.
    bool writeTo(QFile& file) const {
        return file.write(text_.data(), static_cast<qint64>(length_)) == static_cast<qint64>(length_);
    }

private:
    const char* trailerPrefix_;
    AppendValue appendValue_;
    std::vector<std::uint32_t> samples_;
    std::vector<char> text_;
    std::size_t length_ = 0;
};

// Writes every frame followed by its trailer. Formatting is the export's cost, so a helper thread
// formats the odd frames while this one formats the even ones; this thread writes them in order,
// one large write a frame, and stops at the first write that fails.
template <typename AppendValue>
FileWrite writeFrames(const QString& path, std::span<const SavedFrame> frames, const char* trailerPrefix,
                      const std::function<void(std::size_t)>& beforeFrame, AppendValue appendValue) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return FileWrite::OpenFailed;
    FrameText even(trailerPrefix, appendValue);
    FrameText odd(trailerPrefix, appendValue);
    std::binary_semaphore oddFormatted{0};
    std::binary_semaphore oddWritten{1};
    std::atomic<bool> stop{false};
    std::thread helper([&] {
        for (std::size_t i = 1; i < frames.size(); i += 2) {
            oddWritten.acquire();
            if (stop.load(std::memory_order_relaxed))
                return;
            odd.format(frames[i], i);
            oddFormatted.release();
        }
    });

    auto write = [&](const auto& text, std::size_t i) {
        if (beforeFrame)
            beforeFrame(i);
        return text.writeTo(file);
    };
    bool written = true;
    for (std::size_t i = 0; i < frames.size() && written; i += 2) {
        even.format(frames[i], i);
        written = write(even, i);
        if (i + 1 == frames.size())
            break;
        oddFormatted.acquire();
        written = written && write(odd, i + 1);
        stop.store(!written, std::memory_order_relaxed);
        oddWritten.release();
    }
    helper.join();
    file.close();
    return written && file.error() == QFileDevice::NoError ? FileWrite::Written : FileWrite::WriteFailed;
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
    return writeFrames(path, frames, "Frame ", {}, [=](char* out, std::uint32_t sample) {
        out = formatDouble(out, currentValue(sample, rangeFactor, int0Time));
        *out++ = ',';
        return out;
    });
}

FileWrite writeRawSampleFile(const QString& path, std::span<const SavedFrame> frames,
                             const std::function<void(std::size_t)>& beforeFrame) {
    return writeFrames(path, frames, "", beforeFrame, [](char* out, std::uint32_t sample) {
        out = formatUnsigned(out, sample);
        *out++ = ',';
        return out;
    });
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
