// The rules of the game as scripted plays: each row a script and what the player then sees.
#include "game.h"
#include "play.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

// A new game's first frame places slot s at -100 - s x spacing, small, one draw each for its side.
// Every ball rolls 2 units a step. Fifty short of the finish every ball that reaches the start,
// landing on it or stepping past it, is sent back as far behind the finish as it passed the start,
// drawing a size and then a side.
TEST(BallField, TheLevelSetsTrackAndBallsPlacedSmallOneDrawEachComingBackFromTheFinishSizeFirst)
{
    for (const auto& [lvl, length, balls, spacing] :
         {std::array{1, 200, 3, 100}, std::array{2, 1000, 22, 50}, std::array{5, 1000, 22, 50},
          std::array{6, 1000, 44, 25}, std::array{9, 1000, 44, 25}, std::array{10, 1000, 55, 20},
          std::array{250, 1000, 55, 20}})
    {
        drawn.clear();
        play({"game=" + std::to_string(lvl)});
        ASSERT_EQ(std::tie(bitis, kactopvar), std::tie(length, balls)) << "level " << lvl;
        const std::vector<float> sides(topsagsol + 1, topsagsol + 1 + balls);
        // Long enough for the last ball to reach the start, too short for the first to come twice
        const int steps = (length + 300) / 2;
        play({"y=" + std::to_string(length - 50) + " steps=" + std::to_string(steps)});
        for (int slot = 1; slot <= balls; ++slot)
        {
            const int at = balls + 2 * slot - 2, size = drawn.at(at) % 5, side = drawn.at(at + 1);
            EXPECT_EQ(
                std::tie(sides[slot - 1], topuzaklik[slot], topbuyukluk[slot], topsagsol[slot]),
                std::make_tuple(static_cast<float>(drawn.at(slot - 1) % 17 - 8),
                                -100 - slot * spacing + 2 * steps - length - 100,
                                size == 0 ? 2.5f : 1.5f,
                                static_cast<float>(size == 0 ? side % 15 - 7 : side % 17 - 8)))
                << "level " << lvl << " slot " << slot;
        }
    }
    // Closer, they roll on past the start, and walking back does not bring them back. A ball is
    // sent back on reaching the start, not a step before, whether it lands on it or steps past it.
    play({"game=1 y=151 steps=150 y=-100 steps=10 ?ball1=120",
          "game=1 ball=1,96,0,1.5 steps=1 ?ball1=98 steps=1 ?ball1=-200",
          "game=1 ball=1,97,0,1.5 steps=1 ?ball1=99 steps=1 ?ball1=-199"});
}

// The eye stands at z = 100 and x = -yonx; slot 3 is the last in play.
TEST(BallField, ABallHitsWithinThreeUnitsOfTheEyeUnlessItIsSmallAndTheEyeIsRaised)
{
    play({"game=1 ball=3,97,-3,1.5 collide ?over=1", "game=1 ball=3,103,3,2.5 collide ?over=1",
          "game=1 ball=3,96,0,1.5 collide ?over=0", "game=1 ball=3,104,0,2.5 collide ?over=0",
          "game=1 ball=3,100,4,2.5 collide ?over=0", "game=1 ball=3,100,-4,1.5 collide ?over=0",
          "game=1 ball=3,100,0,1.5 height=-0.5 collide ?over=0",
          "game=1 ball=3,100,0,2.5 height=-5.5 collide ?over=1",
          "game=1 ball=3,100,-5,1.5 x=5 collide ?over=1"});
}

// A jump rises eleven ticks, falls ten and lands on the twenty-second; space starts it afresh.
// Each limit of the walk: one step inside it the step is taken, at it refused, and away from it
// taken again. A game ends won at the finish or lost on a hit, and then only the view moves,
// pulled back and spinning; a game stopped with a stands still, its view included, until z. Every
// tick arms the next 25 ms on, whether the game goes on, has ended or is stopped.
TEST(Tick, ThePlayerJumpsAndWalksWithinTheTrackUntilTheGameEndsAndThenOnlyTheViewSpins)
{
    const std::string ended = " ?over=1 ?spin=1 ?x=0 ?y=-50 ?height=-50";
    const std::string stopped = "game=1 +U +L key=32 key=a ticks=40 ?angle=0 ?spin=0 ?x=0 ?y=-100";
    play(
        {"game=1 key=32 ticks=10 ?height=-5 ticks=1 ?height=-5.5 ?jump=1 ticks=1 ?height=-5",
         "game=1 key=32 ticks=21 ?height=-0.5 ?jump=1 ticks=1 ?height=0 ?jump=0 ticks=1 ?height=0",
         "game=1 balls=0 key=32 ticks=15 ?height=-3.5 key=32 ?height=0 ticks=12 ?height=-5",
         "game=1 y=-99 +D ticks=1 ?y=-100 ticks=1 ?y=-100 +U ticks=2 ?y=-100 -D ticks=1 ?y=-99",
         "game=1 balls=0 x=-7 +R ticks=1 ?x=-8 ticks=1 ?x=-8 -R +L ticks=2 ?x=-6",
         "game=1 balls=0 x=7 +L ticks=1 ?x=8 ticks=1 ?x=8 -L +R ticks=1 ?x=7",
         "game=1 balls=0 x=-8 +L +R ticks=3 ?x=-7", "game=1 balls=0 x=8 +L +R ticks=1 ?x=8",
         "game=1 balls=0 +F +U -U ticks=3 ?x=0 ?y=-100 ?held=0000",
         "game=1 balls=0 +U ticks=299 ?over=0 ?y=199 ?armed=299x25 ticks=1" + ended +
             " ?won=1 ?angle=0 ticks=119 ?angle=357 ticks=1 ?angle=360 ticks=1 ?angle=3",
         stopped + " ?height=0 ?ball1=-200 ?armed=40x25 key=z ticks=1 ?x=1 ?y=-99 ?ball1=-198",
         "game=1 balls=0 y=200 ticks=1 ?won=1", "game=1 balls=0 y=199 ticks=1 ?over=0",
         "game=1 ball=1,96,0,2.5 +U +L key=32 ticks=50" + ended + " ?won=0 ?angle=147 ?armed=50x25",
         "game=1 balls=1 ball=1,-202,0,2.5 y=199 +U ticks=1" + ended + " ?won=1",
         // a tick jumps, walks and rolls the balls before it looks for a hit
         "game=1 ball=1,94,0,2.5 ticks=1 ?over=0", "game=1 ball=1,95,0,2.5 ticks=1 ?over=1",
         "game=1 ball=1,94,0,2.5 +U ticks=1 ?over=1",
         "game=1 ball=1,96,0,1.5 key=32 ticks=1 ?over=0"});
}

const std::string midJump = "game=4 x=3 y=300 key=32 ticks=5 "; // five ticks into a jump

// Leaving the window releases every arrow, as their key-up events then go elsewhere, and changes
// nothing else.
TEST(Controls, CharacterKeysActAtOnceAndArrowsWhileHeldUntilLetGoOrThePointerLeaves)
{
    const std::string playing = "?over=0 ?x=3 ?y=300 ?height=-2.5", stopped = "?over=1 ?x=3 ?y=300";
    const std::string next = "?over=0 ?x=0 ?y=-100 ?height=0 ?jump=0 ?level=4",
                      twice = " key=a key=x key=a key=x ";
    const std::string arrows = "+U +D +L +R ", kept = " ?x=3 ?y=300 ?height=-2.5 ?jump=1";
    play({midJump + "key=32 ?over=0 ?y=300 ?height=0 ?jump=1",
          midJump + "key=a key=32 key=a ?height=-2.5 " + stopped,
          midJump + "key=a key=z " + playing, midJump + "key=z key=A " + playing,
          midJump + "key=a key=A key=Z +U " + stopped,
          midJump + "key=a +L key=x ?held=0010 " + next, midJump + "key=a key=200 " + next,
          midJump + "key=x " + playing,
          // the next game is a level further after a win, at the same level otherwise
          "game=2 y=999 +U ticks=1" + twice + "?level=3 ?won=0 ?over=0 ?spin=0 ?angle=0 ?held=1000",
          "game=2 ball=1,96,0,1.5 ticks=1" + twice + "?level=2 ?over=0",
          midJump + arrows + "enter ?held=1111 leave ?held=0000 ?over=0" + kept,
          midJump + "key=a " + arrows + "enter leave leave ?held=0000 ?over=1" + kept,
          "game=1 balls=0 +U leave enter ticks=3 ?y=-100"});
}
