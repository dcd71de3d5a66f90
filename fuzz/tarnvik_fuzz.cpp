// Decodes bytes into the events a player and a window system can send the game: ticks, frames,
// character keys (all but Escape, which quits), special keys down and up, and resizes of any
// size, and checks after each event that the game stays inside its rules' ranges.
#include "controls.h"
#include "game.h"
#include "gl_window.h"
#include "render.h"
#include "rule_watch.h"

#include <GL/freeglut.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
class Bytes
{
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data(data), size(size)
    {
    }
    bool empty() const
    {
        return at == size;
    }
    std::uint8_t byte()
    {
        return at < size ? data[at++] : 0;
    }
    int integer()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | byte();
        int result = 0;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

void newGameFromByte(std::uint8_t levelByte)
{
    ileri = geri = saga = sola = false;
    level = levelByte == 255 ? 250 : 1 + levelByte % 12;
    YeniOyun();
}

void keypress(std::uint8_t key)
{
    if (key != 27) // Escape ends the process, as it should
        handleKeypress(key, 0, 0);
}

void apply(Bytes& bytes)
{
    switch (bytes.byte() % 8)
    {
    case 0:
        playTick();
        break;
    case 1:
        drawScene();
        break;
    case 2:
        keypress(bytes.byte());
        break;
    case 3:
        processSpecialKeys(bytes.integer(), 0, 0);
        break;
    case 4:
        keyUp(bytes.integer(), 0, 0);
        break;
    case 5:
    {
        const int width = bytes.integer();
        handleResize(width, bytes.integer());
        break;
    }
    case 6: // a stretch of play, to reach far down the track
        for (int ticks = bytes.byte(); ticks > 0; --ticks)
            playTick();
        break;
    default: // an arrow, the keys that matter most
        processSpecialKeys(GLUT_KEY_LEFT + bytes.byte() % 4, 0, 0);
        break;
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    openTestWindow(64, 48);
    initRendering();
    handleResize(64, 48);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes bytes(data, size);
    newGameFromByte(bytes.byte());
    while (!bytes.empty())
    {
        apply(bytes);
        const std::string violation = ruleViolation();
        if (!violation.empty())
        {
            std::fprintf(stderr, "out of range at level %d: %s\n", level, violation.c_str());
            std::abort();
        }
    }
    return 0;
}
