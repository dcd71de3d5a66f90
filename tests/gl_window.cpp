#include "gl_window.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

namespace
{
bool drawn = false;

// freeglut insists on a display callback; the tests draw by calling the game directly.
void markDrawn()
{
    drawn = true;
}
} // namespace

void openTestWindow()
{
    int argc = 1;
    char name[] = "tarnvik_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(testWindowWidth, testWindowHeight);
    glutCreateWindow("tarnvik tests");
    glutDisplayFunc(markDrawn);
    while (!drawn)
        glutMainLoopEvent();
}

Rgb backPixel(int x, int y)
{
    unsigned char p[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

namespace
{
class GlWindowEnvironment : public testing::Environment
{
  public:
    void SetUp() override
    {
        openTestWindow();
    }
};
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new GlWindowEnvironment);
    return RUN_ALL_TESTS();
}
