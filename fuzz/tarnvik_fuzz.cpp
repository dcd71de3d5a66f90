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
bool whole(float value, float bound)
{
    return value == std::floor(value) && std::fabs(value) <= bound;
}

// The ranges that hold while a game is played. A game over stands still where it ended, and one
// that 'z' resumed from the end view plays on from there, its spin running.
bool inRange()
{
    bool ok = whole(yonx, 8) && whole(yony, 1e6f) && yony >= -100 && _angle == 0.0f &&
              whole(2 * kamerayukseklik, 11) && kamerayukseklik <= 0 &&
              (!zipla || (ziplamasuresi >= 0 && ziplamasuresi <= 21));
    for (int slot = 1; slot <= kactopvar; ++slot)
        ok = ok && (topbuyukluk[slot] == 1.5f || topbuyukluk[slot] == 2.5f) &&
             whole(topsagsol[slot], topbuyukluk[slot] == 1.5f ? 8 : 7);
    return ok || gameover || animate;
}

void apply(FuzzedDataProvider& in)
{
    const int choice = in.ConsumeIntegralInRange(0, 7), value = in.ConsumeIntegral<int>();
    for (int ticks = value & 0xff; choice == 0 && ticks >= 0; --ticks) // far down the track
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
        if (apply(in), !inRange())
            std::abort();
    return 0;
}
