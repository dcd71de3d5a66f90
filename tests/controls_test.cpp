#include "controls.h"
#include "game.h"
#include "game_state.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <vector>

namespace
{
// A game in mid-jump halfway down the track, then stopped or not.
void midGame(bool over)
{
    newGameWithBallsPlaced(4);
    yony = 300.0f;
    yonx = 3.0f;
    zipla = true;
    ziplamasuresi = 5;
    kamerayukseklik = -3.0f;
    gameover = over;
}

TEST(Controls, EveryCharacterKeyActsByTheTableInBothStates)
{
    for (const bool over : {false, true})
    {
        for (int code = 0; code < 256; ++code)
        {
            if (code == 27)
                continue;
            SCOPED_TRACE(testing::Message() << "key " << code << " over " << over);
            midGame(over);
            GameState expected = GameState::capture();
            const bool restarts =
                over && code != ' ' && code != 'a' && code != 'z' && code != 'A' && code != 'Z';
            handleKeypress(static_cast<unsigned char>(code), 0, 0);
            if (restarts)
            {
                EXPECT_FALSE(gameover);
                EXPECT_EQ(yony, -100.0f);
                EXPECT_EQ(level, 4);
                EXPECT_FALSE(topeskimi[1]);
                continue;
            }
            if (code == ' ' && !over)
            {
                expected.kamerayukseklik = 0.0f;
                expected.ziplamasuresi = 0;
            }
            if (code == 'a')
                expected.gameover = true;
            if (code == 'z')
                expected.gameover = false;
            EXPECT_TRUE(GameState::capture() == expected);
        }
    }
}

TEST(Controls, ARestartIsALevelFurtherOnlyAfterAWin)
{
    struct Row
    {
        const char* ending;
        void (*end)();
        int levelAfter;
    };
    const Row rows[] = {
        {"won",
         []
         {
             yony = 999.0f;
             ileri = true;
             kactopvar = 0;
             update(0);
         },
         3},
        {"hit",
         []
         {
             topuzaklik[1] = 96;
             topsagsol[1] = 0.0f;
             update(0);
         },
         2},
        {"stopped", [] { handleKeypress('a', 0, 0); }, 2},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.ending);
        newGameWithBallsPlaced(2);
        row.end();
        ASSERT_TRUE(gameover);
        ileri = false;
        handleKeypress('x', 0, 0);
        EXPECT_EQ(level, row.levelAfter);
        EXPECT_FALSE(kazandi);
        EXPECT_FALSE(gameover);
        handleKeypress('a', 0, 0);
        handleKeypress('x', 0, 0);
        EXPECT_EQ(level, row.levelAfter) << "exactly one level per win";
    }
}

TEST(Controls, OnlyTheArrowsHoldFlagsAndNoSpecialKeyRestarts)
{
    const std::map<int, bool GameState::*> arrows = {{GLUT_KEY_UP, &GameState::ileri},
                                                     {GLUT_KEY_DOWN, &GameState::geri},
                                                     {GLUT_KEY_LEFT, &GameState::sola},
                                                     {GLUT_KEY_RIGHT, &GameState::saga}};
    std::vector<int> codes = {INT_MIN, -1, INT_MAX};
    for (int code = 0; code < 400; ++code)
        codes.push_back(code);
    for (const bool over : {false, true})
    {
        for (const int code : codes)
        {
            SCOPED_TRACE(testing::Message() << "key " << code << " over " << over);
            midGame(over);
            GameState expected = GameState::capture();
            const auto arrow = arrows.find(code);
            processSpecialKeys(code, 0, 0);
            if (arrow != arrows.end())
                expected.*(arrow->second) = true;
            EXPECT_TRUE(GameState::capture() == expected);
            keyUp(code, 0, 0);
            if (arrow != arrows.end())
                expected.*(arrow->second) = false;
            EXPECT_TRUE(GameState::capture() == expected);
        }
    }
}

TEST(Controls, AnArrowTappedBetweenTwoTicksDoesNotMove)
{
    newGameWithClearTrack(1);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    processSpecialKeys(GLUT_KEY_LEFT, 0, 0);
    keyUp(GLUT_KEY_UP, 0, 0);
    keyUp(GLUT_KEY_LEFT, 0, 0);
    update(0);
    EXPECT_EQ(yony, -100.0f);
    EXPECT_EQ(yonx, 0.0f);
}

TEST(Controls, AnArrowHeldThroughARestartKeepsActing)
{
    newGameWithClearTrack(1);
    processSpecialKeys(GLUT_KEY_RIGHT, 0, 0);
    handleKeypress('a', 0, 0);
    handleKeypress('r', 0, 0);
    ASSERT_FALSE(gameover);
    kactopvar = 0;
    update(0);
    EXPECT_EQ(yonx, -1.0f);
    keyUp(GLUT_KEY_RIGHT, 0, 0);
}
} // namespace
