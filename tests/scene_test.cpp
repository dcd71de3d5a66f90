// What frames show, read back under the game's own projection and lights.
#include "play.h"

#include <gtest/gtest.h>

#include <string>

// Floor, walls and markers are lit at their corners only. The floor keeps the normal that the
// frame before left: down, from the last wall face, so that the ambient light alone shows it (51
// of full red); set towards the viewer, as in a game's first frame, the side light shows too.
TEST(Scene, TheTrackShowsItsColoursUnderTheLightsWithinTheViewVolume)
{
    // A ball seen along its axis from 4 away; the small one from 2 right of the middle, where a
    // ball on side 2 hits
    const std::string small = "ball=1,96,2,1.5 x=-2 height=2.5 frame ",
                      big = "ball=1,96,0,2.5 height=1.5 frame ";
    // A track of odd length seen from near its finish
    const std::string odd = "game=2 balls=0 y=190 bitis=201 frame ";
    // The first marker's tip, lit by the side light too
    const std::string tip = "y=-80 normal=0,0,1 frame ";
    // Each level's floor, from level 1, under the ambient light alone
    const std::string floors[] = {"51,0,0",  "0,51,0", "51,0,51", "0,51,51", "51,51,0",
                                  "25,0,25", "0,25,0", "0,0,25",  "0,25,25", "25,0,0"};
    for (int level = 1; level <= 10; ++level)
        play({"game=" + std::to_string(level) + " frame ?see=3,-4,95," + floors[level - 1]});
    // the overhead light at full strength on a floor facing up
    play({"game=9 normal=0,1,0 frame ?see=3,-4,95,0,182,182",
          // the same size again keeps the view, and so does a window with no area
          "size=1200,1000 size=800,0 frame ?see=3,-4,95,51,0,0",
          "size=0,600 frame ?see=3,-4,95,51,0,0",
          // spun a quarter turn in the end view the track runs across it, so that its floor at
          // z = -50 shows where the unturned world's x = -50 would; it faces away from the side
          // light, which stays with the eye
          "ball=1,96,0,1.5 ticks=1 angle=90 normal=0,0,1 frame ?see=-50,-4,0,115,0,0",
          // from an eye 1 above the floor: 1 ahead shows, nearer is clipped
          "height=3 normal=0,0,1 frame ?see=0,-4,98.9,104,0,0 ?see=0,-4,99.1,0,0,0",
          // the walls, white, 1 thick and 2 high on the floor's edges, lit through their faces;
          // the floor reaches their inner faces
          "frame ?see=-10,-2,90,255,255,255 ?see=-9.6,-4,90,63,63,63 ?see=-10.6,-2,90,0,0,0",
          "frame ?see=10,-2,90,255,255,255 ?see=9.6,-4,90,167,167,167 ?see=10.6,-2,90,0,0,0",
          "frame ?see=9.4,-4,90,51,0,0 ?see=-9.4,-4,90,51,0,0",
          // from behind the start line, a wall's near end and the floor's
          "y=-110 frame ?see=-10,-3,100,103,103,103 ?see=0,-4,99.5,51,0,0 ?see=0,-4,100.5,0,0,0",
          // nine markers facing down as the last wall face left them: ambient blue, from both base
          // corners to the tip
          "y=-85 frame ?see=1.5,-3.9,79.5,0,0,51 ?see=2.1,-3.9,79.9,51,0,0",
          "y=-85 frame ?see=-1.5,-3.9,79.5,0,0,51 ?see=-2.1,-3.9,79.9,51,0,0",
          tip + "?see=0,-3.9,75.2,0,0,51 ?see=0,-3.9,74.8,114,0,0",
          // it comes to a point: 0.2 short of the tip it is 0.16 wide
          tip + "?see=0.3,-3.9,75.2,114,0,0 ?see=-0.3,-3.9,75.2,114,0,0",
          "y=75 frame ?see=0,-3.9,-84.5,0,0,51",
          "y=95 normal=0,0,1 frame ?see=0,-3.9,-104.5,190,0,0",
          // from an eye 0.4 above them, the first marker's edge: the floor beside it, blue within
          "y=-85 height=3.5 frame ?see=1.2,-3.9,76.5,51,0,0 ?see=0.8,-3.9,77.5,0,0,51",
          // a white ring at each hundred of distance from 100 up to the finish (none at 0), where
          // it stands whatever balls were drawn before it, and none past the finish; an odd length
          // halves short, so both walls end a unit before the floor, which ends at the finish
          "y=-10 frame ?see=0,7.5,0,0,0,0",
          "game=2 balls=1 ball=1,0,0,2.5 bitis=200 y=90 frame ?see=0,7.5,-100,168,168,168",
          "game=2 balls=0 bitis=200 y=190 frame ?see=0,7.5,-200,168,168,168",
          "game=2 balls=0 bitis=199 y=190 frame ?see=0,7.5,-200,0,0,0",
          odd + "?see=-10,-2,-199.5,255,255,255 ?see=0,-4,-200.5,0,51,0",
          odd + "?see=10,-2,-199.5,255,255,255 ?see=10,-2,-200.5,0,0,0",
          odd + "?see=-10,-2,-200.5,0,0,0 ?see=0,-4,-201.5,0,0,0",
          // balls seen along their axis from 4 away are regular decagons, small white and big
          // red: corners every 36 degrees on the outline, edges dipping to cos 18 degrees of it
          small + "?see=2.49,-1,96,255,255,255 ?see=2,-0.92,96,0,0,0 ?see=2.93,-1.23,96,0,0,0",
          big + "?see=0.96,1.47,96,252,0,0 ?see=0,1.62,96,0,0,0 ?see=1.83,1.02,96,0,0,0",
          // a ball within 200 of the eye shows, lit by the point light too; a farther one not
          "ball=1,-97,0,2.5 frame ?see=0,-1.5,-97,208,0,0",
          "ball=1,-103,0,2.5 frame ?see=0,-1.5,-103,0,0,0",
          // the point light at 0,0,-1 lights the near pole of a big ball on side 1 from 1 across,
          // 1.5 up and 1.5 ahead: 0.5 x 1.5 / 2.35 of full red, with 0.2 ambient and the side
          // light's 0.5 x 0.41
          "ball=1,-5,1,2.5 x=-1 height=1.5 y=-3 frame ?see=1,-1.5,-2.5,185,0,0"});
}

// The banner shows only at the start, on the ground, while playing.
TEST(Scene, TheBannerShowsOnlyOnTheStartLineOnTheGround)
{
    play({"frame ?banner=1", "y=-99 frame ?banner=0", "height=-0.5 frame ?banner=0",
          "x=-1 frame ?banner=0", "key=a frame ?banner=0"});
}
