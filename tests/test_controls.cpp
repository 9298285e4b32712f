// Key slots, character changes, the options menu and full screen.
#include "app/controls.h"
#include "wrestler/wrestler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

struct Controls : testing::Test {
    void SetUp() override
    {
        clearKeys();
        fullScreen = 0;
        windowWidth = 640;
        windowHeight = 480;
    }
};

TEST_F(Controls, EveryBoundKeyHasItsOwnSlotAndCaseMatters)
{
    const std::string keys = "wadsfeqijlkhou1";
    const int slots[] = {1, 2, 3, 14, 4, 9, 12, 5, 6, 7, 15, 8, 10, 13, 11};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keyPressed(static_cast<unsigned char>(keys[i]), 0);
        EXPECT_EQ(keyDown[slots[i]], 1) << keys[i];
    }
    EXPECT_EQ(keyDown[0], 0);
    for (int s = 16; s < keySlotCount; ++s)
        EXPECT_EQ(keyDown[s], 0);

    keyReleased('w');
    EXPECT_EQ(keyDown[1], 0);
    EXPECT_EQ(keyDown[5], 1);             // 'i' is held on its own

    clearKeys();
    for (unsigned char c : std::string("WADSFEQIJLKHOU!"))
        keyPressed(c, 0);
    for (int s = 0; s < keySlotCount; ++s)
        EXPECT_EQ(keyDown[s], 0);
}

TEST_F(Controls, HistoryShiftsNewestToOldest)
{
    keyPressed('a', 0);
    shiftKeyHistory(0);
    keyReleased('a');
    shiftKeyHistory(0);
    keyPressed('a', 0);
    shiftKeyHistory(0);
    EXPECT_EQ(keyHistory[0][2], 1);
    EXPECT_EQ(keyHistory[1][2], 0);
    EXPECT_EQ(keyHistory[2][2], 1);
    clearKeys();
    EXPECT_EQ(keyHistory[2][2], 0);
}

TEST_F(Controls, CharacterKeysCycleTheirOwnPlayer)
{
    assignProfile(playerOne, 3);
    assignProfile(playerTwo, 1);
    keyPressed('z', 0);
    EXPECT_EQ(playerOne.character, 0);
    EXPECT_EQ(playerTwo.character, 1);
    keyPressed(',', 0);
    keyPressed(',', 0);
    EXPECT_EQ(playerTwo.character, 3);
    keyReleased('z');                     // releases of unbound keys do nothing
    EXPECT_EQ(playerOne.character, 0);
}

TEST_F(Controls, AltEnterTogglesAndRestoresTheSavedSize)
{
    EXPECT_EQ(keyPressed(13, 0), NoWindowChange);
    EXPECT_EQ(fullScreen, 0);
    windowWidth = 800;
    windowHeight = 600;
    EXPECT_EQ(keyPressed(13, 1), EnterFullScreen);
    EXPECT_EQ(fullScreen, 1);
    windowWidth = 1920;                   // the full-screen reshape
    windowHeight = 1080;
    EXPECT_EQ(menuChoice(1), NoWindowChange);  // already full: size kept
    EXPECT_EQ(keyPressed(13, 1), LeaveFullScreen);
    EXPECT_EQ(savedWidth, 800);
    EXPECT_EQ(savedHeight, 600);
    EXPECT_EQ(menuChoice(4), NoWindowChange);  // leaving twice does nothing
}

TEST_F(Controls, MenuSwitchesDisplayOptions)
{
    menuChoice(2);
    menuChoice(6);
    menuChoice(7);
    EXPECT_EQ(showShadows, 0);
    EXPECT_EQ(showModels, 0);
    EXPECT_EQ(showBones, 1);
    menuChoice(3);
    menuChoice(5);
    menuChoice(8);
    menuChoice(99);
    EXPECT_EQ(showShadows, 1);
    EXPECT_EQ(showModels, 1);
    EXPECT_EQ(showBones, 0);
}

TEST(Clock, GameTimeCountsThirtyMillisecondUnitsFromStartUp)
{
    // The clock is read while globals are set up, so start-up is near zero.
    EXPECT_GE(startClock, 0);
    EXPECT_LT(startClock, 1000);
    const float before = gameTime();
    EXPECT_GE(before, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(90));
    const float after = gameTime();
    EXPECT_GE(after - before, 3.0f);      // 90 ms is at least three units
}

TEST(Window, AspectRatioSurvivesAZeroHeight)
{
    EXPECT_DOUBLE_EQ(aspectRatio(640, 480), 640.0 / 480.0);
    EXPECT_DOUBLE_EQ(aspectRatio(640, 0), 640.0);
    EXPECT_DOUBLE_EQ(aspectRatio(0, 0), 0.0);
}

} // namespace
