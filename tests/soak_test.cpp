#include "controls.h"
#include "game.h"
#include "gl_window.h"
#include "render.h"
#include "rule_watch.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <map>
#include <random>

namespace
{
// A long scripted play of held arrows, jumps, stops and restarts across the levels. It runs
// the tick's rules without the timer plumbing of update, whose one-shot timers would pile up
// unfired in freeglut's queue. Software GL takes up to a millisecond a frame here, so frames come
// after every twentieth tick, as when a loaded machine draws slower than it ticks, and always
// after the first tick of a new game, which places its balls as the main loop would; the ranges
// are checked after every tick.
class ScriptedPlayer
{
  public:
    explicit ScriptedPlayer(unsigned seed) : script(seed)
    {
    }

    void play(int ticks, int ticksPerFrame)
    {
        level = 1;
        YeniOyun();
        for (int tick = 0; tick < ticks; ++tick)
        {
            steer();
            if (gameover && ++ticksOver > 40)
                restart();
            playTick();
            ASSERT_EQ(ruleViolation(), "") << "tick " << tick << " at level " << level;
            if (tick % ticksPerFrame == 0 || !topeskimi[1])
                drawScene();
            ++ticksAtLevel[level];
        }
    }

    std::map<int, int> ticksAtLevel;
    int wins = 0;

  private:
    std::mt19937 script;
    int ticksOver = 0;

    bool chance(int perMille)
    {
        return std::uniform_int_distribution<int>(0, 999)(script) < perMille;
    }

    // Press a released arrow or release a held one, each with its own odds.
    void hold(int key, bool held, int pressOdds, int releaseOdds)
    {
        if (!held && chance(pressOdds))
            processSpecialKeys(key, 0, 0);
        else if (held && chance(releaseOdds))
            keyUp(key, 0, 0);
    }

    void steer()
    {
        hold(GLUT_KEY_UP, ileri, 80, 4);
        hold(GLUT_KEY_DOWN, geri, 4, 150);
        hold(GLUT_KEY_LEFT, sola, 30, 60);
        hold(GLUT_KEY_RIGHT, saga, 30, 60);
        if (chance(15))
            handleKeypress(' ', 0, 0);
        if (chance(1))
            handleKeypress('a', 0, 0);
        if (chance(3))
            handleKeypress('z', 0, 0);
        if (chance(5))
            handleKeypress(anyKeyBut(27), 0, 0);
        processSpecialKeys(std::uniform_int_distribution<int>(-2, 120)(script), 0, 0);
    }

    unsigned char anyKeyBut(int avoided)
    {
        int key = avoided;
        while (key == avoided)
            key = std::uniform_int_distribution<int>(0, 255)(script);
        return static_cast<unsigned char>(key);
    }

    // After a win the next level comes by itself; otherwise the script picks one.
    void restart()
    {
        static const int levels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 250};
        ticksOver = 0;
        wins += kazandi ? 1 : 0;
        if (!kazandi)
            level = levels[script() % std::size(levels)];
        unsigned char key = 'a';
        while (key == 'a' || key == 'z' || key == 'A' || key == 'Z' || key == ' ')
            key = anyKeyBut(27);
        handleKeypress(key, 0, 0);
    }
};

TEST(Soak, TwoHundredThousandScriptedTicksAcrossTheLevelsKeepEveryRuleInRange)
{
    const int testWindow = glutGetWindow();
    const int window = openTestWindow(64, 48); // frames at full cost, swaps kept small
    initRendering();
    handleResize(64, 48);
    ScriptedPlayer player(20261206);
    player.play(200000, 20);
    for (const int lvl : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 250})
        EXPECT_GT(player.ticksAtLevel[lvl], 1000) << "level " << lvl;
    EXPECT_GT(player.wins, 0);
    glutDestroyWindow(window);
    glutSetWindow(testWindow);
}
} // namespace
