#include "Quorin_VideoThread.h"

#include "Bounds.h"
#include "CalibrationFiles.h"
#include "CommandFrames.h"
#include "ProcessState.h"
#include "RunningDataManager.h"

#include <algorithm>
#include <thread>
#include <utility>

using namespace quorin;

Quorin_VideoThread::Quorin_VideoThread(QObject* parent)
    : QThread(parent), maps_(std::make_shared<const LevelMaps>()) {}

Quorin_VideoThread::~Quorin_VideoThread() {
    stopAndWait(bounds::acquisitionStopBound);
}

void Quorin_VideoThread::startAcquisition(FT_HANDLE handle, FT_STATUS lastStatus) {
    if (isRunning() || loopActive_.load(std::memory_order_acquire))
        return;
    loopActive_.store(true, std::memory_order_relaxed);
    deviceHandle = handle;
    status = lastStatus;
    // Armed here rather than by the loop, so a stop that follows at once cannot be overwritten.
    acquisitionRunning.store(true, std::memory_order_relaxed);
    start(QThread::InheritPriority);
    // No thread could be made (or its loop has already ended): a later start may try again. An
    // exchange, so a loop's release of the flag still reaches the next start's acquire.
    if (!isRunning())
        loopActive_.exchange(false, std::memory_order_acq_rel);
}

bool Quorin_VideoThread::stopAndWait(std::chrono::milliseconds bound) {
    acquisitionRunning.store(false, std::memory_order_relaxed);
    return wait(static_cast<unsigned long>(bound.count()));
}

std::shared_ptr<const LevelMaps> Quorin_VideoThread::levelMaps() const {
    std::lock_guard lock(mapsMutex_);
    return maps_;
}

void Quorin_VideoThread::setLevelMaps(std::shared_ptr<const LevelMaps> maps) {
    std::lock_guard lock(mapsMutex_);
    maps_ = std::move(maps);
}

void Quorin_VideoThread::resetLevelMaps() {
    setLevelMaps(std::make_shared<const LevelMaps>());
}

void Quorin_VideoThread::loadLevelMaps(const QString& onMeanFile, const QString& offMeanFile) {
    std::lock_guard lock(mapsMutex_);
    std::vector<std::uint32_t> upper = maps_->maxMap();
    std::vector<std::uint32_t> lower = maps_->minMap();
    loadMeanFile(onMeanFile, fullOnLevelFactor, upper);
    loadMeanFile(offMeanFile, fullOffLevelFactor, lower);
    maps_ = std::make_shared<const LevelMaps>(std::move(lower), std::move(upper));
}

std::vector<std::uint32_t> Quorin_VideoThread::onMean() const {
    std::lock_guard lock(mapsMutex_);
    return onMean_;
}

std::vector<std::uint32_t> Quorin_VideoThread::offMean() const {
    std::lock_guard lock(mapsMutex_);
    return offMean_;
}

QStringList Quorin_VideoThread::takeUnwrittenCalibrationFiles() {
    std::lock_guard lock(mapsMutex_);
    return std::exchange(unwrittenCalibration_, {});
}

void Quorin_VideoThread::run() {
    struct LoopEnd {
        std::atomic<bool>& active;
        ~LoopEnd() { active.store(false, std::memory_order_release); }
    } loopEnd{loopActive_};
    FT_SetTimeouts(deviceHandle, bounds::captureTimeoutMs, bounds::captureTimeoutMs);
    // Bytes left over from the open handshake must not shift the first frame.
    status = FT_Purge(deviceHandle, FT_PURGE_RX);
    BlockAssembler assembler;
    std::vector<std::uint8_t> readBuffer(frame::blockBytes);
    recorder_.runStarted();
    while (fetchFrame(assembler, readBuffer)) {
        emit labelUishow(processFrame(assembler.frame()));
        std::this_thread::sleep_for(bounds::framePause);
        if (!acquisitionRunning.load(std::memory_order_relaxed))
            return;
    }
}

void Quorin_VideoThread::requestBlock(int block) {
    const Frame request = blockRequest(block);
    sendFrame(deviceHandle, request, status);
}

void Quorin_VideoThread::restartFrame(BlockAssembler& assembler) {
    // Whatever is still on its way belongs to the abandoned request.
    FT_Purge(deviceHandle, FT_PURGE_RX);
    assembler.restart();
    requestBlock(0);
}

// Requests and reassembles one frame. Returns false when the loop must end: a stop was requested
// (the partial frame is dropped) or the driver failed (the board is gone).
bool Quorin_VideoThread::fetchFrame(BlockAssembler& assembler, std::vector<std::uint8_t>& readBuffer) {
    using Clock = std::chrono::steady_clock;
    assembler.restart();
    requestBlock(0);
    auto lastData = Clock::now();
    for (;;) {
        if (!acquisitionRunning.load(std::memory_order_relaxed))
            return false;
        DWORD queued = 0, pending = 0, events = 0;
        status = FT_GetStatus(deviceHandle, &queued, &pending, &events);
        if (status == FT_OK && queued == 0) {
            if (Clock::now() - lastData > bounds::blockSilenceTimeout) {
                restartFrame(assembler);
                lastData = Clock::now();
            }
            std::this_thread::sleep_for(bounds::blockPollBackoff);
            continue;
        }
        DWORD received = 0;
        if (status == FT_OK)
            status = FT_Read(deviceHandle, readBuffer.data(),
                             std::min<DWORD>(queued, static_cast<DWORD>(readBuffer.size())), &received);
        if (status != FT_OK) {
            acquisitionRunning.store(false, std::memory_order_relaxed);
            emit boardLost();
            return false;
        }
        lastData = Clock::now();
        switch (assembler.feed(std::span<const std::uint8_t>(readBuffer.data(), received))) {
        case BlockAssembler::Step::NeedMore:
            break;
        case BlockAssembler::Step::SendRequest:
            requestBlock(assembler.block());
            lastData = Clock::now();
            break;
        case BlockAssembler::Step::OverFull:
            restartFrame(assembler);
            break;
        case BlockAssembler::Step::FrameComplete:
            return true;
        }
    }
}

QImage Quorin_VideoThread::processFrame(RawFrame frame) {
    auto* runState = RunningDataManager::instance();
    const Orientation orientation{runState->rotationAngle(), runState->mirrorOn() == 1};
    collectReferences(frame);
    if (isSaveData.load(std::memory_order_acquire))
        recorder_.recordRawFrame(frame);
    buildGreyFrame(frame, *levelMaps(), grey_);
    orientFrame(grey_, orientation, oriented_, orientScratch_);
    if (isSavePicture.load(std::memory_order_acquire) || isSaveVideo.load(std::memory_order_acquire))
        recorder_.recordOrientedFrame(oriented_);
    frameImage = presentationImage(oriented_);
    return frameImage;
}

// Full-ON first: with both armed, Full-OFF collects once Full-ON has finished, so the two
// references never share frames.
void Quorin_VideoThread::collectReferences(RawFrame frame) {
    Reference kind;
    if (isGetMax.load(std::memory_order_acquire))
        kind = Reference::FullOn;
    else if (isGetMin.load(std::memory_order_acquire))
        kind = Reference::FullOff;
    else
        return;
    if (collector_.add(kind, frame))
        finishCollection(kind);
}

void Quorin_VideoThread::finishCollection(Reference kind) {
    const std::vector<std::uint32_t>& means = collector_.means();
    const bool fullOn = kind == Reference::FullOn;
    {
        std::lock_guard lock(mapsMutex_);
        std::vector<std::uint32_t> lower = maps_->minMap();
        std::vector<std::uint32_t> upper = maps_->maxMap();
        levelsFromMeans(means, fullOn ? fullOnLevelFactor : fullOffLevelFactor, fullOn ? upper : lower);
        maps_ = std::make_shared<const LevelMaps>(std::move(lower), std::move(upper));
        (fullOn ? onMean_ : offMean_) = means;
    }
    const QStringList unwritten = writeCalibrationFiles(
        kind, means, rangeFactor.load(std::memory_order_relaxed), int0Time.load(std::memory_order_relaxed));
    {
        std::lock_guard lock(mapsMutex_);
        unwrittenCalibration_ << unwritten;
    }
    auto* runState = RunningDataManager::instance();
    if (fullOn) {
        isGetMax.store(false, std::memory_order_relaxed);
        runState->setFullOnDone(true);
    } else {
        isGetMin.store(false, std::memory_order_relaxed);
        runState->setFullOffDone(true);
    }
    emit setFlag();
}
