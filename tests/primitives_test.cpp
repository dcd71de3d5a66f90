#include "render.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace
{
using Vec3 = std::array<float, 3>;

struct Quad
{
    std::array<Vec3, 4> corners;
    Vec3 colour;
};

// Draws under a projection that maps world units onto window pixels one to one, with the
// given lights, and returns the quads GL actually received, read back through feedback mode.
// Mesa hands a quad 1234 back as the triangles 124 and 234.
std::vector<Quad> quadsFed(const std::function<void()>& draw)
{
    static GLfloat buffer[4096];
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-50, 50, -50, 50, -200, 200);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, 100, 100);
    glFeedbackBuffer(4096, GL_3D_COLOR, buffer);
    glRenderMode(GL_FEEDBACK);
    draw();
    const int size = glRenderMode(GL_RENDER);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();

    struct Vertex
    {
        Vec3 at, colour;
    };
    std::vector<Vertex> triangles;
    for (int i = 0; i < size;)
    {
        EXPECT_EQ(buffer[i], GL_POLYGON_TOKEN);
        EXPECT_EQ(buffer[i + 1], 3.0f);
        i += 2;
        for (int corner = 0; corner < 3; ++corner, i += 7)
        {
            const float* v = buffer + i;
            triangles.push_back({{v[0] - 50, v[1] - 50, 200 * (1 - 2 * v[2])}, {v[3], v[4], v[5]}});
        }
    }
    std::vector<Quad> quads;
    for (std::size_t t = 0; t + 6 <= triangles.size(); t += 6)
    {
        const Vertex* v = &triangles[t];
        quads.push_back({{v[0].at, v[1].at, v[4].at, v[2].at}, v[0].colour});
    }
    return quads;
}

void expectNear(const Vec3& actual, const Vec3& expected)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 2e-3) << "component " << i;
}

// One directional light per axis direction, each in its own shade, so that the lit colour of a
// white face names its normal: full for +, half for -.
void lightsNamingNormals()
{
    const GLfloat none[] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    for (int axis = 0; axis < 3; ++axis)
    {
        for (int sign = 0; sign < 2; ++sign)
        {
            const GLenum light = GL_LIGHT0 + 2 * axis + sign;
            GLfloat direction[4] = {0, 0, 0, 0};
            GLfloat colour[4] = {0, 0, 0, 1};
            direction[axis] = sign == 0 ? 1.0f : -1.0f;
            colour[axis] = sign == 0 ? 1.0f : 0.5f;
            glEnable(light);
            glLightfv(light, GL_POSITION, direction);
            glLightfv(light, GL_DIFFUSE, colour);
        }
    }
}

TEST(Primitives, ABoxIsSixQuadsInFaceOrderEachWithItsOutwardNormal)
{
    initRendering();
    const std::vector<Quad> faces = quadsFed(
        []
        {
            lightsNamingNormals();
            drawVolume(-10.0f, -3.0f, 0.0f, 0.5f, 1.0f, 100.0f, 1.0f, 1.0f, 1.0f);
        });
    const float l = -10.5f, h = -9.5f;
    const std::vector<Quad> expected = {
        {{{{l, -2, -100}, {h, -2, -100}, {h, -2, 100}, {l, -2, 100}}}, {0, 1, 0}},     // top
        {{{{l, -4, 100}, {h, -4, 100}, {h, -2, 100}, {l, -2, 100}}}, {0, 0, 1}},       // front
        {{{{h, -4, -100}, {h, -2, -100}, {h, -2, 100}, {h, -4, 100}}}, {1, 0, 0}},     // right
        {{{{l, -4, -100}, {l, -2, -100}, {h, -2, -100}, {h, -4, -100}}}, {0, 0, .5f}}, // back
        {{{{l, -4, -100}, {l, -4, 100}, {l, -2, 100}, {l, -2, -100}}}, {.5f, 0, 0}},   // left
        {{{{l, -4, -100}, {h, -4, -100}, {h, -4, 100}, {l, -4, 100}}}, {0, .5f, 0}},   // bottom
    };
    ASSERT_EQ(faces.size(), expected.size());
    for (std::size_t f = 0; f < faces.size(); ++f)
    {
        SCOPED_TRACE(testing::Message() << "face " << f + 1);
        for (int c = 0; c < 4; ++c)
            expectNear(faces[f].corners[c], expected[f].corners[c]);
        expectNear(faces[f].colour, expected[f].colour);
    }
}

TEST(Primitives, ABoxLeavesItsColourAndTheBottomNormalCurrent)
{
    glNormal3f(0.6f, 0.0f, 0.8f);
    drawVolume(1.0f, 2.0f, 3.0f, 1.0f, 1.0f, 1.0f, 0.25f, 0.5f, 0.75f);
    GLfloat normal[4] = {}, colour[4] = {};
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    expectNear({normal[0], normal[1], normal[2]}, {0.0f, -1.0f, 0.0f});
    expectNear({colour[0], colour[1], colour[2]}, {0.25f, 0.5f, 0.75f});
}

TEST(Primitives, ASurfaceIsOneQuadInTheGivenOrderAndKeepsTheCurrentNormal)
{
    static GLfloat normal[4];
    const std::vector<Quad> quads = quadsFed(
        []
        {
            glDisable(GL_LIGHTING);
            glNormal3f(0.6f, 0.0f, 0.8f);
            drawSurface(10, 0, 5, 0, 10, -5, -10, 0, 5, 0, -10, -5, 0.25f, 0.5f, 0.75f);
            glGetFloatv(GL_CURRENT_NORMAL, normal);
        });
    ASSERT_EQ(quads.size(), 1u);
    const Vec3 corners[] = {{10, 0, 5}, {0, 10, -5}, {-10, 0, 5}, {0, -10, -5}};
    for (int c = 0; c < 4; ++c)
        expectNear(quads[0].corners[c], corners[c]);
    expectNear(quads[0].colour, {0.25f, 0.5f, 0.75f});
    expectNear({normal[0], normal[1], normal[2]}, {0.6f, 0.0f, 0.8f});
}
} // namespace
