#pragma once

// The whole game state: process-wide, zero at load, shared by every callback.

// Fixed measures of the world that the rules and the drawing share.
namespace track
{
// z of the track's near end, where the player begins
constexpr int startZ = 100;
constexpr float floorY = -4.0f;
} // namespace track

// Outcome and level
extern bool kazandi;
extern int level;

// Track: finish line at z = -bitis
extern int bitis;

// View: the world is translated by (yonx, kamerayukseklik, yony), then spun by _angle
extern float kamerayukseklik;
extern float _angle;

// Ball field: slots 1 to kactopvar are in play, slot 0 is never used
extern int toplararasimesafe;
extern int kactopvar;
extern int topuzaklik[1000];
extern float topsagsol[1000];
extern float topbuyukluk[1000];
extern bool topeskimi[1000];

// Player position
extern float yonx;
extern float yony;

// End view and jump
extern bool animate;
extern bool zipla;

// Held arrow keys
extern bool ileri;
extern bool geri;
extern bool saga;
extern bool sola;

// Game over, and the tick count of the current jump
extern bool gameover;
extern int ziplamasuresi;

// Lays out a new game at the current level.
void YeniOyun();

// A random whole lateral position for a ball of the given radius.
float topsagsolrandom(float radius);

// Places the slot on its first draw, then draws its ball.
void TopOlustur(int slot);

// Applies the held arrow keys to the player's position.
void ilerigeri();

// Rolls every ball in play 2 units towards the start, sending back those that reach it.
void stepBalls();

// Sets gameover if a ball in play touches the player; stops at the first hit.
void testCollisions();

// The rules of one tick, without the redraw request and the timer.
void playTick();

// Ticks are armed this many milliseconds apart, each from the end of the one before.
constexpr unsigned int tickMs = 25;

// The timer callback: one tick, then a redraw request and the next tick armed.
void update(int value);
