// Measures the game on this machine's GL: time inside the tick and the frame at several levels
// and views, and the real main loop's tick rate, CPU use and memory against a bare window on
// the same re-armed 25 ms timer. Each loop runs in a fresh process of its own.
//
// The game's calls to glutTimerFunc and glutSwapBuffers are routed through this file by the
// linker (--wrap), so ticks and frames are counted without changing what the game does.
#include "game.h"
#include "game_state.h"
#include "render.h"

#include <GL/freeglut.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

extern "C" void __real_glutTimerFunc(unsigned int ms, void (*callback)(int), int value);
extern "C" void __real_glutSwapBuffers();

// The program's own main, built into this benchmark under another name.
int tarnvikMain(int argc, char** argv);

namespace
{
using Clock = std::chrono::steady_clock;

double nowMs()
{
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

// What the wrappers see of the game.
bool armTimers = true;
long ticks = 0;
long frames = 0;
double firstFrameMs = 0.0;

struct Percentiles
{
    double median, p99;
};

Percentiles percentiles(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q)
    { return samples[static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1))]; };
    return {at(0.5), at(0.99)};
}

void openWindow(const char* title)
{
    int argc = 1;
    char name[] = "tarnvik_bench";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow(title);
    glutFullScreen();
}

// Pumps events until the window covers the screen and has been drawn once.
void waitForFullScreen()
{
    const int width = glutGet(GLUT_SCREEN_WIDTH);
    const double deadline = nowMs() + 10000.0;
    while (glutGet(GLUT_WINDOW_WIDTH) != width && nowMs() < deadline)
        glutMainLoopEvent();
    for (int i = 0; i < 20; ++i)
        glutMainLoopEvent();
}

void noDisplay()
{
}

void bareFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    __real_glutSwapBuffers();
}

enum class View
{
    start,
    halfway,
    end
};

const char* viewName(View view)
{
    return view == View::start ? "start" : view == View::halfway ? "halfway" : "end view";
}

// A game in mid-play at the level: every ball placed and rolling, the eye where the view says.
GameState midPlay(int lvl, View view)
{
    newGameWithBallsPlaced(lvl);
    for (int i = 0; i < 60; ++i)
        stepBalls();
    if (view == View::halfway)
        yony = static_cast<float>(bitis - 100) / 2.0f;
    if (view == View::end)
    {
        gameover = animate = true;
        kamerayukseklik = -50.0f;
        yonx = 0.0f;
        yony = -50.0f;
        _angle = 45.0f;
    }
    return GameState::capture();
}

// Scene frames and bare frames (clear and swap) in turn, so that both meet the same machine.
// The first few of each go untimed while Mesa compiles code for the new GL state.
struct FrameTimes
{
    std::vector<double> scene, bare;
};

FrameTimes alternateFrames(int samples, FrameTimes& allBare)
{
    FrameTimes times;
    for (int i = -30; i < samples; ++i)
    {
        double start = nowMs();
        drawScene();
        glFinish();
        const double scene = nowMs() - start;
        start = nowMs();
        bareFrame();
        glFinish();
        const double bare = nowMs() - start;
        if (i < 0)
            continue;
        times.scene.push_back(scene);
        times.bare.push_back(bare);
        allBare.bare.push_back(bare);
    }
    return times;
}

std::vector<double> updateTimes(const GameState& moment, int samples)
{
    std::vector<double> ms;
    for (int i = 0; i < samples; ++i)
    {
        moment.restore();
        const double start = nowMs();
        update(0);
        ms.push_back(nowMs() - start);
    }
    moment.restore();
    return ms;
}

// One table row per level and view: update in microseconds, frames in milliseconds.
void measureFrames()
{
    openWindow("tarnvik bench");
    glutDisplayFunc(noDisplay);
    waitForFullScreen();
    initRendering();
    const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    handleResize(width, height);
    armTimers = false;
    std::printf("screen %dx%d\nrenderer %s\n", width, height,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    FrameTimes allBare;
    for (const int lvl : {1, 2, 6, 10})
    {
        for (const View view : {View::start, View::halfway, View::end})
        {
            const GameState moment = midPlay(lvl, view);
            const Percentiles tick = percentiles(updateTimes(moment, 2000));
            const FrameTimes frames = alternateFrames(300, allBare);
            const Percentiles scene = percentiles(frames.scene);
            std::printf("row %d %s|%.3f %.3f %.3f %.3f %.3f\n", lvl, viewName(view),
                        tick.median * 1000.0, tick.p99 * 1000.0, scene.median, scene.p99,
                        percentiles(frames.bare).median);
        }
    }
    const Percentiles bare = percentiles(allBare.bare);
    std::printf("bare %.3f %.3f\n", bare.median, bare.p99);
}

double startedMs = 0.0;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Where the measured stretch of the main loop begins: ticks, frames, wall and CPU time.
long ticksAtStart = 0, framesAtStart = 0;
double loopStartMs = 0.0, cpuAtStart = 0.0;

const unsigned int loopMs = 10000;

void reportLoop(int /*value*/)
{
    const double seconds = (nowMs() - loopStartMs) / 1000.0;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "loop %.2f %.3f %.1f %.1f %.2f\n", static_cast<double>(ticks - ticksAtStart) / seconds,
        (cpuSeconds() - cpuAtStart) / seconds, static_cast<double>(usage.ru_maxrss) / 1024.0,
        firstFrameMs, static_cast<double>(frames - framesAtStart) / seconds);
    std::fflush(stdout);
    std::_Exit(0);
}

// Once the first frame is up, ten seconds of the loop are measured.
void startMeasuring(int /*value*/)
{
    ticksAtStart = ticks;
    framesAtStart = frames;
    loopStartMs = nowMs();
    cpuAtStart = cpuSeconds();
    __real_glutTimerFunc(loopMs, reportLoop, 0);
}

const unsigned int settleMs = 1000;

int gameLevel = 1;
// Called when the program arms its first tick, just before it enters the main loop.
void (*onFirstTimer)() = nullptr;

void startGameAtLevel()
{
    if (level != gameLevel)
    {
        level = gameLevel;
        YeniOyun();
    }
    __real_glutTimerFunc(settleMs, startMeasuring, 0);
}

// The program exactly as it starts, switched to the level before its first tick, then ten
// seconds of its main loop.
void gameLoop(int lvl)
{
    gameLevel = lvl;
    onFirstTimer = startGameAtLevel;
    char name[] = "tarnvik";
    char* argv[] = {name, nullptr};
    tarnvikMain(1, argv);
}

void bareTick(int /*value*/)
{
    ++ticks;
    glutPostRedisplay();
    __real_glutTimerFunc(tickMs, bareTick, 0);
}

void bareLoop()
{
    openWindow("bare");
    glutDisplayFunc(
        []
        {
            bareFrame();
            if (frames++ == 0)
                firstFrameMs = nowMs() - startedMs;
        });
    __real_glutTimerFunc(tickMs, bareTick, 0);
    __real_glutTimerFunc(settleMs, startMeasuring, 0);
    glutMainLoop();
}

struct Loop
{
    double ticksPerSecond = 0, cpuPerSecond = 0, peakMb = 0, firstFrameMs = 0, framesPerSecond = 0;
};

// Runs one mode of this program in a process of its own, with the environment given, and hands
// back what it printed.
std::vector<std::string> runChild(const char* self, const std::string& mode,
                                  const std::string& environment = "")
{
    const std::string command =
        environment + " '" + self + "' --child " + mode + " " + std::to_string(nowMs());
    std::vector<std::string> lines;
    FILE* child = popen(command.c_str(), "r");
    char line[512];
    while (child && std::fgets(line, sizeof line, child))
        lines.emplace_back(line, std::strcspn(line, "\n"));
    if (child)
        pclose(child);
    return lines;
}

Loop loopOf(const char* self, const std::string& mode, const std::string& environment = "")
{
    Loop loop;
    for (const std::string& line : runChild(self, mode, environment))
        std::sscanf(line.c_str(), "loop %lf %lf %lf %lf %lf", &loop.ticksPerSecond,
                    &loop.cpuPerSecond, &loop.peakMb, &loop.firstFrameMs, &loop.framesPerSecond);
    return loop;
}

void printTables(const char* self)
{
    const std::vector<std::string> frameLines = runChild(self, "frames");
    double bareMedian = 0, bareP99 = 0;
    for (const std::string& line : frameLines)
    {
        if (line.rfind("screen ", 0) == 0 || line.rfind("renderer ", 0) == 0)
            std::printf("%s\n", line.c_str());
        std::sscanf(line.c_str(), "bare %lf %lf", &bareMedian, &bareP99);
    }
    std::printf("\n| level | view | update median (us) | update p99 (us) | frame median (ms) "
                "| frame p99 (ms) | bare frame median (ms) | frame / bare frame |\n"
                "|---|---|---|---|---|---|---|---|\n");
    for (const std::string& line : frameLines)
    {
        int lvl = 0;
        char view[32] = {};
        double tickMedian = 0, tickP99 = 0, frameMedian = 0, frameP99 = 0, bare = 0;
        if (std::sscanf(line.c_str(), "row %d %31[^|]|%lf %lf %lf %lf %lf", &lvl, view, &tickMedian,
                        &tickP99, &frameMedian, &frameP99, &bare) == 7)
            std::printf("| %d | %s | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f |\n", lvl, view,
                        tickMedian, tickP99, frameMedian, frameP99, bare, frameMedian / bare);
    }
    std::printf("| bare window | clear and swap, all rows | | | %.2f | %.2f | %.2f | 1.00 |\n",
                bareMedian, bareP99, bareMedian);

    const Loop bare = loopOf(self, "bare");
    std::printf("\n| main loop, 10 s | ticks/s | of the 40/s limit | of the bare window "
                "| frames/s | CPU s per s | of the bare window | peak RSS (MB) "
                "| first frame (ms) |\n|---|---|---|---|---|---|---|---|---|\n");
    const auto row = [&](const char* name, const Loop& loop)
    {
        std::printf("| %s | %.2f | %.1f %% | %.1f %% | %.2f | %.3f | %.2f | %.1f | %.0f |\n", name,
                    loop.ticksPerSecond, loop.ticksPerSecond / 40.0 * 100.0,
                    loop.ticksPerSecond / bare.ticksPerSecond * 100.0, loop.framesPerSecond,
                    loop.cpuPerSecond, loop.cpuPerSecond / bare.cpuPerSecond, loop.peakMb,
                    loop.firstFrameMs);
    };
    row("game, level 1 as it starts", loopOf(self, "game-1"));
    // As on a machine where no GL program ran before: Mesa compiles every shader afresh
    row("game, level 1, first start on a machine",
        loopOf(self, "game-1", "MESA_SHADER_CACHE_DISABLE=true"));
    row("game, level 10", loopOf(self, "game-10"));
    row("bare window", bare);
}
} // namespace

extern "C" void __wrap_glutTimerFunc(unsigned int ms, void (*callback)(int), int value)
{
    ++ticks;
    if (!armTimers)
        return;
    if (onFirstTimer)
        std::exchange(onFirstTimer, nullptr)();
    __real_glutTimerFunc(ms, callback, value);
}

extern "C" void __wrap_glutSwapBuffers()
{
    __real_glutSwapBuffers();
    if (frames++ == 0)
        firstFrameMs = nowMs() - startedMs;
}

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
    {
        startedMs = std::atof(argv[3]);
        const std::string mode = argv[2];
        if (mode == "frames")
            measureFrames();
        else if (mode == "bare")
            bareLoop();
        else if (mode.rfind("game-", 0) == 0)
            gameLoop(std::atoi(mode.c_str() + 5));
        return 0;
    }
    // The children run this same program, found again by path for the shell that starts them
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) < 0)
        return 1;
    printTables(self);
    return 0;
}
