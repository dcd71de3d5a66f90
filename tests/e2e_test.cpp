// The real program on a desktop run by openbox under the tests' X server, driven by real key
// events through libxdo and watched through the screen, as a player would see it.
#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool, Status) clash with its templates
extern "C"
{
#include <xdo.h>
}
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
xdo_t* const xdo = xdo_new(nullptr);
Display* const display = xdo->xdpy;
Screen* const screen = DefaultScreenOfDisplay(display);

// Polls for up to two minutes, ample on a loaded machine.
bool eventually(const std::function<bool()>& condition)
{
    for (int poll = 0; poll < 6000 && !condition(); ++poll)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return condition();
}

// Starts a shell command that dies with the test, whatever becomes of the test.
pid_t spawn(const std::string& command)
{
    const pid_t pid = fork();
    if (pid == 0)
    {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), nullptr);
        _exit(127);
    }
    return pid;
}

std::vector<long> property(Window window, const char* name)
{
    long *values = nullptr, count = 0;
    Atom type = 0;
    int size = 0;
    xdo_get_window_property(xdo, window, name, reinterpret_cast<unsigned char**>(&values), &count,
                            &type, &size);
    std::vector<long> list(values, values + (values ? count : 0));
    XFree(values);
    return list;
}

// The one window titled Quorvel Software once the window manager has framed it, or none if there
// are more or none.
Window gameWindow()
{
    xdo_search_t search{};
    search.winname = "^Quorvel Software$";
    search.searchmask = SEARCH_NAME;
    search.max_depth = -1;
    Window* found = nullptr;
    unsigned int count = 0;
    xdo_search_windows(xdo, &search, &found, &count);
    const Window window = count == 1 ? found[0] : 0;
    std::free(found);
    return window && !property(window, "_NET_FRAME_EXTENTS").empty() ? window : 0;
}

// The lower quarter of the screen, black until the game draws: at the start of level 1 the
// banner and the walls near the player, and no ball but one about to hit.
std::vector<char> nearView()
{
    const int top = screen->height * 3 / 4;
    XImage* image = XGetImage(display, screen->root, 0, top, screen->width, screen->height - top,
                              AllPlanes, ZPixmap);
    std::vector<char> view(image->data,
                           image->data + ptrdiff_t{image->bytes_per_line} * image->height);
    XDestroyImage(image);
    return view;
}

// Down or up, to whichever window has the keyboard, as a player's keyboard does it.
void key(const char* name, bool down)
{
    (down ? xdo_send_keysequence_window_down : xdo_send_keysequence_window_up)(xdo, CURRENTWINDOW,
                                                                               name, 0);
}

pid_t game = 0;
Window window = 0;
std::vector<char> start; // the first view the game shows, once still

// openbox, then the game as built, or the one TARNVIK_EXE names, under TARNVIK_LAUNCHER if that
// is set; its arguments change nothing.
void startGame()
{
    spawn("openbox --replace --sm-disable");
    game = spawn("$TARNVIK_LAUNCHER \"${TARNVIK_EXE:-" TARNVIK_EXE "}\" --level 9 extra");
    EXPECT_TRUE(eventually(
        []
        {
            const std::vector<char> before = std::exchange(start, nearView());
            return (window = gameWindow()) && start == before &&
                   std::any_of(start.begin(), start.end(), [](char c) { return c; });
        }))
        << "no one window titled Quorvel Software showing the start of a game";
}

bool atStart()
{
    return nearView() == start;
}

// Holds a key until the view leaves the start or comes back to it, then lets go.
bool hold(const char* name, bool untilStart)
{
    key(name, true);
    const bool reached = eventually([&] { return atStart() == untilStart; });
    key(name, false);
    return reached;
}

int exitStatus()
{
    int status = -1;
    eventually([&] { return waitpid(game, &status, WNOHANG) == game; });
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(EndToEnd, OneFullScreenWindowWithoutFrameOrPointerAndEscapeQuitsWithZero)
{
    startGame();
    const long fullScreen = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", 0));
    EXPECT_EQ(property(window, "_NET_WM_STATE"), std::vector<long>{fullScreen});
    EXPECT_EQ(property(window, "_NET_FRAME_EXTENTS"), std::vector<long>(4, 0));
    unsigned int width = 0, height = 0;
    xdo_get_window_size(xdo, window, &width, &height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(static_cast<unsigned>(screen->width),
                                                            static_cast<unsigned>(screen->height)));
    xdo_move_mouse(xdo, screen->width / 2, screen->height / 2, 0);
    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    unsigned long* end = cursor->pixels + ptrdiff_t{cursor->width} * cursor->height;
    EXPECT_TRUE(
        std::all_of(cursor->pixels, end, [](unsigned long argb) { return argb >> 24 == 0; }))
        << "a pointer shows over the game";
    XFree(cursor);
    xdo_send_keysequence_window(xdo, CURRENTWINDOW, "Escape", 0);
    EXPECT_EQ(exitStatus(), 0);
}

// Down walks back to the start and stops there, unless a released Up walks on against it: also
// when Up is let go under another window. A jump leaves the start for 22 ticks, once.
TEST(EndToEnd, HeldKeysActUntilReleasedHereOrUnderAnotherWindowAndTheWindowManagerCloses)
{
    startGame();
    EXPECT_TRUE(hold("Up", false));
    EXPECT_TRUE(hold("Down", true)) << "the up arrow still walks";
    key("space", true);
    ASSERT_TRUE(eventually([] { return !atStart(); })) << "no jump";
    ASSERT_TRUE(eventually(atStart)) << "no landing";
    const auto landed = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < landed + std::chrono::seconds(1))
        ASSERT_TRUE(atStart()) << "a held space bar jumped again";
    key("space", false);

    key("Up", true);
    ASSERT_TRUE(eventually([] { return !atStart(); }));
    const Window other = XCreateSimpleWindow(display, screen->root, 0, 0, 100, 100, 0, 0, 0);
    const Atom maximized[] = {XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                              XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
    XChangeProperty(display, other, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(maximized), 2);
    XMapRaised(display, other);
    ASSERT_EQ(xdo_wait_for_window_active(xdo, other, 1), 0);
    key("Up", false);
    XDestroyWindow(display, other);
    ASSERT_EQ(xdo_wait_for_window_active(xdo, window, 1), 0);
    EXPECT_TRUE(hold("Down", true)) << "the up arrow still walks";

    xdo_send_keysequence_window(xdo, CURRENTWINDOW, "alt+F4", 0); // openbox closes the window
    EXPECT_EQ(exitStatus(), 0);
}
} // namespace
