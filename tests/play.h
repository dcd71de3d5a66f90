#pragma once

#include <initializer_list>
#include <string>

// Plays each script through the game's own functions, in a window of the tests' own, 1200 x 1000,
// set up as the game sets up its own. A script is words between spaces, and starts with a new game
// at level 1 unless its first word names another:
//   rand=A,B,...  the game's next draws from rand return these values, then rand's own again
//   game=N        a new game at level N, no arrow held, its first frame drawn (placing the balls)
//   x= y= height= angle= bitis= balls=   set yonx, yony, kamerayukseklik, _angle, bitis, kactopvar
//   ball=S,D,X,R  slot S at distance D, side X, radius R
//   +U -U         an arrow down or up: U D L R, or F for F1
//   key=C         a character key: the character, or its code (key=32 is the space bar)
//   ticks=N       N ticks
//   leave enter   the pointer leaves or enters the window
//   normal=X,Y,Z frame size=W,H   the current normal, drawScene, handleResize
//   ?WORD         a check that the game then shows the word: x= y= height= angle= bitis= balls= as
//                 above, over= won= spin= jump= (1 or 0), level=, held=UDLR (each 1 or 0),
//                 ballS=D,X,R (or only its first numbers), armed=NxD (N ticks of the last ticks
//                 word armed the next tick D ms on), banner= (1 or 0: the last frame shows it)
//   ?see=X,Y,Z,R,G,B   where the eye sees the point X,Y,Z of the world not turned by _angle, the
//                 last frame shows that colour, within 3 of 255 in each channel
void play(std::initializer_list<std::string> scripts);
