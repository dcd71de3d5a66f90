#include "controls.h"
#include "game.h"
#include "game_state.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace
{
void ticks(int count)
{
    for (int i = 0; i < count; ++i)
        update(0);
}

TEST(Tick, FirstTickWithNoKeyHeldMovesOnlyTheBalls)
{
    newGameWithBallsPlaced(2);
    GameState expected = GameState::capture();
    for (int slot = 1; slot <= kactopvar; ++slot)
        expected.topuzaklik[slot] += 2;
    ticks(1);
    EXPECT_TRUE(GameState::capture() == expected);
}

TEST(Tick, AJumpRisesElevenTicksFallsTenAndLandsOnTheTwentySecond)
{
    const std::vector<float> arc = {-0.5f, -1.0f, -1.5f, -2.0f, -2.5f, -3.0f, -3.5f, -4.0f,
                                    -4.5f, -5.0f, -5.5f, -5.0f, -4.5f, -4.0f, -3.5f, -3.0f,
                                    -2.5f, -2.0f, -1.5f, -1.0f, -0.5f, 0.0f};
    newGameWithClearTrack(1);
    handleKeypress(' ', 0, 0);
    for (std::size_t tick = 0; tick < arc.size(); ++tick)
    {
        ticks(1);
        EXPECT_EQ(kamerayukseklik, arc[tick]) << "after tick " << tick + 1;
        EXPECT_EQ(zipla, tick + 1 < arc.size());
    }
    ticks(1);
    EXPECT_EQ(kamerayukseklik, 0.0f);
}

TEST(Tick, SpaceDuringAJumpStartsItAgainFromTheGround)
{
    newGameWithClearTrack(1);
    handleKeypress(' ', 0, 0);
    ticks(15);
    handleKeypress(' ', 0, 0);
    EXPECT_EQ(kamerayukseklik, 0.0f);
    EXPECT_EQ(ziplamasuresi, 0);
    ticks(11);
    EXPECT_EQ(kamerayukseklik, -5.5f);
}

TEST(Tick, HeldArrowsMoveOneUnitATickWithinTheTrack)
{
    struct Row
    {
        bool up, down, left, right;
        float startX;
        int count;
        float x, y;
    };
    const Row rows[] = {
        {true, false, false, false, 0.0f, 5, 0.0f, -95.0f},
        {false, true, false, false, 0.0f, 3, 0.0f, -100.0f}, // never behind the start
        {true, true, false, false, 0.0f, 1, 0.0f, -100.0f},  // -99, then back to -100
        {false, false, false, true, 0.0f, 12, -8.0f, -100.0f},
        {false, false, true, false, 0.0f, 12, 8.0f, -100.0f},
        {false, false, true, true, 0.0f, 4, 0.0f, -100.0f},
        {false, false, true, true, -8.0f, 3, -7.0f, -100.0f}, // right refused at -8, left not
        {false, false, true, true, 8.0f, 3, 8.0f, -100.0f},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "row " << (&row - rows));
        newGameWithClearTrack(1);
        yonx = row.startX;
        ileri = row.up;
        geri = row.down;
        sola = row.left;
        saga = row.right;
        ticks(row.count);
        EXPECT_EQ(yonx, row.x);
        EXPECT_EQ(yony, row.y);
    }
}

TEST(Tick, MovementGoesOnDuringAJump)
{
    newGameWithClearTrack(1);
    handleKeypress(' ', 0, 0);
    ileri = saga = true;
    ticks(3);
    EXPECT_EQ(yony, -97.0f);
    EXPECT_EQ(yonx, -3.0f);
    EXPECT_EQ(kamerayukseklik, -1.5f);
}

TEST(Tick, WalkingForwardUnhinderedWinsExactlyAtTheFinish)
{
    for (const auto& [lvl, needed] : {std::pair{1, 300}, std::pair{2, 1100}})
    {
        SCOPED_TRACE(lvl);
        newGameWithClearTrack(lvl);
        ileri = true;
        ticks(needed - 1);
        EXPECT_FALSE(gameover);
        EXPECT_EQ(yony, static_cast<float>(bitis - 1));
        ticks(1);
        EXPECT_TRUE(gameover);
        EXPECT_TRUE(kazandi);
    }
}

TEST(Tick, AHitEndsTheGameLostAndPullsTheViewBack)
{
    newGameWithBallsPlaced(1);
    topuzaklik[2] = 96;
    topsagsol[2] = 1.0f;
    yonx = 2.0f;
    ticks(1);
    EXPECT_TRUE(gameover);
    EXPECT_FALSE(kazandi);
    EXPECT_TRUE(animate);
    EXPECT_EQ(kamerayukseklik, -50.0f);
    EXPECT_EQ(yonx, 0.0f);
    EXPECT_EQ(yony, -50.0f);
    EXPECT_EQ(_angle, 0.0f);
}

TEST(Tick, AHitOnTheFinishLineStillWins)
{
    newGameWithBallsPlaced(1);
    yony = 199.0f;
    ileri = true;
    topuzaklik[1] = -202; // at the eye once both have moved
    topbuyukluk[1] = 2.5f;
    topsagsol[1] = 0.0f;
    ticks(1);
    EXPECT_TRUE(gameover);
    EXPECT_TRUE(kazandi);
    EXPECT_EQ(yony, -50.0f);
}

TEST(Tick, AfterTheEndOnlyTheSpinMovesAndItWrapsAfterOneTickAt360)
{
    newGameWithBallsPlaced(1);
    topuzaklik[1] = 96;
    topsagsol[1] = 0.0f;
    ileri = sola = true;
    handleKeypress(' ', 0, 0);
    topbuyukluk[1] = 2.5f;
    ticks(1);
    ASSERT_TRUE(gameover);
    const GameState ended = GameState::capture();
    for (int tick = 1; tick <= 121; ++tick)
    {
        ticks(1);
        const float expected = tick <= 120 ? 3.0f * static_cast<float>(tick) : 3.0f;
        ASSERT_EQ(_angle, expected) << "tick " << tick;
        GameState now = GameState::capture();
        now.angle = ended.angle;
        ASSERT_TRUE(now == ended) << "tick " << tick;
    }
}

// The chain of one-shot timers is the game's clock: it must carry on in every state.
TEST(Tick, EachTickArmsTheNext)
{
    for (const bool over : {false, true})
    {
        SCOPED_TRACE(over);
        newGameWithClearTrack(1);
        gameover = over;
        animate = true;
        ticks(1);
        const float start = _angle;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (_angle < start + 9.0f && std::chrono::steady_clock::now() < deadline)
            glutMainLoopEvent();
        EXPECT_GE(_angle, start + 9.0f) << "three more ticks came from the one armed";
    }
}
} // namespace
