// The real game under the tests' X server, driven by synthetic key events and watched through
// screenshots of its window, as a player would see it.
#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool, Status) clash with its templates
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Polls until the condition holds or the machine has had ample time, however loaded.
bool eventually(const std::function<bool()>& condition, milliseconds limit = milliseconds(120000))
{
    const auto deadline = Clock::now() + limit;
    while (!condition())
    {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return true;
}

struct Screenshot
{
    int width = 0, height = 0;
    std::vector<unsigned long> pixels;

    int green(int x, int y) const
    {
        return static_cast<int>((pixels[static_cast<std::size_t>(y) * width + x] >> 8) & 0xff);
    }
    int differingPixels(const Screenshot& other) const
    {
        int count = 0;
        for (std::size_t i = 0; i < pixels.size() && i < other.pixels.size(); ++i)
            count += pixels[i] != other.pixels[i] ? 1 : 0;
        return count;
    }
};

// A window can go away between two requests; the polls simply look again.
int ignoreXError(Display* /*display*/, XErrorEvent* /*error*/)
{
    return 0;
}

class Game
{
  public:
    explicit Game(std::vector<std::string> args = {}) : display(XOpenDisplay(nullptr))
    {
        if (!display)
            throw std::runtime_error("no X display");
        args.insert(args.begin(), TARNVIK_EXE);
        // A launcher such as valgrind goes in front, its words split at spaces
        if (const char* launcher = std::getenv("TARNVIK_LAUNCHER"))
        {
            std::istringstream words(launcher);
            args.insert(args.begin(), std::istream_iterator<std::string>(words),
                        std::istream_iterator<std::string>());
        }
        XSetErrorHandler(ignoreXError);
        pid = fork();
        if (pid == 0)
        {
            prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that failed hard
            std::vector<char*> argv;
            argv.reserve(args.size() + 1);
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        eventually([this] { return (window = findWindow()) != 0; });
    }

    ~Game()
    {
        if (!exited)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        XCloseDisplay(display);
    }

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Display* const display;
    Window window = 0;

    // The windows that bear the game's title.
    std::vector<Window> titled() const
    {
        std::vector<Window> found;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count; ++i)
        {
            char* name = nullptr;
            if (XFetchName(display, children[i], &name) && name)
            {
                if (std::string(name) == "Quorvel Software")
                    found.push_back(children[i]);
                XFree(name);
            }
        }
        XFree(children);
        return found;
    }

    XWindowAttributes attributes() const
    {
        XWindowAttributes a{};
        XGetWindowAttributes(display, window, &a);
        return a;
    }

    // The whole screen, as the player sees it: the window may stand a pixel off the corner,
    // and X reads no image of a window that is not entirely on screen.
    Screenshot screenshot() const
    {
        Screenshot shot;
        if (attributes().map_state != IsViewable)
            return shot;
        const Screen* screen = DefaultScreenOfDisplay(display);
        XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0,
                                  static_cast<unsigned>(screen->width),
                                  static_cast<unsigned>(screen->height), AllPlanes, ZPixmap);
        if (!image)
            return shot;
        shot.width = screen->width;
        shot.height = screen->height;
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x)
                shot.pixels.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return shot;
    }

    void key(KeySym symbol, bool down) const
    {
        XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), down ? True : False, 0);
        XFlush(display);
    }

    void tap(KeySym symbol) const
    {
        key(symbol, true);
        key(symbol, false);
    }

    // Sends what a window manager sends when the user closes the window.
    void close() const
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }

    // The exit status, or -1 if the game is still running at the limit or ended otherwise.
    int exitStatus()
    {
        int status = 0;
        const bool ended = eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; });
        exited = ended;
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid = 0;
    bool exited = false;

    Window findWindow() const
    {
        const std::vector<Window> found = titled();
        return found.empty() ? 0 : found.front();
    }
};

// The banner's glyphs in the lower left of the start view: a pixel mask taken from a frame
// that shows it. In that band the level-1 floor is pure red, so any green marks something else.
class Banner
{
  public:
    bool learn(const Screenshot& start)
    {
        mask.assign(start.pixels.size(), false);
        int glyphPixels = 0;
        forBand(start,
                [&](int x, int y, std::size_t i)
                {
                    mask[i] = start.green(x, y) > 16;
                    glyphPixels += mask[i] ? 1 : 0;
                });
        return glyphPixels > 300 && glyphPixels < 20000;
    }

    bool shownIn(const Screenshot& shot) const
    {
        if (shot.pixels.size() != mask.size())
            return false;
        int onGlyph = 0, glyph = 0, offGlyph = 0, rest = 0;
        forBand(shot,
                [&](int x, int y, std::size_t i)
                {
                    const bool lit = shot.green(x, y) > 16;
                    (mask[i] ? glyph : rest) += 1;
                    (mask[i] ? onGlyph : offGlyph) += lit ? 1 : 0;
                });
        return onGlyph >= glyph * 95 / 100 && offGlyph <= rest / 100;
    }

  private:
    std::vector<bool> mask;

    template <typename F> static void forBand(const Screenshot& shot, F visit)
    {
        for (int y = shot.height * 4 / 5; y < shot.height; ++y)
            for (int x = 0; x < shot.width / 2; ++x)
                visit(x, y, static_cast<std::size_t>(y) * shot.width + x);
    }
};

class EndToEnd : public testing::Test
{
  protected:
    // Waits for the full-screen start view and learns its banner.
    void waitForStart(Game& game)
    {
        ASSERT_NE(game.window, 0u) << "no window titled Quorvel Software";
        const bool started = eventually(
            [&]
            {
                const XWindowAttributes a = game.attributes();
                return a.map_state == IsViewable && fullScreen(game) &&
                       banner.learn(start = game.screenshot());
            });
        ASSERT_TRUE(started) << "no start view with the banner";
    }

    static bool fullScreen(const Game& game)
    {
        const XWindowAttributes a = game.attributes();
        const Screen* screen = DefaultScreenOfDisplay(game.display);
        // Without a window manager freeglut may leave the window a pixel off the corner
        return std::abs(a.width - screen->width) <= 1 && std::abs(a.height - screen->height) <= 1;
    }

    Banner banner;
    Screenshot start;
};

TEST_F(EndToEnd, OneFullScreenWindowWhateverTheArgumentsAndEscapeQuitsWithStatusZero)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"--level", "9", "extra"}})
    {
        SCOPED_TRACE(args.size());
        Game game(args);
        waitForStart(game);
        EXPECT_EQ(game.titled().size(), 1u);
        game.tap(XK_Escape);
        EXPECT_EQ(game.exitStatus(), 0);
    }
}

TEST_F(EndToEnd, ClosingTheWindowEndsTheGameWithStatusZero)
{
    Game game;
    waitForStart(game);
    game.close();
    EXPECT_EQ(game.exitStatus(), 0);
}

TEST_F(EndToEnd, HoldingUpWalksOffTheStartAndTheBannerGoes)
{
    Game game;
    waitForStart(game);
    game.key(XK_Up, true);
    EXPECT_TRUE(eventually([&] { return !banner.shownIn(game.screenshot()); }));
    game.key(XK_Up, false);
    EXPECT_GT(game.screenshot().differingPixels(start), 1000) << "the view moved";
}

TEST_F(EndToEnd, HoldingSpaceJumpsOnce)
{
    Game game;
    waitForStart(game);
    const auto pressed = Clock::now();
    game.key(XK_space, true);
    ASSERT_TRUE(eventually([&] { return !banner.shownIn(game.screenshot()); })) << "no jump";
    ASSERT_TRUE(eventually([&] { return banner.shownIn(game.screenshot()); })) << "no landing";
    // Past the keyboard's repeat delay, still held, the eye stays on the ground
    const auto landed = Clock::now();
    while (Clock::now() < std::max(pressed + milliseconds(1000), landed + milliseconds(500)))
        ASSERT_TRUE(banner.shownIn(game.screenshot())) << "jumped again";
    game.key(XK_space, false);
}

TEST_F(EndToEnd, AGameLeftAloneIsLostThenSpinsUntilAKeyStartsAgain)
{
    Game game;
    waitForStart(game);
    ASSERT_TRUE(eventually([&] { return !banner.shownIn(game.screenshot()); }))
        << "no ball hit the player standing at the start";
    Screenshot first = game.screenshot();
    Screenshot second;
    EXPECT_TRUE(eventually(
        [&]
        {
            second = game.screenshot();
            return second.differingPixels(first) > 1000;
        }))
        << "the end view does not spin";
    EXPECT_FALSE(banner.shownIn(first));
    EXPECT_FALSE(banner.shownIn(second));
    game.tap(XK_x);
    EXPECT_TRUE(eventually([&] { return banner.shownIn(game.screenshot()); }))
        << "no new game at the start";
}
// Also run under valgrind by CTest: a little of everything a player does, then Escape.
TEST_F(EndToEnd, AShortPlayEndsWithEscapeAndStatusZero)
{
    Game game;
    waitForStart(game);
    const auto hold = [&](KeySym symbol, int ms)
    {
        game.key(symbol, true);
        std::this_thread::sleep_for(milliseconds(ms));
        game.key(symbol, false);
    };
    hold(XK_Up, 600);
    hold(XK_Left, 300);
    game.tap(XK_space);
    hold(XK_Right, 300);
    game.tap(XK_a);
    game.tap(XK_z);
    hold(XK_Down, 300);
    game.tap(XK_x);
    std::this_thread::sleep_for(milliseconds(500));
    game.tap(XK_Escape);
    EXPECT_EQ(game.exitStatus(), 0);
}
} // namespace
