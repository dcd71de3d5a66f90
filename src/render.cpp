#include "render.h"

#include "game.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

namespace
{
const char bannerText[] = "Quorvel Software - Tarnvik 2.0 - www.quorvel.com";

const float halfWidth = 10.0f;

struct Colour
{
    float r, g, b;
};

const Colour white = {1.0f, 1.0f, 1.0f};

Colour floorColour(int lvl)
{
    static const Colour byLevel[] = {
        {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 1.0f},
        {0.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 0.0f}, {0.5f, 0.0f, 0.5f},
        {0.0f, 0.5f, 0.0f}, {0.0f, 0.0f, 0.5f}, {0.0f, 0.5f, 0.5f},
    };
    if (lvl >= 1 && lvl <= 9)
        return byLevel[lvl - 1];
    return {0.5f, 0.0f, 0.0f};
}

struct Light
{
    GLenum id;
    GLfloat diffuse[4];
    GLfloat position[4];
};

// A point light over the track and two directional lights that stay with the eye.
const Light lights[] = {
    {GL_LIGHT0, {0.5f, 0.5f, 0.5f, 1.0f}, {0.0f, 0.0f, -1.0f, 1.0f}},
    {GL_LIGHT1, {0.5f, 0.5f, 0.5f, 1.0f}, {-1.0f, 0.5f, 0.5f, 0.0f}},
    {GL_LIGHT2, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 10.0f, 0.0f, 0.0f}},
};

void setLights()
{
    static const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    for (const Light& light : lights)
    {
        glLightfv(light.id, GL_DIFFUSE, light.diffuse);
        glLightfv(light.id, GL_POSITION, light.position);
    }
}

// The raster position is lit and clipped like a vertex: one step off the start hides it all.
void drawBanner()
{
    glColor3f(white.r, white.g, white.b);
    glRasterPos3i(-4, -3, 98);
    glutBitmapString(GLUT_BITMAP_HELVETICA_18, reinterpret_cast<const unsigned char*>(bannerText));
}

void drawFloor()
{
    const float nearZ = static_cast<float>(track::startZ);
    const float farZ = static_cast<float>(-bitis);
    const Colour c = floorColour(level);
    drawSurface(halfWidth, track::floorY, nearZ, -halfWidth, track::floorY, nearZ, -halfWidth,
                track::floorY, farZ, halfWidth, track::floorY, farZ, c.r, c.g, c.b);
}

void drawWalls()
{
    const int halfLength = (bitis + track::startZ) / 2;
    const float centreZ = static_cast<float>(track::startZ - halfLength);
    const float hz = static_cast<float>(halfLength);
    drawVolume(-halfWidth, -3.0f, centreZ, 0.5f, 1.0f, hz, white.r, white.g, white.b);
    drawVolume(halfWidth, -3.0f, centreZ, 0.5f, 1.0f, hz, white.r, white.g, white.b);
}

// Nine flat arrows pointing down the track; they inherit the walls' downward normal.
void drawMarkers()
{
    const float y = -3.9f;
    for (int k = 1; k <= 9; ++k)
    {
        const float baseZ = static_cast<float>(track::startZ - 20 * k);
        const float tipZ = baseZ - 5.0f;
        drawSurface(2.0f, y, baseZ, 0.0f, y, tipZ, 0.0f, y, tipZ, -2.0f, y, baseZ, 0.0f, 0.0f,
                    1.0f);
    }
}

void drawBalls()
{
    for (int slot = 1; slot <= kactopvar; ++slot)
        TopOlustur(slot);
}

void drawRings()
{
    for (int i = 1; i <= bitis / 100; ++i)
    {
        glPushMatrix();
        glTranslatef(0.0f, -2.5f, static_cast<float>(-100 * i));
        glColor3f(white.r, white.g, white.b);
        glutSolidTorus(0.2, 10.0, 20, 20);
        glPopMatrix();
    }
}
} // namespace

void initRendering()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT2);
    glShadeModel(GL_SMOOTH);
}

void handleResize(int width, int height)
{
    // A window with no area has no aspect: keep the projection until a real size arrives
    if (width <= 0 || height <= 0)
        return;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(120.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 200.0);
    glMatrixMode(GL_MODELVIEW);
}

void drawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(yonx, kamerayukseklik, yony);
    // Lights go in under the camera alone, so the spin never turns them
    setLights();
    glRotatef(_angle, 0.0f, 1.0f, 0.0f);
    if (!gameover)
        drawBanner();
    drawFloor();
    drawWalls();
    drawMarkers();
    drawBalls();
    drawRings();
    glutSwapBuffers();
}

void drawVolume(float x, float y, float z, float hx, float hy, float hz, float r, float g, float b)
{
    const float xl = x - hx, xh = x + hx;
    const float yl = y - hy, yh = y + hy;
    const float zl = z - hz, zh = z + hz;
    glBegin(GL_QUADS);
    glColor3f(r, g, b);
    // Top
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(xl, yh, zl);
    glVertex3f(xh, yh, zl);
    glVertex3f(xh, yh, zh);
    glVertex3f(xl, yh, zh);
    // Front, towards +z
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(xl, yl, zh);
    glVertex3f(xh, yl, zh);
    glVertex3f(xh, yh, zh);
    glVertex3f(xl, yh, zh);
    // Right, towards +x
    glNormal3f(1.0f, 0.0f, 0.0f);
    glVertex3f(xh, yl, zl);
    glVertex3f(xh, yh, zl);
    glVertex3f(xh, yh, zh);
    glVertex3f(xh, yl, zh);
    // Back, towards -z
    glNormal3f(0.0f, 0.0f, -1.0f);
    glVertex3f(xl, yl, zl);
    glVertex3f(xl, yh, zl);
    glVertex3f(xh, yh, zl);
    glVertex3f(xh, yl, zl);
    // Left, towards -x
    glNormal3f(-1.0f, 0.0f, 0.0f);
    glVertex3f(xl, yl, zl);
    glVertex3f(xl, yl, zh);
    glVertex3f(xl, yh, zh);
    glVertex3f(xl, yh, zl);
    // Bottom last: its normal is the one later surfaces inherit
    glNormal3f(0.0f, -1.0f, 0.0f);
    glVertex3f(xl, yl, zl);
    glVertex3f(xh, yl, zl);
    glVertex3f(xh, yl, zh);
    glVertex3f(xl, yl, zh);
    glEnd();
}

void drawSurface(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                 float z3, float x4, float y4, float z4, float r, float g, float b)
{
    glBegin(GL_QUADS);
    glColor3f(r, g, b);
    glVertex3f(x1, y1, z1);
    glVertex3f(x2, y2, z2);
    glVertex3f(x3, y3, z3);
    glVertex3f(x4, y4, z4);
    glEnd();
}
