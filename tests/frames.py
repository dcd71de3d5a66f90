# Recordings, and where frames differ from them.
from functools import reduce

from PIL import Image, ImageChops


# A recorded trace as its lines, or a frame as an RGB image: a file that cannot be read wants
# recording afresh.
def load(path):
    try:
        return open(path).readlines() if path.endswith(".trace") else Image.open(path).convert("RGB")
    except OSError as error:
        raise AssertionError(f"{error}: run tests/record")


# Where the frame is off its recording by more than 2 in a channel, white on black. Mesa's releases
# round a little differently: a few pixels may be off further.
def differing(frame, recording, name="the screen"):
    assert frame.size == recording.size, f"{name} is {frame.size}, its recording {recording.size}"
    channels = ImageChops.difference(frame, recording).split()
    return reduce(ImageChops.lighter, channels).point(lambda step: 255 * (step > 2))


strays = 8
