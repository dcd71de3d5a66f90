#!/usr/bin/python3
# The real program on a desktop run by openbox on the X server at hand, driven by real key events
# through xdotool and watched through the screen, as a player would see it: its window, framed,
# titled, full screen, on a double-buffered visual and with no pointer over it, shows the start as
# the screen demo recorded it; held arrows walk until let go, also when let go under another
# window; a held space bar jumps once; the window manager's close and Escape both end it with
# status 0. A failed check shows its line, and the comment above it says what went wrong.
# Usage: e2e_test.py GAME [LAUNCHER...]   (the game run under the launcher, valgrind for one)
import atexit
import os
import subprocess
import sys
import time

from frames import differing, load, strays
from PIL import ImageGrab
from Xlib import X, display

server = display.Display()
root = server.screen().root
# The start as the screen demo recorded it, in play and stopped with a
playing, stopped = [load(f"{os.path.dirname(__file__)}/recorded/screen-{tick}.png") for tick in (1, 2)]
processes = [subprocess.Popen(["openbox", "--replace", "--sm-disable"], stdout=subprocess.DEVNULL)]
atexit.register(lambda: [process.kill() for process in processes])


# Polls for up to half a minute, ample for the game under valgrind on a loaded machine, or as long
# as asked; gives what the condition last gave.
def eventually(condition, seconds=30):
    end = time.monotonic() + seconds
    while not (result := condition()) and time.monotonic() < end:
        time.sleep(0.02)
    return result


# What xdotool says to the command.
def xdotool(*command):
    return subprocess.run(["xdotool", *command], capture_output=True, text=True).stdout


# How many pixels of the screen, from the row given down, differ from the frame.
def off(frame, top=0):
    box = (0, top, *frame.size)
    return differing(ImageGrab.grab(box), frame.crop(box)).histogram()[255]


# The banner shows only on the start line, on the ground, while playing: a step or a jump takes it
# out of the lowest tenth of the screen.
def at_start():
    return off(playing, playing.height * 9 // 10) <= strays


# Whether openbox makes the window active, so that it gets the keys, within the time given, once
# what was asked of the X server is sent.
def active(window, seconds=30):
    server.flush()
    return eventually(lambda: xdotool("getactivewindow") == f"{window.id}\n", seconds)


# The game under the launcher; its arguments change nothing. Within five minutes openbox makes its
# window active, titled as it is and framed; stopped with a before the first ball comes into view,
# it shows the start within two more: ample for a first frame under valgrind, where Mesa compiles
# its shaders. Resumed with z, it shows the start in play again before any key is sent: until then
# the screen still shows it stopped, without the banner.
def start():
    processes.append(subprocess.Popen(sys.argv[2:] + [sys.argv[1], "--level", "9", "extra"]))
    title = lambda: xdotool("getactivewindow", "getwindowname") == "Quorvel Software\n"
    assert eventually(lambda: processes[-1].poll() is not None or title(), 300)
    assert processes[-1].poll() is None, processes[-1].returncode
    game = server.create_resource_object("window", int(xdotool("getactivewindow")))
    frame = server.intern_atom("_NET_FRAME_EXTENTS")
    assert eventually(lambda: game.get_full_property(frame, X.AnyPropertyType))
    xdotool("key", "a")
    assert eventually(lambda: off(stopped) <= strays, 120), f"{off(stopped)} pixels differ"
    xdotool("key", "z")
    assert eventually(at_start)
    return game


def hold(key, until_start):
    xdotool("keydown", key)
    reached = eventually(lambda: at_start() == until_start)
    xdotool("keyup", key)
    return reached


# On its first start on a machine openbox builds its font cache and loses the map requests of that
# time: it is ready once it makes a window active, so probes are mapped afresh until one is.
def probe_active():
    probe = root.create_window(0, 0, 10, 10, 0, X.CopyFromParent)
    probe.map()
    made = active(probe, 1)
    probe.destroy()
    return made


# openbox makes no window active
assert eventually(probe_active, 60)
game = start()
visual = "0x%03x" % game.get_attributes().visual
glxinfo = subprocess.run(["glxinfo"], capture_output=True, text=True).stdout.splitlines()
# The game's visual is single-buffered
assert [row.split()[7] for row in glxinfo if row.startswith(visual)] == ["y"]
xdotool("mousemove", "100", "100")
server.xfixes_query_version()
# A pointer shows over the game
assert not any(argb >> 24 for argb in server.xfixes_get_cursor_image(root).cursor_image)
# A jump, while the first ball is still far: it reaches the start line 150 ticks after the first
# frame. There is no jump, no landing, or the space bar still held jumps again within a second.
xdotool("keydown", "space")
assert eventually(lambda: not at_start()) and eventually(at_start)
assert not eventually(lambda: not at_start(), 1)
xdotool("keyup", "space")
# The up arrow does not walk, or walks on when let go
assert hold("Up", False) and hold("Down", True)
# openbox closing the active window does not end the game with status 0
xdotool("key", "alt+F4")
assert processes[-1].wait(30) == 0

game = start()
xdotool("keydown", "Up")
assert eventually(lambda: not at_start())
# A window covers the game and takes the pointer and the keys while Up is let go, then goes: it
# does not become active, or the game does not again, or the up arrow walks on
other = root.create_window(0, 0, *playing.size, 0, X.CopyFromParent)
other.map()
assert active(other)
xdotool("keyup", "Up")
other.destroy()
assert active(game) and hold("Down", True)
# Escape does not end the game with status 0
xdotool("key", "Escape")
assert processes[-1].wait(30) == 0
