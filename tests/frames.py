# Frames as arrays of RGB rows, the top row first, and where they differ.
import numpy
from PIL import Image


# An image, or an image file: a recording that cannot be read wants recording afresh.
def load(image):
    try:
        return numpy.asarray(Image.open(image) if isinstance(image, str) else image, int)[:, :, :3]
    except OSError as error:
        raise AssertionError(f"{error}: run tests/record")


# Where the frame is off its recording by more than 2 in a channel. Mesa's releases round a little
# differently: a few pixels may be off further.
def differing(frame, recording, name="the screen"):
    assert frame.shape == recording.shape, (
        f"{name} is {frame.shape[1::-1]}, its recording {recording.shape[1::-1]}")
    return abs(frame - recording).max(axis=2) > 2


strays = 8
