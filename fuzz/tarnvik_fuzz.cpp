// Turns bytes into what a player and a window system can do to the game (ticks, frames,
// character keys but Escape, arrows down and up, the pointer crossing the window's edge, sizes of
// any kind) and checks after each that the game keeps to its rules.
#include "game.h"
#include "play.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

// The ranges that hold while a game is played. A game over stands still where it ended, and one
// that 'z' resumed from the end view plays on from there, its spin running.
static bool inRange()
{
    const auto whole = [](float v, float bound)
    { return v == std::floor(v) && std::fabs(v) <= bound; };
    bool ok = whole(yonx, 8) && whole(yony, 1e6f) && yony >= -100 && _angle == 0.0f &&
              whole(2 * kamerayukseklik, 11) && kamerayukseklik <= 0 &&
              (!zipla || (ziplamasuresi >= 0 && ziplamasuresi <= 21));
    for (int slot = 1; slot <= kactopvar; ++slot)
        ok = ok && (topbuyukluk[slot] == 1.5f || topbuyukluk[slot] == 2.5f) &&
             whole(topsagsol[slot], topbuyukluk[slot] == 1.5f ? 8 : 7);
    return ok || gameover || animate;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    play("size=64x48 game=" +
         std::to_string(in.ConsumeBool() ? 250 : in.ConsumeIntegralInRange(1, 12)));
    while (in.remaining_bytes() > 0)
    {
        const int n = in.ConsumeIntegralInRange(0, 255), choice = in.ConsumeIntegralInRange(0, 7);
        // Escape, 27, ends the process, as it should
        const std::string arrow(1, "UDLRF"[n % 5]), number = std::to_string(n == 27 ? 0 : n);
        const std::string words[] = {
            "ticks=" + number,
            "frame",
            "key=" + number,
            "+" + arrow,
            "-" + arrow,
            "leave",
            "enter",
            "size=" + number + "x" + std::to_string(in.ConsumeIntegral<std::int16_t>())};
        play(words[choice]);
        if (!inRange() || (words[choice] == "leave" && (ileri || geri || saga || sola)))
            std::abort(); // out of the rules, or an arrow still held after the pointer left
    }
    return 0;
}
