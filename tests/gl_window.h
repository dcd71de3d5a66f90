#pragma once

#include <array>

// The unit tests' real freeglut window, opened before the first test and kept to the end.
constexpr int testWindowWidth = 1200;
constexpr int testWindowHeight = 1000;

// Opens a double-buffered RGB window with depth, current from then on, once it has been drawn.
int openTestWindow(int width, int height);

using Rgb = std::array<int, 3>;

// A pixel of the back buffer, which Mesa's software path keeps after a swap.
Rgb backPixel(int x, int y);
