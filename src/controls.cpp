#include "controls.h"

#include "game.h"

#include <GL/freeglut.h>

#include <cstdlib>

namespace
{
const unsigned char escapeKey = 27;

void startJump()
{
    kamerayukseklik = 0.0f;
    ziplamasuresi = 0;
    zipla = true;
}

// After a win the next game is a level further; after a loss it is the same level.
void startNextGame()
{
    if (kazandi)
    {
        level += 1;
        kazandi = false;
    }
    YeniOyun();
}

bool* heldFlag(int key)
{
    switch (key)
    {
    case GLUT_KEY_UP:
        return &ileri;
    case GLUT_KEY_DOWN:
        return &geri;
    case GLUT_KEY_LEFT:
        return &sola;
    case GLUT_KEY_RIGHT:
        return &saga;
    default:
        return nullptr;
    }
}
} // namespace

void handleKeypress(unsigned char key, int /*x*/, int /*y*/)
{
    switch (key)
    {
    case escapeKey:
        std::exit(0);
    case ' ':
        if (!gameover)
            startJump();
        break;
    case 'a':
        gameover = true;
        break;
    case 'z':
        gameover = false;
        break;
    // The capitals are kept apart: they neither stop, resume nor restart a game
    case 'A':
    case 'Z':
        break;
    default:
        if (gameover)
            startNextGame();
        break;
    }
}

void processSpecialKeys(int key, int /*x*/, int /*y*/)
{
    if (bool* held = heldFlag(key))
        *held = true;
}

void keyUp(int key, int /*x*/, int /*y*/)
{
    if (bool* held = heldFlag(key))
        *held = false;
}

void handleEntry(int state)
{
    if (state == GLUT_LEFT)
        ileri = geri = saga = sola = false;
}
