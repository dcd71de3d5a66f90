#include "play.h"

#include "controls.h"
#include "game.h"
#include "render.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

// What the game asks of the C library and of freeglut, seen through the linker (--wrap): the values
// it draws, and how many ticks the last run of ticks armed with each delay.
static std::map<unsigned int, int> armed;

extern "C" int __real_rand();
extern "C" int __wrap_rand()
{
    return drawn.emplace_back(__real_rand());
}

extern "C" void __real_glutTimerFunc(unsigned int ms, void (*callback)(int), int value);
extern "C" void __wrap_glutTimerFunc(unsigned int ms, void (*callback)(int), int value)
{
    if (callback == update)
        ++armed[ms];
    __real_glutTimerFunc(ms, callback, value);
}

static void openWindow()
{
    int argc = 1;
    char name[] = "tarnvik_tests", *argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow(name);
    initRendering();
    handleResize(windowWidth, windowHeight);
}

static void repeat(int times, void (*step)())
{
    for (int i = 0; i < times; ++i)
        step();
}

// One word: an arrow, or a name with its value or the numbers that commas or an x part.
static void playWord(std::string word)
{
    const int arrows[] = {GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_F1};
    if (word[0] == '+' || word[0] == '-')
        return (word[0] == '+' ? processSpecialKeys
                               : keyUp)(arrows[std::string("UDLRF").find(word[1])], 0, 0);
    const std::string name = word.substr(0, word.find('=')), value = word.substr(name.size());
    std::replace(word.begin(), word.end(), ',', ' ');
    std::replace(word.begin(), word.end(), 'x', ' ');
    std::istringstream numbers(word.substr(std::min(word.size(), name.size() + 1)));
    float a = 0, b = 0, c = 0, d = 0;
    numbers >> a >> b >> c >> d;
    const int n = static_cast<int>(a);
    const std::map<std::string, std::function<void()>> words = {
        {"x", [&] { yonx = a; }},
        {"y", [&] { yony = a; }},
        {"height", [&] { kamerayukseklik = a; }},
        {"angle", [&] { _angle = a; }},
        {"bitis", [&] { bitis = n; }},
        {"balls", [&] { kactopvar = n; }},
        {"ball",
         [&] { topuzaklik[n] = static_cast<int>(b), topsagsol[n] = c, topbuyukluk[n] = d; }},
        {"game", [&] { ileri = geri = saga = sola = false, level = n, YeniOyun(), drawScene(); }},
        {"key", [&]
         { handleKeypress(static_cast<unsigned char>(value.size() == 2 ? value[1] : n), 0, 0); }},
        {"ticks", [&] { armed.clear(), repeat(n, [] { update(0); }); }},
        {"steps", [&] { repeat(n, stepBalls); }},
        {"frame", drawScene},
        {"collide", testCollisions},
        {"leave", [] { handleEntry(GLUT_LEFT); }},
        {"enter", [] { handleEntry(GLUT_ENTERED); }},
        {"size", [&] { handleResize(n, static_cast<int>(b)); }}};
    words.at(name)();
}

// The game in the words of the checks, each between spaces.
static std::string state()
{
    std::ostringstream out;
    out << " x=" << yonx << " y=" << yony << " height=" << kamerayukseklik << " angle=" << _angle
        << " over=" << gameover << " won=" << kazandi << " spin=" << animate << " jump=" << zipla
        << " level=" << level << " held=" << ileri << geri << sola << saga
        << " ball1=" << topuzaklik[1];
    for (const auto& [delay, ticks] : armed)
        out << " armed=" << ticks << 'x' << delay;
    return out.str() + ' ';
}

void play(std::initializer_list<std::string> scripts)
{
    [[maybe_unused]] static const bool opened = (openWindow(), true);
    for (const std::string& script : scripts)
    {
        std::istringstream words(script);
        for (std::string word; words >> word;)
            if (word[0] == '?')
                EXPECT_NE(state().find(" " + word.substr(1) + " "), std::string::npos)
                    << script << " at " << word << ":" << state();
            else
                playWord(word);
    }
}
