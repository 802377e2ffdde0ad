#include "DataExport.h"

#include "CalibrationFiles.h"

#include <QFile>
#include <QTextStream>

#include <cstdlib>
#include <cstring>
#include <new>

namespace quorin {
namespace {

constexpr std::size_t writeChunk = 1 << 20;
// The longest line: 256 values of at most 15 bytes with their commas, the line end and the
// copy slack of CurrentValueTexts::append.
constexpr std::size_t lineRoom = frame::side * (maxDoubleText + 1) + 1 + CurrentValueTexts::appendRoom;

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

// Writes every frame line by line with `appendValue`, each frame followed by its trailer.
template <typename AppendValue>
FileWrite writeFrames(const QString& path, std::span<const SavedFrame> frames, const char* trailerPrefix,
                      const std::function<void(std::size_t)>& beforeFrame, AppendValue appendValue) {
    ChunkedFile file(path);
    if (!file.open())
        return FileWrite::OpenFailed;
    for (std::size_t i = 0; i < frames.size() && !file.failed(); ++i) {
        if (beforeFrame)
            beforeFrame(i);
        const std::uint8_t* sample = frames[i].data();
        for (int row = 0; row < frame::side; ++row) {
            char* out = file.room();
            for (int column = 0; column < frame::side; ++column, sample += frame::sampleBytes)
                out = appendValue(out, frame::decodeSample(sample));
            *out++ = '\n';
            file.commit(out);
        }
        char* out = appendText(file.room(), trailerPrefix);
        out = formatUnsigned(out, static_cast<std::uint32_t>(i));
        file.commit(appendText(out, "\n\n\n"));
    }
    return file.finish() ? FileWrite::Written : FileWrite::WriteFailed;
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
            writeValue(out, frame::decodeSample(frames[i].data() + p * frame::sampleBytes));
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

void CurrentValueTexts::Free::operator()(Slot* table) const {
    std::free(table);
}

CurrentValueTexts::CurrentValueTexts(int rangeFactor, int int0Time)
    : rangeFactor_(rangeFactor), int0Time_(int0Time),
      slots_(static_cast<Slot*>(std::calloc(std::size_t{frame::fullScale} + 1, sizeof(Slot)))) {
    if (!slots_)
        throw std::bad_alloc();
}

char* CurrentValueTexts::appendFormatted(char* out, std::uint32_t sample) const {
    out = formatDouble(out, currentValue(sample, rangeFactor_, int0Time_));
    *out++ = ',';
    return out;
}

void CurrentValueTexts::fill(Slot& slot, std::uint32_t sample) const {
    slot.length = static_cast<std::uint8_t>(appendFormatted(slot.text, sample) - slot.text);
}

FileWrite writeCurrentValueFile(const QString& path, std::span<const SavedFrame> frames, int rangeFactor,
                                int int0Time) {
    CurrentValueTexts texts(rangeFactor, int0Time);
    return writeFrames(path, frames, "Frame ", {},
                       [&texts](char* out, std::uint32_t sample) { return texts.append(out, sample); });
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
