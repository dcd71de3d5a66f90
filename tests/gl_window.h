#pragma once

#include <array>

// The tests' one real freeglut window, opened before the first test and kept to the end.
constexpr int testWindowWidth = 1200;
constexpr int testWindowHeight = 1000;

void openTestWindow();

using Rgb = std::array<int, 3>;

// A pixel of the back buffer, which Mesa's software path keeps after a swap.
Rgb backPixel(int x, int y);
