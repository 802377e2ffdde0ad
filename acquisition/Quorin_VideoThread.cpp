#include "Quorin_VideoThread.h"

#include "ProcessState.h"

Quorin_VideoThread::Quorin_VideoThread(QObject* parent) : QThread(parent) {}

Quorin_VideoThread::~Quorin_VideoThread() = default;

void Quorin_VideoThread::run() {}

bool Quorin_VideoThread::stopAndWait(std::chrono::milliseconds bound) {
    acquisitionRunning.store(false, std::memory_order_relaxed);
    return wait(static_cast<unsigned long>(bound.count()));
}
