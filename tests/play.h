#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// The size of the window that the first script opens, its GL context current and set up as the
// game sets up its own.
constexpr int windowWidth = 1200;
constexpr int windowHeight = 1000;

// Plays each script in turn through the game's own functions, word by word:
//   game=N     a new game at level N, no arrow held, its first frame drawn (placing the balls)
//   x= y= height= angle= bitis= balls=   set yonx, yony, kamerayukseklik, _angle, bitis, kactopvar
//   ball=S,D,X,R   slot S at distance D, side X, radius R
//   +U -U      an arrow down or up: U D L R, or F for F1
//   key=C      a character key: the character, or its code (key=32 is the space bar)
//   ticks=N steps=N   N ticks, or N ball steps alone
//   collide leave enter frame size=WxH   the collision test, the pointer leaving or entering the
//              window, drawScene, a resize
//   ?WORD      a check that the game then shows the word: x= y= height= angle= as above, over=
//              won= spin= jump= (1 or 0), level=, held= (U D L R, each 1 or 0), ball1= (slot 1's
//              distance), armed=NxD (N ticks of the last ticks word armed the next D ms on)
void play(std::initializer_list<std::string> scripts);

// The values the game draws from rand, in order, whatever else in the process draws from rand too.
inline std::vector<int> drawn;
