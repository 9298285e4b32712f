#include "wrestler/rebounds.h"

#include "match/ropes.h"

void ropeContact(Wrestler&, Wrestler&) {}  // TODO(moves)
void ropeRule(Wrestler&, Wrestler&, int, int, int, float, float, float, int, float) {}

void pinRopePoint(Rope& rope, int i)
{
    RopePoint& p = rope.points[i];
    p.pinned = 1;
    p.velocity[0] = p.velocity[1] = p.velocity[2] = 0;
}

void releaseRopePoint(Rope& rope, int i)
{
    rope.points[i].pinned = 0;
}

// A body landing on the mat: the points next to the posts are kicked down,
// every inner point up, so each rope snaps into a wave.
void ropeJolt()
{
    for (Rope& rope : ropes) {
        const int n = rope.pointCount;
        if (n < 3 || static_cast<int>(rope.points.size()) < n)
            continue;  // no inner points to shake
        rope.points[1].velocity[1] -= 5;
        rope.points[n - 2].velocity[1] -= 5;
        for (int i = 1; i <= n - 2; ++i)
            rope.points[i].velocity[1] += 2;
    }
}
