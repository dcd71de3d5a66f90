#include "play.h"

#include "controls.h"
#include "game.h"
#include "render.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>

namespace
{
// One word: its name, then its value, or the numbers that commas or an x part.
void playWord(std::string word)
{
    const std::map<std::string, float*> floats = {
        {"x", &yonx}, {"y", &yony}, {"height", &kamerayukseklik}, {"angle", &_angle}};
    const std::map<std::string, int*> ints = {{"bitis", &bitis}, {"balls", &kactopvar}};
    const int arrows[] = {GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_F1};
    if (word[0] == '+' || word[0] == '-')
        return (word[0] == '+' ? processSpecialKeys
                               : keyUp)(arrows[std::string("UDLRF").find(word[1])], 0, 0);
    const std::string name = word.substr(0, word.find('=')), value = word.substr(name.size());
    std::replace_if(
        word.begin(), word.end(), [](char c) { return c == ',' || c == 'x'; }, ' ');
    std::istringstream numbers(word.substr(std::min(word.size(), name.size() + 1)));
    float a = 0, b = 0, c = 0, d = 0;
    numbers >> a >> b >> c >> d;
    const int n = static_cast<int>(a);
    if (floats.count(name) > 0)
        *floats.at(name) = a;
    if (ints.count(name) > 0)
        *ints.at(name) = n;
    if (name == "game")
        std::tie(ileri, geri, saga, sola, level) = std::make_tuple(false, false, false, false, n);
    if (name == "game" || name == "new")
        YeniOyun();
    if (name == "game")
        drawScene();
    if (name == "ball")
        std::tie(topuzaklik[n], topsagsol[n], topbuyukluk[n]) =
            std::make_tuple(static_cast<int>(b), c, d);
    if (name == "key")
        handleKeypress(static_cast<unsigned char>(value.size() == 2 ? value[1] : n), 0, 0);
    for (int i = 0; i < n && (name == "ticks" || name == "steps"); ++i)
        name == "ticks" ? update(0) : stepBalls();
    if (name == "collide")
        testCollisions();
    if (name == "leave" || name == "enter")
        handleEntry(name == "leave" ? GLUT_LEFT : GLUT_ENTERED);
    if (name == "size")
        handleResize(n, static_cast<int>(b));
    if (name == "frame")
        drawScene();
}
} // namespace

void openWindow(int width, int height)
{
    int argc = 1;
    char name[] = "tarnvik_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutCreateWindow(name);
    initRendering();
    handleResize(width, height);
}

void play(const std::string& script)
{
    std::istringstream words(script);
    for (std::string word; words >> word;)
        playWord(word);
}

std::string state()
{
    int fresh = 0;
    for (int s = 1; s < 1000; ++s)
        fresh +=
            topuzaklik[s] == 0 && topsagsol[s] == 0.0f && topbuyukluk[s] == 1.5f && !topeskimi[s];
    std::ostringstream out;
    out << "x=" << yonx << " y=" << yony << " height=" << kamerayukseklik << " angle=" << _angle
        << " bitis=" << bitis << " balls=" << kactopvar << " over=" << gameover
        << " won=" << kazandi << " spin=" << animate << " jump=" << zipla << " level=" << level
        << " held=" << ileri << geri << sola << saga << " ball1=" << topuzaklik[1]
        << " fresh=" << fresh;
    return out.str();
}

bool shows(const std::string& expected)
{
    std::istringstream in(expected);
    for (std::string word; in >> word;)
        if ((" " + state() + " ").find(" " + word + " ") == std::string::npos)
            return false;
    return true;
}
