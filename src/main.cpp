#include "controls.h"
#include "game.h"
#include "render.h"

#include <GL/freeglut.h>

int main(int argc, char** argv)
{
    // The first game exists before the window does
    level = 1;
    YeniOyun();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow("Quorvel Software");
    glutSetCursor(GLUT_CURSOR_NONE);
    glutFullScreen();
    initRendering();

    glutDisplayFunc(drawScene);
    glutKeyboardFunc(handleKeypress);
    glutSpecialFunc(processSpecialKeys);
    glutSpecialUpFunc(keyUp);
    glutEntryFunc(handleEntry);
    // One down event per held key: a held space bar jumps once
    glutIgnoreKeyRepeat(1);
    glutReshapeFunc(handleResize);
    glutTimerFunc(tickMs, update, 0);

    // Closing the window ends the process with status 0 from inside the loop
    glutMainLoop();
    return 0;
}
