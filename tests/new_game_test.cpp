#include "game.h"

#include <gtest/gtest.h>

namespace
{
TEST(NewGame, LevelSetsTrackLengthSpacingAndBallCount)
{
    struct Row
    {
        int level, bitis, spacing, balls;
    };
    const Row rows[] = {{1, 200, 100, 3},   {2, 1000, 50, 22},   {5, 1000, 50, 22},
                        {6, 1000, 25, 44},  {9, 1000, 25, 44},   {10, 1000, 20, 55},
                        {11, 1000, 20, 55}, {250, 1000, 20, 55}, {0, 1000, 20, 55}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.level);
        level = row.level;
        YeniOyun();
        EXPECT_EQ(bitis, row.bitis);
        EXPECT_EQ(toplararasimesafe, row.spacing);
        EXPECT_EQ(kactopvar, row.balls);
        EXPECT_EQ(level, row.level);
    }
}

TEST(NewGame, ResetsPlayerViewAndEverySlotButLeavesLevelHeldKeysAndSlotZero)
{
    kazandi = animate = zipla = gameover = true;
    ileri = geri = saga = sola = true;
    kamerayukseklik = -3.5f;
    _angle = 93.0f;
    yonx = 5.0f;
    yony = 140.0f;
    ziplamasuresi = 7;
    for (int slot = 0; slot < 1000; ++slot)
    {
        topuzaklik[slot] = 77;
        topsagsol[slot] = -6.0f;
        topbuyukluk[slot] = 2.5f;
        topeskimi[slot] = true;
    }
    level = 3;

    YeniOyun();

    EXPECT_FALSE(kazandi);
    EXPECT_FALSE(animate);
    EXPECT_FALSE(zipla);
    EXPECT_FALSE(gameover);
    EXPECT_EQ(kamerayukseklik, 0.0f);
    EXPECT_EQ(_angle, 0.0f);
    EXPECT_EQ(yonx, 0.0f);
    EXPECT_EQ(yony, -100.0f);
    EXPECT_EQ(ziplamasuresi, 0);
    EXPECT_EQ(level, 3);
    EXPECT_TRUE(ileri && geri && saga && sola);

    int unreset = 0;
    for (int slot = 1; slot < 1000; ++slot)
    {
        const bool reset = topuzaklik[slot] == 0 && topsagsol[slot] == 0.0f &&
                           topbuyukluk[slot] == 1.5f && !topeskimi[slot];
        unreset += reset ? 0 : 1;
    }
    EXPECT_EQ(unreset, 0) << "slots 1 to 999 must all be reset, far beyond kactopvar";
    EXPECT_EQ(topuzaklik[0], 77);
    EXPECT_EQ(topbuyukluk[0], 2.5f);
    EXPECT_TRUE(topeskimi[0]);
}
} // namespace
