// What a frame shows, read back from the window under the game's own projection and lights.
#include "game.h"
#include "play.h"
#include "render.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

using Rgb = std::array<int, 3>;

const double focal = windowHeight / 2.0 / std::tan(M_PI / 3.0); // a 120 degree view, in pixels

// What the back buffer, which Mesa's software path keeps after the swap, shows where the eye sees
// a world point: the world turned by _angle about the y axis, then moved by (yonx,
// kamerayukseklik, yony), seen looking down -z.
static Rgb seen(const std::array<float, 3>& p)
{
    const double a = _angle * M_PI / 180.0;
    const double x = p[0] * std::cos(a) + p[2] * std::sin(a) + yonx;
    const double z = -p[0] * std::sin(a) + p[2] * std::cos(a) + yony;
    unsigned char rgba[4] = {};
    glReadPixels(static_cast<int>(windowWidth / 2.0 - focal * x / z),
                 static_cast<int>(windowHeight / 2.0 - focal * (p[1] + kamerayukseklik) / z), 1, 1,
                 GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

// Where the banner's corner shows green: at level 1 nothing but the text has any.
static std::vector<bool> bannerGlyphs()
{
    std::vector<unsigned char> green(windowWidth / 2 * windowHeight / 6);
    glReadPixels(0, 0, windowWidth / 2, windowHeight / 6, GL_GREEN, GL_UNSIGNED_BYTE, green.data());
    return {green.begin(), green.end()};
}

// Floor, walls and markers are lit at their corners only. The floor takes the normal the frame
// before left, set here: facing the viewer as in a game's first frame, or facing up. The banner
// shows only at the start, on the ground, while playing.
TEST(Scene, TheTrackShowsItsColoursUnderTheThreeLightsAndTheProjectionAndTheBannerAtTheStart)
{
    // play, up, at, colour. Facing the viewer the floor has the ambient 0.2 and the side light's
    // 0.5 x cos 65.9
    const int full = 104, half = 52, white = 168;
    const std::tuple<const char*, bool, std::array<float, 3>, Rgb> rows[] = {
        {"game=1", false, {3, -4, 95}, {full, 0, 0}},
        {"game=2", false, {3, -4, 95}, {0, full, 0}},
        {"game=3", false, {3, -4, 95}, {full, 0, full}},
        {"game=4", false, {3, -4, 95}, {0, full, full}},
        {"game=5", false, {3, -4, 95}, {full, full, 0}},
        {"game=6", false, {3, -4, 95}, {half, 0, half}},
        {"game=7", false, {3, -4, 95}, {0, half, 0}},
        {"game=8", false, {3, -4, 95}, {0, 0, half}},
        {"game=9", false, {3, -4, 95}, {0, half, half}},
        {"game=10", false, {3, -4, 95}, {half, 0, 0}},
        // A window with no area changes nothing
        {"game=1 size=800x0 size=0x600", false, {3, -4, 95}, {full, 0, 0}},
        // The overhead light at full strength on a floor facing up
        {"game=8", true, {3, -4, 95}, {0, 0, 182}},
        // The point light over the track reaches the floor's far corners, brightening it ahead
        {"game=1", false, {3, -4, -50}, {168, 0, 0}},
        // Spun a quarter turn about the upright axis the track runs across the view, its floor
        // facing away from the side light, which stays with the eye
        {"game=1 ball=1,96,0,1.5 ticks=1 angle=90", false, {0, -4, -50}, {115, 0, 0}},
        // The floor from 1 unit ahead of an eye 1 unit above it; nearer is clipped
        {"game=1 height=3", false, {0, -4, 98.9f}, {full, 0, 0}},
        {"game=1 height=3", false, {0, -4, 99.1f}, {0, 0, 0}},
        // Nine markers, facing down as the last wall face left them: ambient blue, to the tip
        {"game=1 y=-85", false, {1.5f, -3.9f, 79.5f}, {0, 0, 51}},
        {"game=1 y=-80", false, {0, -3.9f, 75.5f}, {0, 0, 51}},
        {"game=1 y=-80", false, {0, -3.9f, 74.5f}, {114, 0, 0}},
        {"game=1 y=75", false, {0, -3.9f, -84.5f}, {0, 0, 51}},
        {"game=1 y=95", false, {0, -3.9f, -104.5f}, {190, 0, 0}},
        // A white ring every hundred units up to the finish, and none past it
        {"game=2 bitis=200 y=90", false, {0, 7.5f, -100}, {white, white, white}},
        {"game=2 bitis=200 y=190", false, {0, 7.5f, -200}, {white, white, white}},
        {"game=2 bitis=199 y=190", false, {0, 7.5f, -200}, {0, 0, 0}},
        // An odd length halves short: the walls end a unit before the floor
        {"game=2 bitis=201 y=190", false, {-10, -2, -200.5f}, {0, 0, 0}},
        {"game=2 y=990", false, {0, 7.5f, -1000}, {white, white, white}},
        // Seen along their axis from 4 units away balls are regular decagons, small white, big red:
        // corners every 36 degrees on the sphere's outline, edges dipping to cos 18 degrees of it
        {"game=1 ball=1,96,0,1.5 height=2.5", false, {0.49f, -1, 96}, {255, 255, 255}},
        {"game=1 ball=1,96,0,1.5 height=2.5", false, {0, -0.92f, 96}, {0, 0, 0}},
        {"game=1 ball=1,96,0,1.5 height=2.5", false, {0.93f, -1.23f, 96}, {0, 0, 0}},
        {"game=1 ball=1,96,0,2.5 height=1.5", false, {0.96f, 1.47f, 96}, {252, 0, 0}},
        {"game=1 ball=1,96,0,2.5 height=1.5", false, {0, 1.62f, 96}, {0, 0, 0}},
        {"game=1 ball=1,96,0,2.5 height=1.5", false, {1.83f, 1.02f, 96}, {0, 0, 0}},
        // A big red ball within 200 units shows, a farther one is beyond the far plane
        {"game=1 ball=1,-97,0,2.5", false, {0, -1.5f, -97}, {208, 0, 0}},
        {"game=1 ball=1,-103,0,2.5", false, {0, -1.5f, -103}, {0, 0, 0}},
    };
    for (const auto& [script, up, at, colour] : rows)
    {
        play({script});
        glNormal3f(0.0f, up ? 1.0f : 0.0f, up ? 0.0f : 1.0f);
        drawScene();
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(seen(at)[i], colour[i], 3) << script << " at " << at[2];
    }
    // The text as it should read from its anchor 4 left of, 3 below and 2 ahead of the starting
    // eye, on its own
    play({"game=1"});
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const unsigned char text[] = "Quorvel Software - Tarnvik 2.0 - www.quorvel.com";
    glRasterPos3i(-4, -3, -2);
    glutBitmapString(GLUT_BITMAP_HELVETICA_18, text);
    const std::vector<bool> banner = bannerGlyphs(), none(banner.size(), false);
    ASSERT_GT(std::count(banner.begin(), banner.end(), true), 500);
    for (const std::string where : {"", "y=-99", "height=-0.5", "x=-1", "key=a"})
    {
        play({"game=1 " + where + " frame"});
        EXPECT_TRUE(bannerGlyphs() == (where.empty() ? banner : none)) << where;
    }
}
