#pragma once

// One-time GL state every frame relies on.
void initRendering();

// Reshape callback: viewport and perspective for the new window size.
void handleResize(int width, int height);

// Display callback: one whole frame from the game state, then the buffer swap.
void drawScene();

// An axis-aligned box as six quads, each with its face normal: centre, half-extents, colour.
void drawVolume(float x, float y, float z, float hx, float hy, float hz, float r, float g, float b);

// One quad from four corners in order; it keeps whatever normal is current.
void drawSurface(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                 float z3, float x4, float y4, float z4, float r, float g, float b);
