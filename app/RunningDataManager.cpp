#include "RunningDataManager.h"

RunningDataManager* RunningDataManager::instance() {
    static RunningDataManager manager;
    return &manager;
}

void RunningDataManager::setSharedVariable(int value) {
    const int low = value & 0xFF;
    if (sharedVariable_.exchange(low, std::memory_order_relaxed) != low)
        emit sharedVariableChanged(low);
}

QString RunningDataManager::saveName() const {
    std::lock_guard lock(saveNameMutex_);
    return saveName_;
}

void RunningDataManager::setSaveName(const QString& name) {
    std::lock_guard lock(saveNameMutex_);
    saveName_ = name;
}

int RunningDataManager::stepRotation() {
    int angle = rotationAngle_.load(std::memory_order_relaxed) + 90;
    if (angle > 359)
        angle = 0;
    rotationAngle_.store(angle, std::memory_order_relaxed);
    return angle;
}
