#include "game_state.h"

#include "game.h"

#include <algorithm>
#include <tuple>

namespace
{
auto globalScalars()
{
    return std::tie(::kazandi, ::animate, ::zipla, ::ileri, ::geri, ::saga, ::sola, ::gameover,
                    ::level, ::bitis, ::toplararasimesafe, ::kactopvar, ::ziplamasuresi,
                    ::kamerayukseklik, ::_angle, ::yonx, ::yony);
}

template <typename State> auto scalarsOf(State& s)
{
    return std::tie(s.kazandi, s.animate, s.zipla, s.ileri, s.geri, s.saga, s.sola, s.gameover,
                    s.level, s.bitis, s.toplararasimesafe, s.kactopvar, s.ziplamasuresi,
                    s.kamerayukseklik, s.angle, s.yonx, s.yony);
}

template <typename T, std::size_t n> void copyArray(const T (&from)[n], std::array<T, n>& to)
{
    std::copy(from, from + n, to.begin());
}

template <typename T, std::size_t n> void copyArray(const std::array<T, n>& from, T (&to)[n])
{
    std::copy(from.begin(), from.end(), to);
}
} // namespace

GameState GameState::capture()
{
    GameState state{};
    scalarsOf(state) = globalScalars();
    copyArray(::topuzaklik, state.topuzaklik);
    copyArray(::topsagsol, state.topsagsol);
    copyArray(::topbuyukluk, state.topbuyukluk);
    copyArray(::topeskimi, state.topeskimi);
    return state;
}

void GameState::restore() const
{
    globalScalars() = scalarsOf(*this);
    copyArray(topuzaklik, ::topuzaklik);
    copyArray(topsagsol, ::topsagsol);
    copyArray(topbuyukluk, ::topbuyukluk);
    copyArray(topeskimi, ::topeskimi);
}

void newGameWithBallsPlaced(int lvl)
{
    ileri = geri = saga = sola = false;
    level = lvl;
    YeniOyun();
    for (int slot = 1; slot <= kactopvar; ++slot)
        TopOlustur(slot);
}
