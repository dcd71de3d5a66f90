#!/usr/bin/python3
# Every demo of tests/demos played by the player, with what the game did set against what
# tests/record recorded from it: the trace line by line, and each frame the demos mark within 2 a
# channel of its recording, but for a few pixels. The frames are played into the build tree's
# played/ afresh. A failure names the first line that differs, or a frame's count and box of
# differing pixels, and leaves where it differs (white) beside the frame.
# Usage: demo_test.py PLAYER
import glob
import itertools
import os
import shutil
import subprocess
import sys

from frames import differing, load, strays

recorded = f"{os.path.dirname(os.path.abspath(__file__))}/recorded/"
shutil.rmtree("played", True)
os.mkdir("played")
os.chdir("played")
for demo in sorted(glob.glob(f"{recorded}../demos/*.demo")):
    name = os.path.basename(demo)[:-5]
    played = subprocess.run([sys.argv[1], name], stdin=open(demo), stdout=subprocess.PIPE, text=True)
    # Escape may end the game: with status 0
    assert played.returncode == 0, f"{name} ended the game, not with 0"
    for wanted, got in itertools.zip_longest(load(f"{recorded}{name}.trace"), played.stdout.splitlines(True)):
        assert wanted == got, f"{name} differs from its recording:\nrecorded {wanted}played   {got}"
# Every frame played and every frame recorded, each with its counterpart
for frame in sorted({*os.listdir(), *glob.glob("*.png", root_dir=recorded)}):
    off = differing(load(frame), load(recorded + frame), frame)
    if (count := off.histogram()[255]) > strays:
        off.save(f"difference-{frame}")
        raise AssertionError(f"{frame}: {count} pixels differ, in the box {off.getbbox()}")
