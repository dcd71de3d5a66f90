// The real program on a desktop run by openbox under the tests' X server, driven by real key
// events through libxdo and watched through the screen, as a player would see it.
#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool, Status) clash with its templates
extern "C"
{
#include <xdo.h>
}
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

static xdo_t* const xdo = xdo_new(nullptr);
static Display* const display = xdo->xdpy;
static Screen* const screen = DefaultScreenOfDisplay(display);
// A window may go between being listed and being read: reading it then finds nothing.
[[maybe_unused]] static const XErrorHandler ignoreErrors =
    XSetErrorHandler([](Display* /*display*/, XErrorEvent* /*error*/) { return 0; });

// Polls for up to half a minute, ample for the game under valgrind on a loaded machine, or as long
// as asked.
static bool eventually(const std::function<bool()>& condition, int seconds = 30)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (; !condition(); std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        if (std::chrono::steady_clock::now() > end)
            return false;
    return true;
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

// openbox, in place of any window manager before it. On its first start on a machine it names its
// check window on the root, then builds its font cache and loses the map requests of that time: it
// is ready once it frames a window, so probes are mapped afresh until one is framed.
static bool startWindowManager()
{
    spawn("openbox --replace --sm-disable");
    const auto probeFramed = []
    {
        const Window probe = XCreateSimpleWindow(display, screen->root, 0, 0, 10, 10, 0, 0, 0);
        XMapWindow(display, probe);
        const bool framed =
            eventually([&] { return !property(probe, "_NET_FRAME_EXTENTS").empty(); }, 1);
        XDestroyWindow(display, probe);
        return framed;
    };
    return eventually(probeFramed, 60);
}

// The one window titled Quorvel Software once the window manager has framed it, or none if there
// are more or none. (libxdo's search frees a name it never got when a window goes during its walk.)
static Window gameWindow()
{
    std::vector<Window> titled;
    for (const long client : property(screen->root, "_NET_CLIENT_LIST"))
    {
        char* name = nullptr;
        if (XFetchName(display, client, &name) && name == std::string("Quorvel Software") &&
            !property(client, "_NET_FRAME_EXTENTS").empty())
            titled.push_back(client);
        XFree(name);
    }
    return titled.size() == 1 ? titled[0] : 0;
}

// Column and row, from the top left, where the starting eye at (0, 0, 100) sees a world point
// through a 120 degree view of the screen's height.
static std::array<int, 2> pixelOf(float x, float y, float z)
{
    const double focal = screen->height / 2.0 / std::tan(M_PI / 3.0), depth = 100.0 - z;
    return {static_cast<int>(screen->width / 2.0 + focal * x / depth),
            screen->height - 1 - static_cast<int>(screen->height / 2.0 + focal * y / depth)};
}

// The level-1 start as the game lights it, its five wall probes first. The walls, lit through their
// own normals, look the same in every frame; from the second frame on the floor, the banner and the
// markers keep the downward normal of the last wall face (freeglut draws spheres and tori from
// arrays, which leave the current normal as it was), so the ambient light alone shows them.
const std::tuple<float, float, float, unsigned long> startProbes[] = {
    {-10, -2, 90, 0xffffff},   // wall tops under the overhead light
    {10, -2, 90, 0xffffff},    //
    {-9.5f, -3, 90, 0x3f3f3f}, // the left wall's inner side: a glance of the point light
    {9.5f, -3, 90, 0xa7a7a7},  // the right wall's inner side, facing the side light
    {11, -2, 90, 0x000000},    // nothing past the wall
    {0, -4, 97, 0x330000},     // the red floor
    {6, -4, 88, 0x330000},     //
    {0, -3.9f, 77, 0x000033}}; // the first marker

// Whether the screen shows the level-1 start as a player should see it, or only its walls, as its
// every frame does. The banner shows only on the start line, on the ground, so the whole start is
// also where a step or a jump shows.
static bool atStart(bool wallsOnly = false)
{
    XImage* shown =
        XGetImage(display, screen->root, 0, 0, screen->width, screen->height, AllPlanes, ZPixmap);
    bool start = shown != nullptr;
    for (std::size_t i = 0; start && i < (wallsOnly ? 5 : std::size(startProbes)); ++i)
    {
        const auto& [x, y, z, rgb] = startProbes[i];
        const auto [column, row] = pixelOf(x, y, z);
        // Within 3 in each channel, as two renderings of the same scene may differ
        for (int shift = 0; shift < 24; shift += 8)
            start = start && std::abs(int(XGetPixel(shown, column, row) >> shift & 255) -
                                      int(rgb >> shift & 255)) <= 3;
    }
    // The banner's ink, white in the ambient light alone, in Helvetica 18: 425 columns from just
    // right of its anchor, from 13 rows above its baseline to 4 below
    const auto [left, baseline] = pixelOf(-4, -3, 98);
    std::array<int, 4> ink = {screen->width, screen->height, 0, 0}; // left top right bottom
    for (int row = screen->height * 7 / 8; start && !wallsOnly && row < screen->height; ++row)
        for (int column = 0; column < screen->width / 2; ++column)
            if (XGetPixel(shown, column, row) == 0x333333)
                ink = {std::min(ink[0], column), std::min(ink[1], row), std::max(ink[2], column),
                       std::max(ink[3], row)};
    if (shown)
        XDestroyImage(shown);
    return start &&
           (wallsOnly || ink == std::array{left + 1, baseline - 13, left + 425, baseline + 4});
}

static pid_t game = 0;
static int status = -1; // how the game ended: 0 for an exit with status 0
static Window window = 0;

static bool running()
{
    if (game != 0 && waitpid(game, &status, WNOHANG) == game)
        game = 0;
    return game != 0;
}

// The game as built, or the one TARNVIK_EXE names, under TARNVIK_LAUNCHER if that is set; its
// arguments change nothing. Its first view, once drawn, is the level-1 start.
static void startGame()
{
    static const bool managing = startWindowManager();
    ASSERT_TRUE(managing) << "openbox frames no window";
    game = spawn("$TARNVIK_LAUNCHER \"${TARNVIK_EXE:-" TARNVIK_EXE "}\" --level 9 extra");
    // Ample for a first frame under valgrind on a machine where nothing ran before, which waits
    // for Mesa to compile its shaders
    ASSERT_TRUE(
        eventually([] { return !running() || ((window = gameWindow()) && atStart(true)); }, 300) &&
        running())
        << (running() ? "no one framed window titled Quorvel Software showing the start's walls"
                      : "the game ended, wait status " + std::to_string(status));
    ASSERT_TRUE(eventually([] { return atStart(); })) << "the game's view is not the level-1 start";
}

// Holds a key until the view leaves the start or comes back to it, then lets go.
static bool hold(const char* name, bool untilStart)
{
    xdo_send_keysequence_window_down(xdo, CURRENTWINDOW, name, 0);
    const bool reached = eventually([&] { return atStart() == untilStart; });
    xdo_send_keysequence_window_up(xdo, CURRENTWINDOW, name, 0);
    return reached;
}

// One full-screen window, titled, on a double-buffered visual, with no pointer, showing
// the level-1 start. Down walks back to the start and stops there, unless a released Up walks on
// against it: also when Up is let go under another window. A jump leaves the start for 22 ticks,
// once. openbox's close and Escape both quit with status 0.
TEST(EndToEnd, AFullScreenGameWithoutPointerTakesHeldKeysUntilReleasedAndQuitsWithZero)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    XWindowAttributes shown{};
    XGetWindowAttributes(display, window, &shown);
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(shown.visual);
    int count = 0, doubled = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubled);
    XFree(visual);
    EXPECT_TRUE(doubled) << "a single-buffered window";
    xdo_move_mouse(xdo, screen->width / 2, screen->height / 2, 0);
    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    unsigned long* end = cursor->pixels + ptrdiff_t{cursor->width} * cursor->height;
    EXPECT_EQ(std::count_if(cursor->pixels, end, [](unsigned long argb) { return argb >> 24; }), 0)
        << "a pointer shows over the game";
    XFree(cursor);

    ASSERT_TRUE(hold("Up", false)) << "the up arrow does not walk";
    ASSERT_TRUE(hold("Down", true)) << "the up arrow still walks";
    xdo_send_keysequence_window_down(xdo, CURRENTWINDOW, "space", 0);
    ASSERT_TRUE(eventually([] { return !atStart(); })) << "no jump";
    ASSERT_TRUE(eventually([] { return atStart(); })) << "no landing";
    const auto landed = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < landed + std::chrono::seconds(1))
        ASSERT_TRUE(atStart()) << "a held space bar jumped again";
    xdo_send_keysequence_window_up(xdo, CURRENTWINDOW, "space", 0);
    xdo_send_keysequence_window(xdo, CURRENTWINDOW, "alt+F4", 0); // openbox closes the window
    EXPECT_TRUE(eventually([] { return !running(); }) && status == 0);

    ASSERT_NO_FATAL_FAILURE(startGame());
    xdo_send_keysequence_window_down(xdo, CURRENTWINDOW, "Up", 0);
    ASSERT_TRUE(eventually([] { return !atStart(); }));
    const Window other =
        XCreateSimpleWindow(display, screen->root, 0, 0, screen->width, screen->height, 0, 0, 0);
    const auto active = [](Window candidate)
    { return property(screen->root, "_NET_ACTIVE_WINDOW") == std::vector<long>{long(candidate)}; };
    XMapRaised(display, other);
    ASSERT_TRUE(eventually([&] { return active(other); }));
    xdo_send_keysequence_window_up(xdo, CURRENTWINDOW, "Up", 0);
    XDestroyWindow(display, other);
    ASSERT_TRUE(eventually([&] { return active(window); }));
    EXPECT_TRUE(hold("Down", true)) << "the up arrow still walks";

    xdo_send_keysequence_window(xdo, CURRENTWINDOW, "Escape", 0);
    EXPECT_TRUE(eventually([] { return !running(); }) && status == 0);
}
