#!/usr/bin/python3
# Every demo of tests/demos played by the player, each into the build tree's played/ afresh, and
# what the game did set against what tests/record recorded from it: the trace line by line, and
# each frame the demo marks within 2 a channel of its recording, but for a few pixels. A failure
# names the first line that differs, or a frame's count and box of differing pixels, and leaves
# where it differs (white) beside the frame.
# Usage: demo_test.py PLAYER
import glob
import itertools
import os
import shutil
import subprocess
import sys

from frames import differing, load, strays
from PIL import Image

recorded = f"{os.path.dirname(os.path.abspath(__file__))}/recorded/"
shutil.rmtree("played", True)
os.mkdir("played")
os.chdir("played")
for demo in sorted(glob.glob(f"{recorded}../demos/*.demo")):
    name = os.path.basename(demo)[:-5]
    # Escape may end the game: with status 0
    assert subprocess.run([sys.argv[1], demo]).returncode == 0, f"{name} ended the game, not with 0"
    played = {*glob.glob(f"{name}[.-]*")}
    recordings = {os.path.basename(path) for path in glob.glob(f"{recorded}{name}[.-]*")}
    assert played == recordings, f"{sorted(played ^ recordings)} not both played and recorded: run tests/record"
    for wanted, got in itertools.zip_longest(open(f"{recorded}{name}.trace"), open(f"{name}.trace")):
        assert wanted == got, f"{name} differs from its recording:\nrecorded {wanted}played   {got}"
    for frame in played - {f"{name}.trace"}:
        off = differing(load(frame), load(recorded + frame), frame)
        rows, columns = off.nonzero()
        if len(rows) > strays:
            Image.fromarray(off).save(f"difference-{frame}")
        assert len(rows) <= strays, (f"{frame}: {len(rows)} pixels differ, in columns "
                                     f"{min(columns)} to {max(columns)}, rows {min(rows)} to {max(rows)}")
