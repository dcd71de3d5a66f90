#pragma once

#include <string>

// Checks, after any event, the ranges that the rules promise while a game is being played.
// A game that 'z' resumed after the tick had ended it plays on from the end view, outside
// those ranges, so it is exempt until the next new game.
class RuleWatch
{
  public:
    // Call just before the game is given the character key.
    void beforeKey(unsigned char key);

    // What is out of range now, or empty if all holds.
    std::string violation() const;

  private:
    bool exempt = false;
};
