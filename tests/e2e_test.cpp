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

static xdo_t* const xdo = xdo_new(nullptr);
static Display* const display = xdo->xdpy;
static Screen* const screen = DefaultScreenOfDisplay(display);

// Polls for up to two minutes, ample on a loaded machine.
static bool eventually(const std::function<bool()>& condition)
{
    for (int poll = 0; poll < 6000;
         ++poll, std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        if (condition())
            return true;
    return false;
}

// Starts a shell command that dies with the test, whatever becomes of the test.
static pid_t spawn(const std::string& command)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 ||
              execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), nullptr) != 0);
    return pid;
}

static std::vector<long> property(Window window, const char* name)
{
    long *values = nullptr, count = 0;
    xdo_get_window_property(xdo, window, name, reinterpret_cast<unsigned char**>(&values), &count,
                            nullptr, nullptr);
    std::vector<long> list(values, values + (values ? count : 0));
    XFree(values);
    return list;
}

// The one window titled Quorvel Software once the window manager has framed it, or none if there
// are more or none.
static Window gameWindow()
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

// The lower quarter of the screen: at the start of level 1 the
// banner and the walls near the player, and no ball but one about to hit.
static std::vector<char> nearView()
{
    const int top = screen->height * 3 / 4;
    XImage* image = XGetImage(display, screen->root, 0, top, screen->width, screen->height - top,
                              AllPlanes, ZPixmap);
    std::vector<char> view(image->data,
                           image->data + ptrdiff_t{image->bytes_per_line} * image->height);
    XDestroyImage(image);
    return view;
}

static pid_t game = 0;
static Window window = 0;
static std::vector<char> desktop, start; // the view before the game, its first view once still

// Whether the game's window is up, its view drawn over the desktop and the same as the last time
// asked.
static bool startShown()
{
    const std::vector<char> before = std::exchange(start, nearView());
    return (window = gameWindow()) && start == before && start != desktop;
}

// openbox, managing the screen in place of any window manager before it (one of an earlier test
// may have died and left its check window named on the root, which freeglut would ask for and
// fail), then the game as built, or the one TARNVIK_EXE names, under
// TARNVIK_LAUNCHER if that is set; its arguments change nothing.
static void startGame()
{
    const std::vector<long> before = property(screen->root, "_NET_SUPPORTING_WM_CHECK");
    spawn("openbox --replace --sm-disable");
    const auto managed = [&]
    {
        const std::vector<long> check = property(screen->root, "_NET_SUPPORTING_WM_CHECK");
        return !check.empty() && check != before;
    };
    EXPECT_TRUE(eventually(managed)) << "openbox does not start";
    desktop = nearView();
    game = spawn("$TARNVIK_LAUNCHER \"${TARNVIK_EXE:-" TARNVIK_EXE "}\" --level 9 extra");
    EXPECT_TRUE(eventually(startShown))
        << "no one window titled Quorvel Software showing the start of a game";
}

static bool atStart()
{
    return nearView() == start;
}

// Holds a key until the view leaves the start or comes back to it, then lets go.
static bool hold(const char* name, bool untilStart)
{
    xdo_send_keysequence_window_down(xdo, CURRENTWINDOW, name, 0);
    const bool reached = eventually([&] { return atStart() == untilStart; });
    xdo_send_keysequence_window_up(xdo, CURRENTWINDOW, name, 0);
    return reached;
}

static bool quitsWithZero()
{
    int status = -1;
    return eventually([&] { return waitpid(game, &status, WNOHANG) == game; }) && status == 0;
}

// One full-screen window, titled, without frame or pointer. Down walks back to the start and stops
// there, unless a released Up walks on against it: also when Up is let go under another window. A
// jump leaves the start for 22 ticks, once. openbox's close and Escape both quit with status 0.
TEST(EndToEnd, AFullScreenGameWithoutPointerTakesHeldKeysUntilReleasedAndQuitsWithZero)
{
    startGame();
    const long fullScreen = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", 0));
    EXPECT_EQ(property(window, "_NET_WM_STATE"), std::vector<long>{fullScreen});
    EXPECT_EQ(property(window, "_NET_FRAME_EXTENTS"), std::vector<long>(4, 0));
    XWindowAttributes shown{};
    XGetWindowAttributes(display, window, &shown);
    EXPECT_EQ(std::tie(shown.width, shown.height), std::tie(screen->width, screen->height));
    xdo_move_mouse(xdo, screen->width / 2, screen->height / 2, 0);
    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    unsigned long* end = cursor->pixels + ptrdiff_t{cursor->width} * cursor->height;
    EXPECT_EQ(std::count_if(cursor->pixels, end, [](unsigned long argb) { return argb >> 24; }), 0)
        << "a pointer shows over the game";
    XFree(cursor);

    EXPECT_TRUE(hold("Up", false));
    EXPECT_TRUE(hold("Down", true)) << "the up arrow still walks";
    xdo_send_keysequence_window_down(xdo, CURRENTWINDOW, "space", 0);
    ASSERT_TRUE(eventually([] { return !atStart(); })) << "no jump";
    ASSERT_TRUE(eventually(atStart)) << "no landing";
    const auto landed = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < landed + std::chrono::seconds(1))
        ASSERT_TRUE(atStart()) << "a held space bar jumped again";
    xdo_send_keysequence_window_up(xdo, CURRENTWINDOW, "space", 0);
    xdo_send_keysequence_window(xdo, CURRENTWINDOW, "alt+F4", 0); // openbox closes the window
    EXPECT_TRUE(quitsWithZero());

    startGame();
    xdo_send_keysequence_window_down(xdo, CURRENTWINDOW, "Up", 0);
    ASSERT_TRUE(eventually([] { return !atStart(); }));
    const Window other = XCreateSimpleWindow(display, screen->root, 0, 0, 100, 100, 0, 0, 0);
    const Atom maximized[] = {XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                              XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
    XChangeProperty(display, other, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(maximized), 2);
    XMapRaised(display, other);
    ASSERT_EQ(xdo_wait_for_window_active(xdo, other, 1), 0);
    xdo_send_keysequence_window_up(xdo, CURRENTWINDOW, "Up", 0);
    XDestroyWindow(display, other);
    ASSERT_EQ(xdo_wait_for_window_active(xdo, window, 1), 0);
    EXPECT_TRUE(hold("Down", true)) << "the up arrow still walks";

    xdo_send_keysequence_window(xdo, CURRENTWINDOW, "Escape", 0);
    EXPECT_TRUE(quitsWithZero());
}
