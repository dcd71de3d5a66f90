#include "gl_window.h"
#include "render.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>

namespace
{
using Matrix = std::array<double, 16>;

Matrix matrix(GLenum which)
{
    Matrix m{};
    glGetDoublev(which, m.data());
    return m;
}

std::array<int, 4> viewport()
{
    std::array<int, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

int matrixMode()
{
    int mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    return mode;
}

// A 120 degree vertical view from 1 to 200 units, column-major as GL keeps it.
Matrix perspective(double aspect)
{
    const double f = 1.0 / std::tan(M_PI / 3.0);
    return {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, -201.0 / 199.0, -1, 0, 0, -400.0 / 199.0, 0};
}

void expectMatrixNear(const Matrix& actual, const Matrix& expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6 * (1.0 + std::fabs(expected[i]))) << "m" << i;
}

class RenderState : public testing::Test
{
  protected:
    void TearDown() override
    {
        handleResize(testWindowWidth, testWindowHeight);
    }
};

TEST_F(RenderState, InitRenderingTurnsOnDepthLightingAndSmoothShadingOnly)
{
    initRendering();
    for (const GLenum on :
         {GL_DEPTH_TEST, GL_COLOR_MATERIAL, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_LIGHT2})
        EXPECT_TRUE(glIsEnabled(on)) << std::hex << on;
    for (const GLenum off : {GL_LIGHT3, GL_CULL_FACE, GL_NORMALIZE, GL_TEXTURE_2D, GL_BLEND})
        EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
    int shadeModel = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
    EXPECT_EQ(shadeModel, GL_SMOOTH);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderState, ResizeSetsViewportAndPerspectiveAndLeavesTheModelview)
{
    const struct
    {
        int width, height;
        double aspect;
    } sizes[] = {
        {1366, 768, 1366.0 / 768.0}, {1280, 1024, 1.25}, {800, 1200, 2.0 / 3.0}, {1, 1, 1.0}};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    const Matrix modelview = matrix(GL_MODELVIEW_MATRIX);
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        for (int reshape = 1; reshape <= 2; ++reshape) // a second equal reshape changes nothing
        {
            handleResize(size.width, size.height);
            EXPECT_EQ(viewport(), (std::array<int, 4>{0, 0, size.width, size.height}));
            expectMatrixNear(matrix(GL_PROJECTION_MATRIX), perspective(size.aspect));
            EXPECT_EQ(matrixMode(), GL_MODELVIEW);
            EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelview);
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderState, ASizeWithNoAreaKeepsViewportAndProjection)
{
    handleResize(1366, 768);
    const Matrix projection = matrix(GL_PROJECTION_MATRIX);
    const auto kept = viewport();
    const int sizes[][2] = {{800, 0}, {0, 600}, {0, 0}, {-5, 100}, {100, -1}, {INT_MIN, INT_MIN}};
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        handleResize(size[0], size[1]);
        EXPECT_EQ(viewport(), kept);
        EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(matrixMode(), GL_MODELVIEW);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}
} // namespace
