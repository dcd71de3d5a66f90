#include "play.h"

#include "controls.h"
#include "game.h"
#include "render.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

namespace
{
const int width = 1200, height = 1000;

// What the game asks of the C library and of freeglut passes through here (the linker's --wrap):
// the values its rand draws return, and the next ticks it arms, counted by delay.
std::deque<int> scripted;
std::map<unsigned int, int> armed;

// The lower left of a frame as the banner's text alone, in its place, shows it.
std::vector<bool> bannerText;

// Set while scripts play.
bool playing = false;
} // namespace

extern "C" int __real_rand();
extern "C" int __wrap_rand()
{
    if (scripted.empty())
        return __real_rand();
    const int value = scripted.front();
    scripted.pop_front();
    return value;
}

// The tests call update themselves, so the ticks it arms are only counted.
extern "C" void __wrap_glutTimerFunc(unsigned int ms, void (* /*callback*/)(int), int /*value*/)
{
    ++armed[ms];
}

namespace
{
// Where the lower left of the last frame shows green: at level 1 only the banner's text has any.
std::vector<bool> greenCorner()
{
    std::vector<unsigned char> green(width / 2 * height / 6);
    glReadPixels(0, 0, width / 2, height / 6, GL_GREEN, GL_UNSIGNED_BYTE, green.data());
    return {green.begin(), green.end()};
}

void openWindow()
{
    int argc = 1;
    char name[] = "tarnvik_tests", *argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutCreateWindow(name);
    initRendering();
    handleResize(width, height);
    // The banner as it should read, from its anchor 4 left of, 3 below and 2 ahead of the eye
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRasterPos3i(-4, -3, -2);
    glutBitmapString(
        GLUT_BITMAP_HELVETICA_18,
        reinterpret_cast<const unsigned char*>("Quorvel Software - Tarnvik 2.0 - www.quorvel.com"));
    bannerText = greenCorner();
    // An exit in the middle of a script fails the test, whatever status the game chose: with
    // status 0 the test would pass
    std::atexit(
        []
        {
            if (playing)
                std::_Exit(1);
        });
}

// The numbers of a word, after its = and between commas.
std::vector<float> numbersIn(std::string word)
{
    std::replace(word.begin(), word.end(), ',', ' ');
    std::istringstream numbers(word.substr(word.find('=') + 1));
    return {std::istream_iterator<float>(numbers), {}};
}

// The colour where the eye sees a world point X,Y,Z through a 120 degree view of the window's
// height: the world moved by (yonx, kamerayukseklik, yony), seen looking down -z.
void expectSeen(const std::string& word, const std::string& script)
{
    const std::vector<float> p = numbersIn(word);
    const double focal = height / 2.0 / std::tan(M_PI / 3.0), z = p[2] + yony;
    unsigned char rgb[3] = {};
    glReadPixels(static_cast<int>(width / 2.0 - focal * (p[0] + yonx) / z),
                 static_cast<int>(height / 2.0 - focal * (p[1] + kamerayukseklik) / z), 1, 1,
                 GL_RGB, GL_UNSIGNED_BYTE, rgb);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(rgb[i], p[3 + i], 3) << script << " at " << word;
}

// The game in the words of the checks, each between spaces. The banner is 1 where it reads as it
// should, 0 where there is none.
std::string state()
{
    const std::vector<bool> corner = greenCorner();
    const bool none = std::count(corner.begin(), corner.end(), true) == 0;
    std::ostringstream out;
    out << " x=" << yonx << " y=" << yony << " height=" << kamerayukseklik << " angle=" << _angle
        << " over=" << gameover << " won=" << kazandi << " spin=" << animate << " jump=" << zipla
        << " level=" << level << " bitis=" << bitis << " balls=" << kactopvar << " held=" << ileri
        << geri << sola << saga << " banner="
        << (corner == bannerText ? "1"
            : none               ? "0"
                                 : "?");
    for (int slot = 1; slot <= kactopvar; ++slot)
        out << " ball" << slot << '=' << topuzaklik[slot] << ',' << topsagsol[slot] << ','
            << topbuyukluk[slot];
    for (const auto& [ms, ticks] : armed)
        out << " armed=" << ticks << 'x' << ms;
    return out.str() + ' ';
}

// The word shows whole, or as the first numbers of a list.
void check(const std::string& word, const std::string& script)
{
    const std::string shown = state();
    EXPECT_TRUE(shown.find(' ' + word + ' ') != std::string::npos ||
                shown.find(' ' + word + ',') != std::string::npos)
        << script << " at ?" << word << ":" << shown;
}

// A new game at the level, no arrow held, its first frame drawn.
void newGame(int lvl)
{
    ileri = geri = saga = sola = false;
    level = lvl;
    YeniOyun();
    drawScene();
}

void playWord(const std::string& word)
{
    const int arrows[] = {GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_F1};
    if (word[0] == '+' || word[0] == '-')
        return (word[0] == '+' ? processSpecialKeys
                               : keyUp)(arrows[std::string("UDLRF").find(word[1])], 0, 0);
    const std::string name = word.substr(0, word.find('='));
    std::vector<float> n = numbersIn(word);
    const std::deque<int> draws(n.begin(), n.end());
    n.resize(4);
    const int first = static_cast<int>(n[0]);
    const auto key = static_cast<unsigned char>(draws.empty() ? word.back() : first);
    const std::map<std::string, std::function<void()>> words = {
        {"rand", [&] { scripted = draws; }},
        {"game", [&] { newGame(first); }},
        {"x", [&] { yonx = n[0]; }},
        {"y", [&] { yony = n[0]; }},
        {"height", [&] { kamerayukseklik = n[0]; }},
        {"angle", [&] { _angle = n[0]; }},
        {"bitis", [&] { bitis = first; }},
        {"balls", [&] { kactopvar = first; }},
        {"ball",
         [&]
         {
             topuzaklik[first] = static_cast<int>(n[1]);
             topsagsol[first] = n[2];
             topbuyukluk[first] = n[3];
         }},
        {"key", [&] { handleKeypress(key, 0, 0); }},
        {"ticks",
         [&]
         {
             armed.clear(); // ?armed= counts the ticks of this word alone
             for (int tick = 0; tick < first; ++tick)
                 update(0);
         }},
        {"leave", [] { handleEntry(GLUT_LEFT); }},
        {"enter", [] { handleEntry(GLUT_ENTERED); }},
        {"normal", [&] { glNormal3f(n[0], n[1], n[2]); }},
        {"frame", drawScene},
        {"size", [&] { handleResize(first, static_cast<int>(n[1])); }}};
    const auto action = words.find(name);
    if (action == words.end())
        ADD_FAILURE() << "no script word " << word;
    else
        action->second();
}
} // namespace

void play(std::initializer_list<std::string> scripts)
{
    [[maybe_unused]] static const bool opened = (openWindow(), true);
    playing = true;
    for (const std::string& script : scripts)
    {
        scripted.clear();
        if (script.rfind("game=", 0) != 0)
            newGame(1);
        std::istringstream words(script);
        for (std::string word; words >> word;)
            if (word.rfind("?see=", 0) == 0)
                expectSeen(word, script);
            else if (word[0] == '?')
                check(word.substr(1), script);
            else
                playWord(word);
    }
    playing = false;
}
