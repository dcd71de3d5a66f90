// Measures the game on this machine's GL with Google Benchmark: the rules of a tick and a frame
// per level and view, a frame beside a bare one that only clears and swaps in the same window, and
// the main loop of the real program beside a bare window on the same re-armed 25 ms timer, each in
// a fresh process of its own.
//
// The program's own main is built in under another name, and its calls to glutTimerFunc and
// glutSwapBuffers pass through this file on their way to freeglut (the linker's --wrap), which
// counts ticks and frames without changing what the program does.
#include "game.h"
#include "render.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" void __real_glutTimerFunc(unsigned int, void (*)(int), int);
extern "C" void __real_glutSwapBuffers();
int tarnvikMain(int, char**);

namespace
{
// Seconds on the steady clock, which every process of the machine shares.
double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A moment of play at the level (the first argument): the first frame drawn, every ball rolled 60
// ticks on, and the view (the second) at the start (0), halfway down the track (1), or in the end
// view that the finish brings, turned 45 degrees (2).
void setUp(const benchmark::State& state)
{
    level = static_cast<int>(state.range(0));
    YeniOyun();
    drawScene();
    for (int tick = 0; tick < 60; ++tick)
        stepBalls();
    if (state.range(1) == 1)
        yony = static_cast<float>(bitis - 100) / 2.0f;
    if (state.range(1) == 2)
    {
        yony = static_cast<float>(bitis);
        playTick();
        _angle = 45.0f;
    }
}

// The rules of a tick, from the moment on. The eye stands beside the track, out of every ball's
// reach, so that the balls roll on and come back as in play and no hit ends the game meanwhile.
void Tick(benchmark::State& state)
{
    setUp(state);
    yonx = 20.0f;
    for (auto _ : state)
        playTick();
}

void bareFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
}

// A frame of the moment, drawn and finished, against as many bare frames drawn in the same window
// just before it.
void Frame(benchmark::State& state)
{
    setUp(state);
    double start = now();
    for (int i = 0; i < 100; ++i)
        bareFrame();
    const double bare = (now() - start) / 100.0;
    start = now();
    for (auto _ : state)
    {
        drawScene();
        glFinish();
    }
    state.counters["vs_bare"] = (now() - start) / static_cast<double>(state.iterations()) / bare;
}

// A main loop in a process of its own reports when it showed its first frame, and its ticks a
// second from a second after that, for as long as TARNVIK_BENCH_SECONDS says (ten by default).
// The level it runs is 0 for the bare window, and -1 outside a main loop.
int loopLevel = -1;
double firstFrameAt = 0, measuredFrom = 0;
long ticks = 0, ticksBefore = 0;

void report(int /*value*/)
{
    std::printf("%f %f\n", firstFrameAt,
                static_cast<double>(ticks - ticksBefore) / (now() - measuredFrom));
    std::exit(0);
}

void startMeasuring(int /*value*/)
{
    const char* seconds = std::getenv("TARNVIK_BENCH_SECONDS");
    ticksBefore = ticks;
    measuredFrom = now();
    __real_glutTimerFunc(1000 * (seconds ? std::atoi(seconds) : 10), report, 0);
}

void bareTick(int /*value*/)
{
    glutPostRedisplay();
    glutTimerFunc(tickMs, bareTick, 0);
}

void openWindow(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow(argv[0]);
    glutFullScreen();
    glutDisplayFunc(bareFrame);
}

double seconds(timeval time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// What a main loop shows, by these names.
const char* const measures[] = {"ticks_per_s", "cpu_s_per_s", "peak_MB", "first_frame_ms"};
using Loop = std::array<double, 4>;

// Runs a main loop in a fresh process of this program, with Mesa's shader cache or, as on a
// machine where no GL program ran before, without; wait4 tells its CPU time and peak memory. A
// loop that reports no ticks died before it could.
Loop measureLoop(long level, bool shaderCache)
{
    int out[2] = {};
    if (pipe(out) != 0)
        return {};
    setenv("MESA_SHADER_CACHE_DISABLE", shaderCache ? "false" : "true", 1);
    const double start = now();
    const std::string levelArgument = std::to_string(level);
    const pid_t child = fork();
    if (child == 0)
    {
        dup2(out[1], STDOUT_FILENO);
        execl("/proc/self/exe", "tarnvik_bench", "--loop", levelArgument.c_str(), nullptr);
        _exit(127);
    }
    close(out[1]);
    FILE* reported = fdopen(out[0], "r");
    double firstFrame = 0, ticksPerSecond = 0;
    if (std::fscanf(reported, "%lf %lf", &firstFrame, &ticksPerSecond) != 2)
        ticksPerSecond = 0;
    std::fclose(reported);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    return {ticksPerSecond, (seconds(usage.ru_utime) + seconds(usage.ru_stime)) / (now() - start),
            static_cast<double>(usage.ru_maxrss) / 1024.0, 1000.0 * (firstFrame - start)};
}

// The main loop of the game at a level (the first argument), with Mesa's shader cache or not (the
// second), or of the bare window (level 0): its ticks a second and their share of the 40 a second
// that the 25 ms timer allows, its CPU seconds a second, peak memory and time to the first frame,
// each also against the bare window's, measured once in the same run.
void MainLoop(benchmark::State& state)
{
    static const Loop bare = measureLoop(0, true);
    for (auto _ : state)
    {
        const Loop loop = measureLoop(state.range(0), state.range(1) == 1);
        if (loop[0] == 0 || bare[0] == 0)
            return state.SkipWithError("a main loop died before it reported");
        state.counters["of_40_per_s"] = loop[0] / 40.0;
        for (std::size_t i = 0; i < loop.size(); ++i)
        {
            state.counters[measures[i]] = loop[i];
            state.counters[measures[i] + std::string("_vs_bare")] = loop[i] / bare[i];
        }
    }
}

} // namespace

BENCHMARK(Tick)->ArgsProduct({{1, 2, 6, 10}, {0, 1, 2}})->ArgNames({"level", "view"});
BENCHMARK(Frame)
    ->ArgsProduct({{1, 2, 6, 10}, {0, 1, 2}})
    ->ArgNames({"level", "view"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(MainLoop)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({10, 1})
    ->ArgNames({"level", "shader_cache"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The first tick that a main loop arms starts the game at the level it is to run.
extern "C" void __wrap_glutTimerFunc(unsigned int ms, void (*callback)(int), int value)
{
    if (ticks++ == 0 && loopLevel > 1)
    {
        level = loopLevel;
        YeniOyun();
    }
    __real_glutTimerFunc(ms, callback, value);
}

extern "C" void __wrap_glutSwapBuffers()
{
    __real_glutSwapBuffers();
    if (loopLevel < 0 || firstFrameAt > 0)
        return;
    firstFrameAt = now();
    __real_glutTimerFunc(1000, startMeasuring, 0);
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--loop")
    {
        loopLevel = std::atoi(argv[2]);
        if (loopLevel > 0)
            return tarnvikMain(1, argv);
        openWindow(1, argv);
        glutTimerFunc(tickMs, bareTick, 0);
        glutMainLoop();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The frames are measured in a window that covers the screen
    openWindow(argc, argv);
    while (glutGet(GLUT_WINDOW_WIDTH) != glutGet(GLUT_SCREEN_WIDTH))
        glutMainLoopEvent();
    initRendering();
    handleResize(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
