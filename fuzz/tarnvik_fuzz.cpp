// Turns bytes into what a player and a window system can do to the game (ticks, frames,
// character keys but Escape, special keys down and up, the pointer crossing the window's edge,
// and sizes of any kind) and checks after each that the game keeps to its rules.
#include "controls.h"
#include "game.h"
#include "play.h"
#include "render.h"

#include <GL/freeglut.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

namespace
{
bool wholeWithin(float value, float low, float high)
{
    return value == std::floor(value) && value >= low && value <= high;
}

// The ranges that hold while a game is played. A game over stands still where it ended, and one
// that 'z' resumed from the end view plays on from there, its spin running.
bool inRange()
{
    bool ok = wholeWithin(yonx, -8, 8) && wholeWithin(yony, -100, 1e6f) && _angle == 0.0f &&
              (kamerayukseklik == 0.0f || wholeWithin(2 * kamerayukseklik, -11, -1)) &&
              (!zipla || (ziplamasuresi >= 0 && ziplamasuresi <= 21));
    for (int slot = 1; slot <= kactopvar; ++slot)
    {
        const float radius = topbuyukluk[slot], side = radius == 1.5f ? 8.0f : 7.0f;
        ok = ok && (radius == 1.5f || radius == 2.5f) && wholeWithin(topsagsol[slot], -side, side);
    }
    return ok || gameover || animate;
}

void apply(FuzzedDataProvider& in)
{
    const int choice = in.ConsumeIntegralInRange(0, 7), value = in.ConsumeIntegral<int>();
    if (choice == 0) // a stretch of play, to reach far down the track
        for (int ticks = value & 0xff; ticks >= 0; --ticks)
            playTick();
    if (choice == 1)
        drawScene();
    if (choice == 2 && (value & 0xff) != 27) // Escape ends the process, as it should
        handleKeypress(static_cast<unsigned char>(value), 0, 0);
    if (choice == 3 || choice == 4) // special keys of any code, arrows the most
        (choice == 3 ? processSpecialKeys : keyUp)(value < 0 ? GLUT_KEY_LEFT - value % 4 : value, 0,
                                                   0);
    if (choice == 5)
        handleResize(value, in.ConsumeIntegral<int>());
    if (choice >= 6)
        handleEntry(choice == 6 ? GLUT_LEFT : value);
    if (choice == 6 && (ileri || geri || saga || sola))
        std::abort(); // an arrow still held after the pointer left
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    openWindow(64, 48);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    ileri = geri = saga = sola = false;
    level = in.ConsumeBool() ? 250 : in.ConsumeIntegralInRange(1, 12);
    YeniOyun();
    while (in.remaining_bytes() > 0)
    {
        apply(in);
        if (!inRange())
            std::abort();
    }
    return 0;
}
