#include "game.h"
#include "game_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
// The next unseeded draw after `draws` draws, replayed from the start of the sequence.
int replayedDraw(unsigned seed, int draws)
{
    std::srand(seed);
    for (int i = 0; i < draws; ++i)
        std::rand();
    return std::rand();
}

TEST(BallField, FirstDrawPlacesSmallBallsOneSpacingApartFromOneDrawEach)
{
    struct Row
    {
        int level, first, last, spacing;
    };
    const Row rows[] = {
        {1, -200, -400, 100}, {2, -150, -1200, 50}, {6, -125, -1200, 25}, {10, -120, -1200, 20}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.level);
        std::srand(1);
        newGameWithBallsPlaced(row.level);
        EXPECT_EQ(topuzaklik[1], row.first);
        EXPECT_EQ(topuzaklik[kactopvar], row.last);
        for (int slot = 1; slot <= kactopvar; ++slot)
        {
            EXPECT_TRUE(topeskimi[slot]);
            EXPECT_EQ(topbuyukluk[slot], 1.5f);
            EXPECT_EQ(topsagsol[slot], static_cast<float>(replayedDraw(1, slot - 1) % 17 - 8));
            if (slot > 1)
            {
                EXPECT_EQ(topuzaklik[slot - 1] - topuzaklik[slot], row.spacing);
            }
        }
        EXPECT_TRUE(!topeskimi[kactopvar + 1]) << "only slots in play are placed";
    }
}

TEST(BallField, DrawingAgainNeverMovesABallNorDraws)
{
    std::srand(1);
    newGameWithBallsPlaced(2);
    for (int tick = 0; tick < 600; ++tick) // past the first recycling
        stepBalls();
    const GameState before = GameState::capture();
    const int nextDraw = std::rand();
    std::srand(1);
    newGameWithBallsPlaced(2);
    for (int tick = 0; tick < 600; ++tick)
        stepBalls();
    for (int slot = 1; slot <= kactopvar; ++slot)
        TopOlustur(slot);
    EXPECT_TRUE(GameState::capture() == before);
    EXPECT_EQ(std::rand(), nextDraw);
}

TEST(BallField, LateralPositionsAreWholeAndCoverTheirKindsRange)
{
    std::srand(1);
    const struct
    {
        float radius, low, high;
    } kinds[] = {{1.5f, -8.0f, 8.0f}, {2.5f, -7.0f, 7.0f}};
    for (const auto& kind : kinds)
    {
        std::vector<float> seen;
        seen.reserve(2000);
        for (int i = 0; i < 2000; ++i)
            seen.push_back(topsagsolrandom(kind.radius));
        EXPECT_EQ(*std::min_element(seen.begin(), seen.end()), kind.low);
        EXPECT_EQ(*std::max_element(seen.begin(), seen.end()), kind.high);
        for (float x : seen)
            ASSERT_EQ(x, static_cast<float>(static_cast<int>(x)));
    }
}

TEST(BallField, ABallReachingTheStartComesBackFromTheFinishWithSizeThenSideDrawn)
{
    bool sawBig = false, sawSmall = false;
    for (unsigned seed = 1; seed <= 12; ++seed)
    {
        SCOPED_TRACE(seed);
        std::srand(seed);
        newGameWithBallsPlaced(1);
        for (int tick = 0; tick < 149; ++tick)
            stepBalls();
        ASSERT_EQ(topuzaklik[1], 98);
        stepBalls();
        const int size = replayedDraw(seed, 3) % 5;
        const int side = replayedDraw(seed, 4);
        const float radius = size == 0 ? 2.5f : 1.5f;
        EXPECT_EQ(topuzaklik[1], -200);
        EXPECT_EQ(topbuyukluk[1], radius);
        EXPECT_EQ(topsagsol[1], static_cast<float>(size == 0 ? side % 15 - 7 : side % 17 - 8));
        EXPECT_TRUE(topeskimi[1]);
        EXPECT_EQ(topuzaklik[2], 0) << "the others roll on";
        (size == 0 ? sawBig : sawSmall) = true;
    }
    EXPECT_TRUE(sawBig && sawSmall);
}

TEST(BallField, NoBallComesBackInTheLastFiftyUnitsNorEverAfterInThatGame)
{
    struct Row
    {
        float yony;
        bool recycled;
    };
    for (const Row row : {Row{150.0f, true}, Row{151.0f, false}})
    {
        SCOPED_TRACE(row.yony);
        newGameWithBallsPlaced(1);
        for (int tick = 0; tick < 149; ++tick)
            stepBalls();
        yony = row.yony;
        stepBalls();
        EXPECT_EQ(topuzaklik[1], row.recycled ? -200 : 100);
    }
    yony = -100.0f; // walking back does not bring it back
    for (int tick = 0; tick < 300; ++tick)
        stepBalls();
    EXPECT_EQ(topuzaklik[1], 700);
}

// At spacing 25 half the balls start at odd distances and pass 100 without standing on it.
TEST(BallField, EveryBallOfAQuarterSpacedStreamKeepsComingBackEvenlySpaced)
{
    newGameWithBallsPlaced(6);
    std::vector<int> comebacks(kactopvar + 1, 0);
    for (int tick = 0; tick < 4 * 550; ++tick)
    {
        std::vector<int> before(topuzaklik, topuzaklik + kactopvar + 1);
        stepBalls();
        for (int slot = 1; slot <= kactopvar; ++slot)
            comebacks[slot] += topuzaklik[slot] < before[slot] ? 1 : 0;
    }
    for (int slot = 1; slot <= kactopvar; ++slot)
        EXPECT_GE(comebacks[slot], 3) << "slot " << slot;
    std::vector<int> stream(topuzaklik + 1, topuzaklik + kactopvar + 1);
    std::sort(stream.begin(), stream.end());
    for (std::size_t i = 1; i < stream.size(); ++i)
        EXPECT_EQ(stream[i] - stream[i - 1], 25)
            << "between " << stream[i - 1] << " and " << stream[i];
    EXPECT_GE(stream.front(), -1000);
    EXPECT_LT(stream.back(), 100);
}

TEST(BallField, ABallTouchesThePlayerInsideAThreeUnitSquareUnlessSmallAndJumpedOver)
{
    struct Row
    {
        int distance;
        float side, radius, eyeHeight, yonx;
        bool hit;
    };
    // The eye stands at z = 100 and x = -yonx
    const Row rows[] = {
        {97, -3.0f, 1.5f, 0.0f, 0.0f, true},   {103, 3.0f, 1.5f, 0.0f, 0.0f, true},
        {96, 0.0f, 1.5f, 0.0f, 0.0f, false},   {104, 0.0f, 2.5f, 0.0f, 0.0f, false},
        {100, 4.0f, 2.5f, 0.0f, 0.0f, false},  {97, -4.0f, 1.5f, 0.0f, 0.0f, false},
        {100, 0.0f, 1.5f, -0.5f, 0.0f, false}, {100, 0.0f, 1.5f, -5.5f, 0.0f, false},
        {100, 0.0f, 2.5f, -0.5f, 0.0f, true},  {100, 0.0f, 2.5f, -5.5f, 0.0f, true},
        {100, -5.0f, 1.5f, 0.0f, 5.0f, true},  {100, 5.0f, 1.5f, 0.0f, 5.0f, false},
        {98, 7.0f, 2.5f, 0.0f, -8.0f, true},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "distance " << row.distance << " side " << row.side
                                        << " radius " << row.radius);
        newGameWithBallsPlaced(1);
        kactopvar = 1;
        topuzaklik[1] = row.distance;
        topsagsol[1] = row.side;
        topbuyukluk[1] = row.radius;
        kamerayukseklik = row.eyeHeight;
        yonx = row.yonx;
        testCollisions();
        EXPECT_EQ(gameover, row.hit);
    }
}

TEST(BallField, AnyBallInPlayCanHitNotOnlyTheFirst)
{
    newGameWithBallsPlaced(2);
    topuzaklik[kactopvar] = 100;
    topsagsol[kactopvar] = 0.0f;
    testCollisions();
    EXPECT_TRUE(gameover);
    newGameWithBallsPlaced(2);
    topuzaklik[kactopvar + 1] = 100; // beyond the slots in play
    topeskimi[kactopvar + 1] = true;
    testCollisions();
    EXPECT_FALSE(gameover);
}
} // namespace
