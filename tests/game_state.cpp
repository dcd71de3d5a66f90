#include "game_state.h"

#include "game.h"

#include <algorithm>
#include <tuple>

namespace
{
template <typename T, std::size_t n> std::array<T, n> copyOf(const T (&values)[n])
{
    std::array<T, n> copy;
    std::copy(values, values + n, copy.begin());
    return copy;
}

auto fields(const GameState& s)
{
    return std::tie(s.kazandi, s.animate, s.zipla, s.ileri, s.geri, s.saga, s.sola, s.gameover,
                    s.level, s.bitis, s.toplararasimesafe, s.kactopvar, s.ziplamasuresi,
                    s.kamerayukseklik, s.angle, s.yonx, s.yony, s.topuzaklik, s.topsagsol,
                    s.topbuyukluk, s.topeskimi);
}
} // namespace

GameState GameState::capture()
{
    return {::kazandi,
            ::animate,
            ::zipla,
            ::ileri,
            ::geri,
            ::saga,
            ::sola,
            ::gameover,
            ::level,
            ::bitis,
            ::toplararasimesafe,
            ::kactopvar,
            ::ziplamasuresi,
            ::kamerayukseklik,
            ::_angle,
            ::yonx,
            ::yony,
            copyOf(::topuzaklik),
            copyOf(::topsagsol),
            copyOf(::topbuyukluk),
            copyOf(::topeskimi)};
}

bool GameState::operator==(const GameState& other) const
{
    return fields(*this) == fields(other);
}

void newGameWithBallsPlaced(int lvl)
{
    ileri = geri = saga = sola = false;
    level = lvl;
    YeniOyun();
    for (int slot = 1; slot <= kactopvar; ++slot)
        TopOlustur(slot);
}

void newGameWithClearTrack(int lvl)
{
    newGameWithBallsPlaced(lvl);
    kactopvar = 0;
}
