#!/usr/bin/python3
# The real program on a desktop run by openbox on the X server at hand, driven by real key events
# through xdotool and watched through the screen, as a player would see it: its one framed
# full-screen window on a double-buffered visual with no pointer over it shows the level-1 start;
# held arrows walk until let go, also when let go under another window; a held space bar jumps
# once; the window manager's close and Escape both end it with status 0. A failed check shows its
# line, and the comment on it says what went wrong.
# Usage: e2e_test.py GAME [LAUNCHER...]   (the game run under the launcher, valgrind for one)
import array
import atexit
import math
import subprocess
import sys
import time

from Xlib import X, display, error

server = display.Display()
screen = server.screen()
width, height = screen.width_in_pixels, screen.height_in_pixels
processes = [subprocess.Popen(["openbox", "--replace", "--sm-disable"], stdout=subprocess.DEVNULL)]
atexit.register(lambda: [process.kill() for process in processes])


# Polls for up to half a minute, ample for the game under valgrind on a loaded machine, or as long
# as asked.
def eventually(condition, seconds=30):
    end = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > end:
            return False
        time.sleep(0.02)
    return True


def xdotool(*command):
    subprocess.run(["xdotool", *command], check=True)


def prop(window, name):
    return window.get_full_property(server.intern_atom(name), X.AnyPropertyType)


# Column and row where the starting eye at (0, 0, 100) sees a world point through a 120 degree
# view of the screen's height.
def pixel(x, y, z):
    focal = height / 2 / math.tan(math.pi / 3) / (100 - z)
    return int(width / 2 + focal * x), height - 1 - int(height / 2 + focal * y)


def grab(x, y, columns=1, rows=1):
    return array.array("I", screen.root.get_image(x, y, columns, rows, X.ZPixmap, 0xFFFFFFFF).data)


# Whether the screen shows the level-1 start as the game draws it from its second frame on: the
# floor and the banner keep the downward normal of the last wall face (freeglut draws spheres and
# tori from arrays, which leave the current normal as it was), so that the ambient light alone
# shows them, the floor dark red and the banner's ink grey. In Helvetica 18 the banner's ink is
# 1705 pixels from just right of its anchor, 425 columns wide, from 13 rows above its baseline to 4
# below: a step or a shift of a pixel takes some out of that box. The banner shows only on the
# start line, on the ground, so a step or a jump ends the start.
def at_start():
    floor = grab(*pixel(0, -4, 97))[0] & 0xFFFFFF
    left, baseline = pixel(-4, -3, 98)
    ink = [rgb & 0xFFFFFF == 0x333333 for rgb in grab(left + 1, baseline - 13, 425, 18)]
    return abs((floor >> 16) - 0x33) <= 3 and floor & 0xFFFF == 0 and sum(ink) == 1705


def running():
    return processes[-1].poll() is None


# The game under the launcher; its arguments change nothing. Its one window, framed by openbox,
# shows within five minutes and the level-1 start within two more, ample for a first frame under
# valgrind where Mesa compiles its shaders for the first time.
def start():
    processes.append(subprocess.Popen(sys.argv[2:] + [sys.argv[1], "--level", "9", "extra"]))
    windows = []

    def shown():
        clients = prop(screen.root, "_NET_CLIENT_LIST").value
        windows[:] = [server.create_resource_object("window", number) for number in clients]
        try:
            titled = [window.get_wm_name() for window in windows] == ["Quorvel Software"]
        except error.BadWindow:  # a window that went between being listed and being read
            return False
        return titled and prop(windows[0], "_NET_FRAME_EXTENTS")

    assert eventually(lambda: not running() or shown(), 300) and running(), processes[-1].returncode
    assert eventually(at_start, 120)  # the game's first view is not the level-1 start
    return windows[0]


def hold(key, until_start):
    xdotool("keydown", key)
    reached = eventually(lambda: at_start() == until_start)
    xdotool("keyup", key)
    return reached


def active(window):
    return eventually(lambda: prop(screen.root, "_NET_ACTIVE_WINDOW").value[0] == window.id)


# On its first start on a machine openbox builds its font cache and loses the map requests of that
# time: it is ready once it frames a window, so probes are mapped afresh until one is framed.
def probe_framed():
    probe = screen.root.create_window(0, 0, 10, 10, 0, screen.root_depth)
    probe.map()
    framed = eventually(lambda: prop(probe, "_NET_FRAME_EXTENTS"), 1)
    probe.destroy()
    return framed


assert eventually(probe_framed, 60)  # openbox frames no window
game = start()
visual = "0x%03x" % game.get_attributes().visual
glxinfo = subprocess.run(["glxinfo"], capture_output=True, text=True).stdout.splitlines()
assert [row.split()[7] for row in glxinfo if row.startswith(visual)] == ["y"]  # single-buffered
xdotool("mousemove", str(width // 2), str(height // 2))
server.xfixes_query_version()
assert not any(argb >> 24 for argb in server.xfixes_get_cursor_image(screen.root).cursor_image)  # a pointer
# A jump first, while the first ball is still far: it reaches the start line after 150 ticks
xdotool("keydown", "space")
assert eventually(lambda: not at_start()) and eventually(at_start)  # no jump, or no landing
landed = time.monotonic()
while time.monotonic() < landed + 1:
    assert at_start()  # a held space bar jumped again
xdotool("keyup", "space")
assert hold("Up", False)  # the up arrow does not walk
assert hold("Down", True)  # the up arrow still walks
xdotool("key", "alt+F4")  # openbox closes the active window
assert processes[-1].wait(30) == 0  # closing the window did not end the game with status 0

game = start()
xdotool("keydown", "Up")
assert eventually(lambda: not at_start())  # the up arrow does not walk
# The pointer and the keys go to a window that covers the game while Up is let go
other = screen.root.create_window(0, 0, width, height, 0, screen.root_depth)
other.map()
assert active(other)  # the covering window is not active
xdotool("keyup", "Up")
other.destroy()
assert active(game)  # the game is not active again
assert hold("Down", True)  # the up arrow still walks
xdotool("key", "Escape")
assert processes[-1].wait(30) == 0  # Escape did not end the game with status 0
