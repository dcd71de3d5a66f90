#include "rule_watch.h"

#include "game.h"

#include <cmath>
#include <set>
#include <sstream>

namespace
{
bool whole(float value)
{
    return value == std::floor(value);
}

bool wholeWithin(float value, float low, float high)
{
    return whole(value) && value >= low && value <= high;
}

std::string ballViolation(int slot)
{
    const float radius = topbuyukluk[slot];
    const float side = topsagsol[slot];
    std::ostringstream out;
    if (radius != 1.5f && radius != 2.5f)
        out << "slot " << slot << " radius " << radius;
    else if (!wholeWithin(side, radius == 1.5f ? -8.0f : -7.0f, radius == 1.5f ? 8.0f : 7.0f))
        out << "slot " << slot << " side " << side << " for radius " << radius;
    return out.str();
}

// Balls still coming back roll as one stream: one spacing grid, never two on one spot.
std::string streamViolation()
{
    std::set<int> distances;
    for (int slot = 1; slot <= kactopvar; ++slot)
    {
        if (!topeskimi[slot] || topuzaklik[slot] >= track::startZ)
            continue;
        const int distance = topuzaklik[slot];
        if (!distances.empty() && (distance - *distances.begin()) % toplararasimesafe != 0)
            return "slot " + std::to_string(slot) + " off the stream's spacing";
        if (!distances.insert(distance).second)
            return "two balls at " + std::to_string(distance);
    }
    return "";
}
} // namespace

std::string ruleViolation()
{
    if (gameover || animate)
        return "";
    std::ostringstream out;
    if (!wholeWithin(yonx, -8.0f, 8.0f))
        out << "yonx " << yonx << "; ";
    if (!whole(yony) || yony < -100.0f)
        out << "yony " << yony << "; ";
    const bool onGround = kamerayukseklik == 0.0f;
    if (!onGround &&
        !(whole(2.0f * kamerayukseklik) && kamerayukseklik >= -5.5f && kamerayukseklik <= -0.5f))
        out << "kamerayukseklik " << kamerayukseklik << "; ";
    if (_angle != 0.0f)
        out << "_angle " << _angle << "; ";
    if (zipla && (ziplamasuresi < 0 || ziplamasuresi > 21))
        out << "ziplamasuresi " << ziplamasuresi << "; ";
    for (int slot = 1; slot <= kactopvar; ++slot)
    {
        const std::string ball = ballViolation(slot);
        if (!ball.empty())
            out << ball << "; ";
    }
    out << streamViolation();
    return out.str();
}
