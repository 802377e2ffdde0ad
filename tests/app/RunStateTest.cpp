#include "ProcessState.h"
#include "RunningDataManager.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(RunState, OneInstanceStartingWithTheDefaultSaveName) {
    RunningDataManager* first = RunningDataManager::instance();
    EXPECT_EQ(first, RunningDataManager::instance());
    EXPECT_EQ(first->saveName(), QStringLiteral("name"));
    EXPECT_EQ(first->rotationAngle(), 0);
    EXPECT_EQ(first->mirrorOn(), 0);
    EXPECT_FALSE(first->sharedVariable());
    EXPECT_TRUE(acquisitionRunning.load());
    EXPECT_EQ(displaySize, 600);
}

TEST(RunState, SharedVariableSignalsOnlyChangesOfItsLowByte) {
    RunningDataManager* state = RunningDataManager::instance();
    QSignalSpy changed(state, &RunningDataManager::sharedVariableChanged);
    state->setSharedVariable(1);
    state->setSharedVariable(1);
    state->setSharedVariable(0x101); // same low byte
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 1);
    EXPECT_TRUE(state->sharedVariable());

    state->setSharedVariable(0x100); // low byte 0
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(1).at(0).toInt(), 0);
    EXPECT_FALSE(state->sharedVariable());

    state->setSharedVariable(7);
    EXPECT_TRUE(state->sharedVariable()); // any non-zero value reads as running
    state->setSharedVariable(0);
}

TEST(RunState, RotationStepsAQuarterTurnAndWrapsToZero) {
    RunningDataManager* state = RunningDataManager::instance();
    ASSERT_EQ(state->rotationAngle(), 0);
    std::vector<int> angles;
    for (int i = 0; i < 5; ++i)
        angles.push_back(state->stepRotation());
    EXPECT_EQ(angles, (std::vector<int>{90, 180, 270, 0, 90}));
    EXPECT_EQ(state->rotationAngle(), 90);
}
