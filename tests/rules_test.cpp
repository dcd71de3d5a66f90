// The rules of the game as scripted plays: each row a script and what the game then shows.
#include "controls.h"
#include "game.h"
#include "play.h"

#include <gtest/gtest.h>

#include <string>

const unsigned char escape = 27;

// Each level's track and balls. The first frame places slot s at -100 - s x spacing as a small
// ball, one draw each, in slot order, for its side: the draw's remainder by 17, less 8.
TEST(NewGame, EachLevelHasItsTrackAndBallSpacing)
{
    play({"rand=16,0,33 game=1 ?bitis=200 ?balls=3 ?ball1=-200,8,1.5 ?ball2=-300,-8 ?ball3=-400,8",
          "game=2 ?bitis=1000 ?balls=22 ?ball1=-150 ?ball22=-1200", "game=5 ?balls=22 ?ball1=-150",
          "game=6 ?balls=44 ?ball1=-125 ?ball44=-1200", "game=9 ?balls=44 ?ball1=-125",
          "game=10 ?balls=55 ?ball1=-120 ?ball55=-1200"});
}

// Balls roll 2 a tick. One that reaches the start, landing on it or stepping past it, is sent back
// as far behind the finish as it passed the start, drawing its size (big for a draw that 5
// divides), then its side (big: the remainder by 15, less 7); but not while the player is in the
// last 50 before the finish, a step into them counting in the same tick: then it rolls on for good.
TEST(BallField, BallsRollBackToTheFinishUntilThePlayerIsNearIt)
{
    const std::string near = "y=150 ball=1,98,8,1.5 ";
    // After a long time with no ball in play, the next ball sent back still gets the next draws
    play({"balls=0 rand=10,14 ticks=550 balls=1 " + near + "ticks=1 ?ball1=-200,7,2.5",
          near + "rand=5,15 ticks=1 ?ball1=-200,-7", near + "rand=4,16 ticks=1 ?ball1=-200,8,1.5",
          near + "rand=1,17 ticks=1 ?ball1=-200,-8",
          "y=151 ball=1,98,8,1.5 ticks=1 ?ball1=100 y=-100 ticks=10 ?ball1=120",
          near + "+U ticks=1 ?ball1=100", "ball=1,96,8,1.5 ticks=1 ?ball1=98 ?ball3=-398",
          "ball=1,97,8,1.5 ticks=2 ?ball1=-199"});
}

// A ball hits within 3 of the eye (z = 100, x = -yonx) along and across the track; a raised eye
// clears a small ball, never a big one. A tick jumps, walks and rolls the balls before it looks,
// at every ball in play up to the last, slot 3.
TEST(BallField, ABallHitsWithinThreeUnitsUnlessJumpedOver)
{
    const std::string ball = "ball=3,";
    play({ball + "95,-3,1.5 ticks=1 ?over=1", ball + "94,0,2.5 ticks=1 ?over=0",
          ball + "101,3,2.5 ticks=1 ?over=1", ball + "102,0,1.5 ticks=1 ?over=0",
          ball + "96,4,2.5 ticks=1 ?over=0", ball + "96,-4,1.5 ticks=1 ?over=0",
          ball + "96,-5,1.5 x=5 ticks=1 ?over=1", ball + "96,0,1.5 height=-0.5 ticks=1 ?over=0",
          ball + "96,0,2.5 height=-5.5 ticks=1 ?over=1", ball + "94,0,2.5 +U ticks=1 ?over=1",
          ball + "95,0,1.5 key=32 ticks=1 ?over=0"});
}

// A jump rises eleven ticks, falls ten and lands on the twenty-second; space starts it afresh.
// Each limit of the walk: a step towards it taken, at it refused, away from it taken. A game ends
// won at the finish, even on a hit, or lost on a hit; then only the view moves, pulled back and
// spinning. A game stopped with a stands still, its view too, until z. Every tick arms the next.
TEST(Tick, ThePlayerJumpsAndWalksUntilTheGameEndsThenTheViewSpins)
{
    const std::string ended = " ?over=1 ?spin=1 ?x=0 ?y=-50 ?height=-50 ?angle=0 ";
    const std::string stopped =
        "+U +L key=32 key=a ticks=40 ?spin=0 ?x=0 ?y=-100 ?height=0 ?ball1=-200 ";
    play({"key=32 ticks=10 ?height=-5 ticks=1 ?height=-5.5 ?jump=1 ticks=1 ?height=-5",
          "key=32 ticks=21 ?height=-0.5 ?jump=1 ticks=1 ?height=0 ?jump=0 ticks=1 ?height=0",
          "key=32 ticks=15 ?height=-3.5 key=32 ?height=0 ticks=12 ?height=-5",
          "y=-99 +D ticks=1 ?y=-100 ticks=1 ?y=-100 +U ticks=2 ?y=-100 -D ticks=1 ?y=-99",
          "x=-7 +R ticks=1 ?x=-8 ticks=1 ?x=-8 -R +L ticks=2 ?x=-6",
          "x=7 +L ticks=1 ?x=8 ticks=1 ?x=8 -L +R ticks=1 ?x=7", "x=-8 +L +R ticks=3 ?x=-7",
          "x=8 +L +R ticks=1 ?x=8",
          "balls=0 +U ticks=299 ?over=0 ?y=199 ?armed=299x25 ticks=1 ?won=1" + ended +
              "ticks=119 ?angle=357 ticks=1 ?angle=360 ?y=-50 ticks=1 ?angle=3 ?armed=1x25",
          "ball=1,96,0,2.5 +U +L key=32 ticks=1 ?won=0" + ended + "ticks=49 ?angle=147",
          "balls=1 ball=1,-202,0,2.5 y=199 +U ticks=1 ?won=1" + ended,
          stopped + "?armed=40x25 key=z ticks=1 ?x=1 ?y=-99 ?height=-0.5 ?ball1=-198"});
}

// Space jumps, a stops the game and z lets it go on; once it is over any other character key but
// A and Z starts the next game, a level further after a win, with every ball unplaced until the
// next frame. An arrow is held from its first press to its release, or until the pointer leaves.
TEST(Controls, KeysActAtOnceAndArrowsWhileHeld)
{
    const std::string midJump = "game=4 x=3 y=300 key=32 ticks=5 ", playing = " ?x=3 ?y=300";
    const std::string next = " ?over=0 ?x=0 ?y=-100 ?height=0 ?jump=0 ?level=4",
                      twice = " key=a key=x key=a key=x ";
    // While a game is in play, every character key but Escape, space and a leaves it as it was
    std::string everyOtherKey = midJump;
    for (int key = 0; key < 256; ++key)
        if (key != escape && key != ' ' && key != 'a')
            everyOtherKey += "key=" + std::to_string(key) + ' ';
    play({midJump + "key=a key=32 key=a ?over=1 ?height=-2.5" + playing,
          midJump + "key=a key=A key=Z key=32 ?over=1" + playing,
          midJump + "key=a +L key=x ?held=0010" + next, midJump + "key=a key=200" + next,
          everyOtherKey + "?over=0 ?height=-2.5 ?jump=1" + playing,
          "game=2 y=999 +U ticks=3" + twice + "?level=3 ?won=0 ?over=0 ?spin=0 ?angle=0 ?held=1000",
          "game=2 ball=1,96,0,1.5 ticks=1" + twice + "?level=2 ?over=0",
          "ball=1,50,3,2.5 key=a key=x ?ball1=0,0,1.5 rand=16 frame ticks=1 frame ?ball1=-198,8",
          "ball=999,5,5,2.5 key=a key=x balls=999 ?ball999=0,0,1.5",
          "+U +U ticks=1 ?y=-99 -U -U ticks=1 ?y=-99 +F ?held=0000",
          midJump + "+U +D +L +R enter ?held=1111 leave ?held=0000 ?over=0 ?jump=1" + playing});
}

// Escape ends the program with status 0, in play or over. Each exit is in a fresh run of the tests
// that opens no window of its own.
TEST(Controls, EscapeEndsTheProgramInPlayOrOver)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const bool over : {false, true})
    {
        gameover = over;
        EXPECT_EXIT(handleKeypress(escape, 0, 0), testing::ExitedWithCode(0), "") << over;
    }
}
