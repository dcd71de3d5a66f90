#include "game.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdlib>

bool kazandi = false;
int level = 0;

int bitis = 0;

float kamerayukseklik = 0.0f;
float _angle = 0.0f;

int toplararasimesafe = 0;
int kactopvar = 0;
int topuzaklik[1000] = {};
float topsagsol[1000] = {};
float topbuyukluk[1000] = {};
bool topeskimi[1000] = {};

float yonx = 0.0f;
float yony = 0.0f;

bool animate = false;
bool zipla = false;

bool ileri = false;
bool geri = false;
bool saga = false;
bool sola = false;

bool gameover = false;
int ziplamasuresi = 0;

namespace
{
const int slotCount = 1000;

// The eye starts over the track's near end.
const float startYony = -static_cast<float>(track::startZ);
const float sideLimit = 8.0f;

const float smallRadius = 1.5f;
const float bigRadius = 2.5f;
const int ballStep = 2;
// Half the side of the square around the eye in which a ball touches the player.
const float reach = 3.0f;

const float jumpStep = 0.5f;
const int jumpPeakTick = 10;
const int jumpLastTick = 20;

const float spinStep = 3.0f;
const float fullTurn = 360.0f;

int ballSpacing(int lvl)
{
    if (lvl == 1)
        return 100;
    if (lvl >= 2 && lvl <= 5)
        return 50;
    if (lvl >= 6 && lvl <= 9)
        return 25;
    return 20;
}

// The collision test and the drawing agree on what makes a ball big.
bool isBigBall(float radius)
{
    return radius >= 2.0f;
}

void placeBall(int slot)
{
    topsagsol[slot] = topsagsolrandom(topbuyukluk[slot]);
    topuzaklik[slot] = -track::startZ - slot * toplararasimesafe;
    topeskimi[slot] = true;
}

void recycleBall(int slot)
{
    topbuyukluk[slot] = std::rand() % 5 == 0 ? bigRadius : smallRadius;
    topsagsol[slot] = topsagsolrandom(topbuyukluk[slot]);
    // Keep the overshoot past the start so the stream stays evenly spaced
    topuzaklik[slot] = -bitis + (topuzaklik[slot] - track::startZ);
}

// No ball is sent back while the player is in the last 50 units before the finish.
bool recyclingOpen()
{
    return static_cast<float>(bitis - 50) >= yony;
}

bool ballHitsPlayer(int slot)
{
    const float dz = static_cast<float>(-topuzaklik[slot]) - yony;
    const float dx = -topsagsol[slot] - yonx;
    if (std::fabs(dz) > reach || std::fabs(dx) > reach)
        return false;
    // A raised eye clears a small ball, never a big one
    return isBigBall(topbuyukluk[slot]) || kamerayukseklik == 0.0f;
}

void spinEndView()
{
    if (!animate)
        return;
    _angle += spinStep;
    if (_angle > fullTurn)
        _angle -= fullTurn;
}

void runJump()
{
    if (!zipla)
        return;
    if (ziplamasuresi > jumpLastTick)
    {
        zipla = false;
        kamerayukseklik = 0.0f;
        return;
    }
    kamerayukseklik += ziplamasuresi > jumpPeakTick ? jumpStep : -jumpStep;
    ++ziplamasuresi;
}

void testFinish()
{
    if (yony >= static_cast<float>(bitis))
    {
        gameover = true;
        kazandi = true;
    }
}

// Pull back so that the whole track turns in front of the eye.
void setEndView()
{
    kamerayukseklik = -50.0f;
    yonx = 0.0f;
    yony = -50.0f;
    animate = true;
}
} // namespace

void YeniOyun()
{
    kazandi = false;
    kamerayukseklik = 0.0f;
    yonx = 0.0f;
    yony = startYony;
    _angle = 0.0f;
    animate = false;
    zipla = false;
    ziplamasuresi = 0;
    for (int slot = 1; slot < slotCount; ++slot)
    {
        topeskimi[slot] = false;
        topbuyukluk[slot] = smallRadius;
        topuzaklik[slot] = 0;
        topsagsol[slot] = 0.0f;
    }
    gameover = false;
    bitis = level == 1 ? 200 : 1000;
    toplararasimesafe = ballSpacing(level);
    kactopvar = bitis / toplararasimesafe + track::startZ / toplararasimesafe;
}

float topsagsolrandom(float radius)
{
    if (radius == smallRadius)
        return static_cast<float>(std::rand() % 17 - 8);
    if (radius == bigRadius)
        return static_cast<float>(std::rand() % 15 - 7);
    return 0.0f;
}

void TopOlustur(int slot)
{
    glPushMatrix();
    if (!topeskimi[slot])
        placeBall(slot);
    const float radius = topbuyukluk[slot];
    // Every ball rests on the floor
    glTranslatef(topsagsol[slot], track::floorY + radius, static_cast<float>(topuzaklik[slot]));
    if (isBigBall(radius))
        glColor3f(1.0f, 0.0f, 0.0f);
    else
        glColor3f(1.0f, 1.0f, 1.0f);
    glutSolidSphere(static_cast<double>(radius), 10, 10);
    glPopMatrix();
}

void ilerigeri()
{
    if (ileri)
        yony += 1.0f;
    if (geri && yony > startYony)
        yony -= 1.0f;
    if (saga && yonx > -sideLimit)
        yonx -= 1.0f;
    if (sola && yonx < sideLimit)
        yonx += 1.0f;
}

void stepBalls()
{
    for (int slot = 1; slot <= kactopvar; ++slot)
    {
        const int before = topuzaklik[slot];
        topuzaklik[slot] += ballStep;
        // Recycle on reaching or passing the start: at spacing 25 odd distances never equal it
        const bool reachedStart = before < track::startZ && topuzaklik[slot] >= track::startZ;
        if (reachedStart && recyclingOpen())
            recycleBall(slot);
    }
}

void testCollisions()
{
    for (int slot = 1; slot <= kactopvar && !gameover; ++slot)
    {
        if (ballHitsPlayer(slot))
            gameover = true;
    }
}

void playTick()
{
    spinEndView();
    if (gameover)
        return;
    runJump();
    ilerigeri();
    stepBalls();
    testCollisions();
    testFinish();
    if (gameover)
        setEndView();
}

void update(int /*value*/)
{
    playTick();
    glutPostRedisplay();
    // One-shot: each tick arms the next, in every state of the game
    glutTimerFunc(tickMs, update, 0);
}
