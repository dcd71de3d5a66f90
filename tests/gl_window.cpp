#include "gl_window.h"

#include <GL/freeglut.h>

namespace
{
bool drawn = false;

// freeglut insists on a display callback; the tests draw by calling the game directly.
void markDrawn()
{
    drawn = true;
}
} // namespace

int openTestWindow(int width, int height)
{
    if (!glutGet(GLUT_INIT_STATE))
    {
        int argc = 1;
        char name[] = "tarnvik_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
    }
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    const int window = glutCreateWindow("tarnvik tests");
    glutDisplayFunc(markDrawn);
    drawn = false;
    while (!drawn)
        glutMainLoopEvent();
    return window;
}

Rgb backPixel(int x, int y)
{
    unsigned char p[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}
