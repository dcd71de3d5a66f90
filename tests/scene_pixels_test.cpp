#include "game.h"
#include "game_state.h"
#include "gl_window.h"
#include "render.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
const double viewSlope = std::tan(M_PI / 3.0); // half the 120 degree vertical view

class ScenePixels : public testing::Test
{
  protected:
    void SetUp() override
    {
        initRendering();
        handleResize(testWindowWidth, testWindowHeight);
        glNormal3f(0.0f, 0.0f, 1.0f);
        newGameWithBallsPlaced(1);
    }
    void TearDown() override
    {
        handleResize(testWindowWidth, testWindowHeight);
    }
};

// The pixel at which a world point shows, seen from the player's eye looking down the track.
Rgb seen(float x, float y, float z)
{
    const double distance = -yony - z;
    const double aspect = static_cast<double>(testWindowWidth) / testWindowHeight;
    const double xs = (x + yonx) / distance / viewSlope / aspect;
    const double ys = (y + kamerayukseklik) / distance / viewSlope;
    return backPixel(static_cast<int>((xs + 1) / 2 * testWindowWidth),
                     static_cast<int>((ys + 1) / 2 * testWindowHeight));
}

void expectColour(const Rgb& actual, const Rgb& expected)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 3) << "channel " << i;
}

// Banner pixels are lit white; within the banner's band the level-1 floor has no green at all.
int bannerPixels(int width, int height)
{
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int count = 0;
    for (std::size_t i = 0; i < rgb.size(); i += 3)
        count += rgb[i + 1] > 16 ? 1 : 0;
    return count;
}

TEST_F(ScenePixels, TheFloorTakesTheLevelColour)
{
    struct Row
    {
        int level;
        Rgb ambientLit; // a fifth of the level colour
    };
    const Row rows[] = {{1, {51, 0, 0}},  {2, {0, 51, 0}},  {3, {51, 0, 51}}, {4, {0, 51, 51}},
                        {5, {51, 51, 0}}, {6, {26, 0, 26}}, {7, {0, 26, 0}},  {8, {0, 0, 26}},
                        {9, {0, 26, 26}}, {10, {26, 0, 0}}, {0, {26, 0, 0}},  {250, {26, 0, 0}}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.level);
        newGameWithBallsPlaced(row.level);
        initRendering();
        for (const GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2})
            glDisable(light);
        drawScene();
        expectColour(seen(3.0f, -4.0f, 95.0f), row.ambientLit);
    }
}

TEST_F(ScenePixels, WallTopsShineWhiteAndMarkersPointingDownTheTrackGetOnlyAmbientBlue)
{
    drawScene();
    expectColour(seen(-10.0f, -2.0f, 90.0f), {255, 255, 255});
    expectColour(seen(10.0f, -2.0f, 90.0f), {255, 255, 255});
    expectColour(seen(0.0f, -3.9f, 78.0f), {0, 0, 51});
    expectColour(seen(0.0f, -3.9f, 58.0f), {0, 0, 51});
    expectColour(seen(1.5f, -3.9f, 79.5f), {0, 0, 51}); // near a base corner
    EXPECT_LT(seen(0.0f, -3.9f, 74.0f)[2], 20) << "past the tip of the first marker";
    yony = 60.0f;
    drawScene();
    expectColour(seen(0.0f, -3.9f, -82.0f), {0, 0, 51}); // the ninth and last
    EXPECT_LT(seen(0.0f, -3.9f, -102.0f)[2], 20) << "no tenth marker";
}

TEST_F(ScenePixels, BallsRestOnTheFloorSmallWhiteAndBigRed)
{
    topuzaklik[1] = 90;
    topsagsol[1] = 0.0f;
    drawScene();
    const Rgb small = seen(0.0f, -2.5f, 90.0f);
    EXPECT_GT(small[0], 40);
    EXPECT_EQ(small[0], small[1]);
    EXPECT_EQ(small[1], small[2]);
    expectColour(seen(0.0f, 0.5f, 90.0f), {0, 0, 0}); // above its top at -1

    topbuyukluk[1] = 2.5f;
    drawScene();
    const Rgb big = seen(0.0f, 0.5f, 90.0f); // below its top at 1
    EXPECT_GT(big[0], 40);
    EXPECT_EQ(big[1], 0);
    EXPECT_EQ(big[2], 0);
}

TEST_F(ScenePixels, TheBannerShowsOnlyFromTheStartOnTheGroundWhilePlaying)
{
    struct Row
    {
        float yony, eyeHeight;
        bool over, shown;
    };
    const Row rows[] = {{-100.0f, 0.0f, false, true},
                        {-99.0f, 0.0f, false, false},
                        {-100.0f, -0.5f, false, false},
                        {-100.0f, 0.0f, true, false}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << row.yony << " " << row.eyeHeight << " " << row.over);
        yony = row.yony;
        kamerayukseklik = row.eyeHeight;
        gameover = row.over;
        drawScene();
        const int pixels = bannerPixels(testWindowWidth / 2, testWindowHeight / 5);
        if (row.shown)
            EXPECT_GT(pixels, 300);
        else
            EXPECT_EQ(pixels, 0);
    }
}

TEST_F(ScenePixels, ASquareWindowIsTooNarrowForTheBanner)
{
    handleResize(1000, 1000);
    drawScene();
    EXPECT_EQ(bannerPixels(1000, 200), 0);
}

TEST_F(ScenePixels, ARingStandsAtEveryHundredUpToTheFinish)
{
    struct Row
    {
        int bitis, ring;
        bool shown;
    };
    const Row rows[] = {{200, 1, true},  {200, 2, true}, {199, 1, true},
                        {199, 2, false}, {99, 1, false}, {1000, 10, true}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "bitis " << row.bitis << " ring " << row.ring);
        bitis = row.bitis;
        const float ringZ = -100.0f * static_cast<float>(row.ring);
        yony = -ringZ - 10.0f; // ten units in front of it
        drawScene();
        const Rgb top = seen(0.0f, 7.5f, ringZ);
        EXPECT_EQ(top[0] > 40 && top[1] > 40 && top[2] > 40, row.shown)
            << top[0] << " " << top[1] << " " << top[2];
    }
}
} // namespace
