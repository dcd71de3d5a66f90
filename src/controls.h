#pragma once

// Character keys: Escape quits, space jumps, 'a' stops, 'z' resumes, others restart a game over.
void handleKeypress(unsigned char key, int x, int y);

// An arrow key going down: its held flag is set until the key comes up.
void processSpecialKeys(int key, int x, int y);

// An arrow key coming up: its held flag is cleared.
void keyUp(int key, int x, int y);

// The pointer leaving the window: the key-up events of arrows let go elsewhere never reach the
// game, so every held arrow counts as released.
void handleEntry(int state);
