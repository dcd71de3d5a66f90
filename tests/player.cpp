// Plays a demo through the game's own callbacks, as its main loop calls them: the game's own main
// sets it up, in a GL window of its own, and where it would enter its main loop the player plays
// the demo's events, then a tick and its frame, and so on. Writes what the game did: the whole game
// state after every frame, a line each, to standard output, and each frame the demo marks to
// NAME-TICK.png in the current folder. Usage: tarnvik_player NAME < DEMO_FILE
#include "controls.h"
#include "game.h"
#include "render.h"

#include <GL/freeglut.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace
{
// The game's rand draws come from a copy of the C library's unseeded sequence of their own,
// whatever else in the process draws from rand.
random_data draws;
char drawState[128];

// What the game asked of freeglut since the last state line, in order.
std::string calls;

// The last frame as the game drew it, read before its swap: RGB from the bottom row up.
GLint viewport[4];
std::vector<unsigned char> drawn;
} // namespace

extern "C" int __wrap_rand()
{
    int32_t value = 0;
    random_r(&draws, &value);
    return value;
}

// The player runs the ticks itself: the ones the game arms are only written down.
extern "C" void __wrap_glutTimerFunc(unsigned int ms, void (* /*callback*/)(int), int /*value*/)
{
    calls += " timer" + std::to_string(ms);
}

extern "C" void __wrap_glutPostRedisplay()
{
    calls += " redraw";
}

// Nothing needs to see the window: the frame is only read.
extern "C" void __wrap_glutSwapBuffers()
{
    calls += " swap";
    glGetIntegerv(GL_VIEWPORT, viewport);
    drawn.resize(3 * static_cast<size_t>(viewport[2] * viewport[3]));
    glReadPixels(0, 0, viewport[2], viewport[3], GL_RGB, GL_UNSIGNED_BYTE, drawn.data());
}

namespace
{
std::string name;
int tick = 0;

// The frame and the whole game state after it, and what the game asked of freeglut meanwhile.
void frame()
{
    drawScene();
    std::cout << tick << ": eye " << yonx << ' ' << kamerayukseklik << ' ' << yony << " turn "
              << animate << ' ' << _angle << " jump " << zipla << ' ' << ziplamasuresi << " held "
              << ileri << geri << saga << sola << " over " << gameover << kazandi << " level "
              << level << " track " << bitis << ' ' << toplararasimesafe << ' ' << kactopvar
              << calls << " balls";
    for (int slot = 1; slot <= kactopvar; ++slot)
        std::cout << ' ' << topuzaklik[slot] << ',' << topsagsol[slot] << ',' << topbuyukluk[slot]
                  << (topeskimi[slot] ? "" : "?");
    std::cout << '\n';
    calls.clear();
}

void ticks(int count)
{
    for (int i = 0; i < count; ++i)
    {
        ++tick;
        update(0);
        frame();
    }
}

void writeFrame()
{
    png_image image{nullptr,
                    PNG_IMAGE_VERSION,
                    static_cast<png_uint_32>(viewport[2]),
                    static_cast<png_uint_32>(viewport[3]),
                    PNG_FORMAT_RGB,
                    0,
                    0,
                    0,
                    {}};
    png_image_write_to_file(&image, (name + '-' + std::to_string(tick) + ".png").c_str(), 0,
                            drawn.data(), -3 * viewport[2], nullptr);
}

// One word of the demo, from # to the end of its line a comment.
void play(const std::string& word)
{
    static const std::map<std::string, int> specialKeys = {{"Up", GLUT_KEY_UP},
                                                           {"Down", GLUT_KEY_DOWN},
                                                           {"Left", GLUT_KEY_LEFT},
                                                           {"Right", GLUT_KEY_RIGHT},
                                                           {"F1", GLUT_KEY_F1}};
    const auto special = specialKeys.find(word.substr(1));
    int width = 0, height = 0;
    std::string comment;
    if (word[0] == '#')
        std::getline(std::cin, comment);
    else if (std::sscanf(word.c_str(), "%dx%d", &width, &height) == 2)
        handleResize(width, height);
    else if (std::sscanf(word.c_str(), "%d", &width) == 1)
        ticks(width);
    else if (std::sscanf(word.c_str(), "level%d", &level) == 1)
        YeniOyun();
    else if (word == "frame")
        writeFrame();
    else if (word == "keys")
    {
        // Every character key but Escape, each followed by a tick
        for (int key = 0; key < 256; ++key, ticks(1))
            if (key != 27)
                handleKeypress(static_cast<unsigned char>(key), 0, 0);
    }
    else if (word == "space" || word == "Escape" || word.size() == 1)
        handleKeypress(word == "space" ? ' ' : word == "Escape" ? 27 : word[0], 0, 0);
    else if (word == "leave" || word == "enter")
        handleEntry(word == "leave" ? GLUT_LEFT : GLUT_ENTERED);
    else if (special != specialKeys.end() && (word[0] == '+' || word[0] == '-'))
        (word[0] == '+' ? processSpecialKeys : keyUp)(special->second, 0, 0);
    else
    {
        // A mistyped demo must not be recorded as if it played
        std::cerr << name << ": no such word " << word << '\n';
        std::exit(2);
    }
}
} // namespace

extern "C" void __real_glutInit(int* argc, char** argv);

// The demo's name is the last argument, which the game ignores.
extern "C" void __wrap_glutInit(int* argc, char** argv)
{
    name = argv[*argc - 1];
    initstate_r(1, drawState, sizeof drawState, &draws);
    __real_glutInit(argc, argv);
    // Room for the largest frame: the real program's screen
    glutInitWindowSize(1280, 1024);
}

// The game set up as its main sets it up, the demo's words in turn, at the size of most frames the
// demos mark.
extern "C" void __wrap_glutMainLoop()
{
    handleResize(640, 480);
    frame();
    for (std::string word; std::cin >> word;)
        play(word);
}
