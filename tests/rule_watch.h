#pragma once

#include <string>

// What is out of the ranges that the rules promise while a game is being played, or empty if
// all holds. A game that 'z' resumed after the tick had ended it plays on from the end view,
// outside those ranges; it is the only game that plays with the spin running, so it is exempt.
std::string ruleViolation();
