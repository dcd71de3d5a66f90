#pragma once

#include <array>

// A copy of the whole game state, to replay a moment of play.
struct GameState
{
    bool kazandi, animate, zipla, ileri, geri, saga, sola, gameover;
    int level, bitis, toplararasimesafe, kactopvar, ziplamasuresi;
    float kamerayukseklik, angle, yonx, yony;
    std::array<int, 1000> topuzaklik;
    std::array<float, 1000> topsagsol, topbuyukluk;
    std::array<bool, 1000> topeskimi;

    static GameState capture();
    void restore() const;
};

// A fresh game at the given level with no key held, its balls placed by a first frame's draws.
void newGameWithBallsPlaced(int lvl);
