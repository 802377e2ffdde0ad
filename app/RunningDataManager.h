// The run state shared by the windows and the acquisition thread.
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>

class RunningDataManager : public QObject {
    Q_OBJECT
public:
    static RunningDataManager* instance();

    bool fullOnDone() const { return fullOnDone_.load(std::memory_order_relaxed); }
    void setFullOnDone(bool v) { fullOnDone_.store(v, std::memory_order_relaxed); }
    bool fullOffDone() const { return fullOffDone_.load(std::memory_order_relaxed); }
    void setFullOffDone(bool v) { fullOffDone_.store(v, std::memory_order_relaxed); }

    bool sharedVariable() const { return sharedVariable_.load(std::memory_order_relaxed) != 0; }
    void setSharedVariable(int value);

    int saveProgress() const { return saveProgress_.load(std::memory_order_relaxed); }
    void setSaveProgress(int v) { saveProgress_.store(v, std::memory_order_relaxed); }

    // The save name crosses threads as a copy taken under the lock.
    QString saveName() const;
    void setSaveName(const QString& name);

    int mirrorOn() const { return mirrorOn_.load(std::memory_order_relaxed); }
    void setMirrorOn(int v) { mirrorOn_.store(v, std::memory_order_relaxed); }

    int rotationAngle() const { return rotationAngle_.load(std::memory_order_relaxed); }
    int stepRotation();

signals:
    void sharedVariableChanged(int newValue);

private:
    RunningDataManager() = default;
    Q_DISABLE_COPY(RunningDataManager)

    std::atomic<bool> fullOnDone_{false};
    std::atomic<bool> fullOffDone_{false};
    std::atomic<int> sharedVariable_{0};
    std::atomic<int> saveProgress_{0};
    mutable std::mutex saveNameMutex_;
    QString saveName_{QStringLiteral("name")};
    std::atomic<int> mirrorOn_{0};
    std::atomic<int> rotationAngle_{0};
};
