#include "ai/computer.h"

#include "anim/maths.h"
#include "anim/playback.h"
#include "assets/catalogue.h"
#include "match/phases.h"
#include "wrestler/wrestler.h"

#include <algorithm>
#include <cmath>

ComputerPlayer computerOne;
ComputerPlayer computerTwo;

namespace {

// The three levels. Easy sees the game about half a second late and often
// fumbles; hard about a fifth of a second and rarely.
constexpr LevelStyle levelStyles[3] = {
    // reaction  think     aim   timing mistake kick-out aggression lie
    {12, 18, 3.0, 6.0, 1.0, 2.2, 0.25, 0.30, 0.45, 10, 45},
    {8, 12, 2.0, 4.0, 0.6, 1.3, 0.10, 0.75, 0.65, 3, 20},
    {6, 8.5, 1.5, 3.0, 0.3, 0.7, 0.03, 0.95, 0.85, 0, 8},
};

// How long a person holds a key for one tap: 75 to 150 ms.
constexpr double tapLow = 2.5, tapHigh = 5;
// The slot the fireworks go off with, shared by both players.
constexpr int fireworksSlot = 11;

// Reaches and thresholds of the moves, as a player learns them.
constexpr float punchRange = 3.3f;
constexpr float kickRange = 3.0f;
constexpr float grabRange = 4.8f;
constexpr float pinRange = 4.8f;
constexpr float runningBlowDistance = 5;    // a runner meets the blow 5 ahead
constexpr float runningBlowSlack = 1.5f;
constexpr float weakened = 20;              // signature moves need less health
constexpr float getUpHealth = 10;
constexpr float kickOutHealth = 5;
constexpr float ringHalf = 18;
constexpr float ropeZone = 14;              // a walker meets the ropes beyond this

// Which way each direction key walks on the floor.
enum DirectionKey { UpKey, LeftKey, RightKey, DownKey };

const PlayerKeys& keysOf(const ComputerPlayer& c)
{
    return c.player == 1 ? playerOneKeys : playerTwoKeys;
}

Wrestler& selfOf(const ComputerPlayer& c)
{
    return c.player == 1 ? playerOne : playerTwo;
}

Wrestler& otherOf(const ComputerPlayer& c)
{
    return c.player == 1 ? playerTwo : playerOne;
}

const LevelStyle& styleOf(const ComputerPlayer& c)
{
    return levelStyle(c.level);
}

double uniform(ComputerPlayer& c, double lo, double hi)
{
    return std::uniform_real_distribution<double>(lo, hi)(c.random);
}

double gauss(ComputerPlayer& c, double spread)
{
    return spread > 0 ? std::normal_distribution<double>(0, spread)(c.random) : 0;
}

bool chance(ComputerPlayer& c, double p)
{
    return uniform(c, 0, 1) < p;
}

int directionSlot(const ComputerPlayer& c, DirectionKey key)
{
    const PlayerKeys& k = keysOf(c);
    switch (key) {
    case UpKey: return k.up;
    case LeftKey: return k.left;
    case RightKey: return k.right;
    case DownKey: return k.down;
    }
    return k.up;
}

// The direction key that walks (or runs) along the floor direction (dx,
// dz), taken along its larger axis: Left is +z, Right -z, Up -x, Down +x.
DirectionKey keyToward(double dx, double dz)
{
    if (std::fabs(dx) > std::fabs(dz))
        return dx > 0 ? DownKey : UpKey;
    return dz > 0 ? LeftKey : RightKey;
}

// The floor axis (0, 90, 180 or 270) nearest to a heading.
float nearestAxis(float heading)
{
    const float h = normalizeHeading(heading);
    return static_cast<float>(static_cast<int>(std::floor((h + 45) / 90)) % 4 * 90);
}

// The direction key that points along a floor axis.
DirectionKey keyAlongAxis(float axis)
{
    const int a = static_cast<int>(axis) % 360;
    return a == 0 ? LeftKey : a == 90 ? DownKey : a == 180 ? RightKey : UpKey;
}

DirectionKey oppositeKey(DirectionKey key)
{
    switch (key) {
    case UpKey: return DownKey;
    case DownKey: return UpKey;
    case LeftKey: return RightKey;
    case RightKey: return LeftKey;
    }
    return UpKey;
}

float distanceBetween(const WrestlerSight& a, const WrestlerSight& b)
{
    const float dx = a.x - b.x, dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
}

// The heading from a toward b, as a standing wrestler turns to face.
float headingToward(const WrestlerSight& a, const WrestlerSight& b)
{
    return static_cast<float>(std::atan2(b.x - a.x, b.z - a.z) * 57.29577951308232);
}

bool isFreeState(int state)
{
    return state == Idle || state == Walking;
}

bool goingDown(const WrestlerSight& w)
{
    return w.state == Lying || w.nextState == Lying;
}

bool runningOrAboutTo(const WrestlerSight& w)
{
    return w.state == Running || w.state == Thrown || (w.state == OnRopes && w.nextState == Running);
}

// ---- keys ----------------------------------------------------------------

// `action` marks a press whose outcome it waits to see before the next
// move (a strike, a grab, a tap on the selection screen...).
void schedule(ComputerPlayer& c, double time, int slot, bool press, bool action = false)
{
    c.pending.push_back({time, slot, press});
    if (press && action)
        c.lastAction = std::max(c.lastAction, time);
}

void tap(ComputerPlayer& c, int slot, double at, bool action = true)
{
    schedule(c, at, slot, true, action);
    schedule(c, at + uniform(c, tapLow, tapHigh), slot, false);
}

// Two quick taps, as a person runs: each held 60 to 110 ms, up 60 to 110 ms
// between.
void doubleTap(ComputerPlayer& c, int slot, double at)
{
    const double hold = uniform(c, 2, 3.6), gap = uniform(c, 2, 3.6);
    schedule(c, at, slot, true, true);
    schedule(c, at + hold, slot, false);
    schedule(c, at + hold + gap, slot, true, true);
    schedule(c, at + hold + gap + uniform(c, 2.5, 5), slot, false);
}

void stopSteering(ComputerPlayer& c, double t)
{
    if (c.steering >= 0)
        schedule(c, t, c.steering, false);
    c.steering = -1;
}

void steer(ComputerPlayer& c, DirectionKey key, double t)
{
    const int slot = directionSlot(c, key);
    if (slot == c.steering)
        return;
    stopSteering(c, t);
    schedule(c, t, slot, true);
    c.steering = slot;
    c.steerSince = t;
}

// Lets go of everything and forgets what it meant to press.
void releaseAll(ComputerPlayer& c, double t)
{
    c.pending.clear();
    c.steering = -1;
    const PlayerKeys& k = keysOf(c);
    for (int slot : {k.up, k.left, k.right, k.down, k.strike, k.grab, k.special, fireworksSlot})
        schedule(c, t, slot, false);
}

// Whether an action it took is still to be pressed or not yet visible in
// what it sees.
bool awaitingAction(const ComputerPlayer& c, const Sight& s)
{
    return s.time < c.lastAction;
}

// Presses and releases everything due by game time t, each at its own time.
void pressDue(ComputerPlayer& c, double t)
{
    std::stable_sort(c.pending.begin(), c.pending.end(),
                     [](const TimedKey& a, const TimedKey& b) { return a.time < b.time; });
    std::size_t done = 0;
    for (; done < c.pending.size() && c.pending[done].time <= t; ++done) {
        const TimedKey& e = c.pending[done];
        if (e.press)
            pressKey(e.slot, c.source, e.time);
        else
            releaseKey(e.slot, c.source, e.time);
        if (c.journal)
            c.journal->push_back(e);
    }
    c.pending.erase(c.pending.begin(), c.pending.begin() + static_cast<std::ptrdiff_t>(done));
}

// ---- seeing ----------------------------------------------------------------

WrestlerSight seeWrestler(const Wrestler& w)
{
    WrestlerSight s;
    s.x = w.x;
    s.z = w.z;
    s.heading = w.heading;
    s.bearing = w.bearing;
    s.health = w.health;
    s.clipTime = w.clipTime;
    s.clip = w.clip;
    s.state = w.state;
    s.nextState = w.nextState;
    s.character = w.character;
    s.chosen = w.chosen;
    s.ropeRebounds = w.ropeRebounds;
    s.elbowArmed = w.elbowArmed;
    return s;
}

// The game as the last frame left it (drawn at previousTime).
Sight lookAtGame(const ComputerPlayer& c)
{
    Sight s;
    s.time = previousTime;
    s.phase = gamePhase;
    s.featured = featuredWrestler == &selfOf(c);
    s.self = seeWrestler(selfOf(c));
    s.other = seeWrestler(otherOf(c));
    return s;
}

// What it has taken in by game time t: the game as it stood one reaction
// time ago, never older than what it already saw. Null before it has seen
// anything that old.
const Sight* recall(ComputerPlayer& c, double t)
{
    const LevelStyle& style = styleOf(c);
    const double upTo = std::max(t - uniform(c, style.reactionLow, style.reactionHigh), c.seen);
    const Sight* found = nullptr;
    for (const Sight& s : c.memory) {
        if (s.time > upTo)
            break;
        found = &s;
    }
    return found;
}

void forgetOldSights(ComputerPlayer& c, double t)
{
    const double keepFrom = std::min(c.seen, t - styleOf(c).reactionHigh - 1);
    std::size_t drop = 0;
    while (drop + 1 < c.memory.size() && c.memory[drop + 1].time <= keepFrom)
        ++drop;
    c.memory.erase(c.memory.begin(), c.memory.begin() + static_cast<std::ptrdiff_t>(drop));
}

// ---- selection, entrance ---------------------------------------------------

void chooseCharacter(ComputerPlayer& c, const Sight& s, double t)
{
    if (s.self.chosen || awaitingAction(c, s))
        return;
    if (c.target < 0)
        c.target = c.wantedCharacter >= 0 ? c.wantedCharacter % rosterSize
                                          : static_cast<int>(uniform(c, 0, rosterSize)) % rosterSize;
    const PlayerKeys& k = keysOf(c);
    if (s.self.character != c.target) {
        // The shorter way round; either way when it is two places off.
        const int ahead = (c.target - s.self.character + rosterSize) % rosterSize;
        const bool forward = ahead == 2 ? chance(c, 0.5) : ahead < 2;
        tap(c, forward ? k.up : k.down, t + uniform(c, 0, 3));
        c.confirmAt = -1;
        return;
    }
    // A moment to look at the portrait, then confirm.
    if (c.confirmAt < 0)
        c.confirmAt = t + uniform(c, 10, 45);
    if (t >= c.confirmAt) {
        tap(c, k.strike, t);
        c.confirmAt = -1;
    }
}

void watchEntrance(ComputerPlayer& c, const Sight& s, double t)
{
    if (!s.featured) {
        c.entranceDecided = false;
        return;
    }
    if (!c.entranceDecided) {
        c.entranceDecided = true;
        c.confirmAt = chance(c, c.skipChance) ? t + uniform(c, 35, 250) : -1;
    }
    if (c.confirmAt >= 0 && t >= c.confirmAt) {
        tap(c, keysOf(c).strike, t);
        c.confirmAt = -1;
    }
}

// ---- the match ---------------------------------------------------------------

// How fast a runner goes, from its run clip.
float runSpeed(const Wrestler& w)
{
    const float speed = forwardSpeed(w.clips[ClipRun]);
    return speed > 0.1f ? speed : 0.7f;
}

void setTactic(ComputerPlayer& c, int tactic, double t, double lo, double hi)
{
    c.tactic = tactic;
    c.tacticUntil = t + uniform(c, lo, hi);
}

// The pinned wrestler tries to throw the pinner off, in time or too late.
void fightThePin(ComputerPlayer& c, const Sight& s, double t)
{
    stopSteering(c, t);
    const LevelStyle& style = styleOf(c);
    if (!c.pinDecided) {
        c.pinDecided = true;
        c.kickOutInTime = chance(c, style.kickOutChance);
        // Too slow: it comes to itself when the count is over.
        c.getUpFrom = c.kickOutInTime ? t + uniform(c, 0, 3) : t + uniform(c, 75, 120);
    }
    if (t >= c.getUpFrom && !awaitingAction(c, s)) {
        tap(c, keysOf(c).up, t);
        c.getUpFrom = t + uniform(c, 1, 4);    // and again, as people do
    }
}

void getUp(ComputerPlayer& c, const Sight& s, double t)
{
    stopSteering(c, t);
    if (c.getUpFrom < 0)
        c.getUpFrom = t + uniform(c, styleOf(c).lieLow, styleOf(c).lieHigh);
    if (s.self.state != Lying || t < c.getUpFrom || awaitingAction(c, s))
        return;
    // Too weak, or held down by the elbow run: it waits and tries again.
    if (s.self.health > getUpHealth && !s.other.elbowArmed)
        tap(c, keysOf(c).up, t);
    else
        c.getUpFrom = t + uniform(c, 10, 30);
}

// A move out of a hold, where there is room for it.
void finishHold(ComputerPlayer& c, const Sight& s, double t)
{
    stopSteering(c, t);
    if (s.other.nextState != Grabbed || awaitingAction(c, s))
        return;
    const LevelStyle& style = styleOf(c);
    if (!c.holdDecided) {
        // Picking a move takes a moment, longer for the unsure.
        c.holdDecided = true;
        c.moveAt = t + uniform(c, 0, 4) + style.mistakeChance * uniform(c, 0, 40);
    }
    if (t < c.moveAt)
        return;
    const WrestlerSight& me = s.self;
    const bool careless = chance(c, style.mistakeChance);
    const bool suplex = careless || roomInRing(me.heading, -15, me.x, me.z);
    const bool slam = careless || roomInRing(me.heading, 13, me.x, me.z);
    const double ws = suplex ? 1.0 : 0, wl = slam ? 1.0 : 0, wt = 0.8;
    const double roll = uniform(c, 0, ws + wl + wt);
    const PlayerKeys& k = keysOf(c);
    const int slot = roll < ws ? k.up : roll < ws + wl ? k.strike : k.down;
    tap(c, slot, t);
}

// How far a root track still moves from clip time t to the clip's end.
float restOfTrack(const KeyTrack& track, float t)
{
    if (track.count < 2)
        return 0;
    return track.keys[static_cast<std::size_t>(track.count - 2)].value - trackSample(track, t);
}

// Where and when a wrestler runs: now, or as soon as the clip it is in hands
// over to a run (thrown, or bouncing off the ropes), and along which floor
// direction. False when it is not running and not about to.
struct RunPath {
    double from;                        // game time the run is under way
    float x, z;                         // where it is then
    double dirX, dirZ;                  // which way it runs
};

bool runPath(const WrestlerSight& w, const Wrestler& record, double seenAt, RunPath& path)
{
    double h = headingRadians(w.heading);
    path.from = seenAt;
    path.x = w.x;
    path.z = w.z;
    if (w.state == Thrown || (w.state == OnRopes && w.nextState == Running)) {
        const Animation& clip = record.clips[static_cast<std::size_t>(w.clip)];
        const float length = clipLength(clip);
        path.from = seenAt + std::max(0.0f, length - w.clipTime) / clipTimeRate;
        // The rest of the clip's own travel (back from the thrower, or on
        // into the ropes), in the body's frame: forward and to its side.
        const float forward = restOfTrack(clip.rootTracks[2], w.clipTime);
        const float side = restOfTrack(clip.rootTracks[0], w.clipTime);
        const double across = headingRadians(w.heading + 90);
        path.x += static_cast<float>(forward * std::sin(h) + side * std::sin(across));
        path.z += static_cast<float>(forward * std::cos(h) + side * std::cos(across));
        if (w.clip == ClipRunRopes)
            h = headingRadians(w.heading + 180);
    } else if (w.state != Running) {
        return false;
    }
    path.dirX = std::sin(h);
    path.dirZ = std::cos(h);
    return true;
}

// The blow that meets a runner 5 ahead of the one who swings, planned for the
// moment the run has carried the two `toGo` nearer than they are when the
// run is under way, with the level's timing error; `slack` is how much
// later still lands. Returns whether it planned the press.
bool planRunningBlow(ComputerPlayer& c, const RunPath& path, double toGo, double slack, double t)
{
    const float speed = runSpeed(selfOf(c));
    const double latest = path.from + (toGo + slack) / speed;
    const double when = path.from + toGo / speed + gauss(c, styleOf(c).timingError);
    if (when > t + styleOf(c).thinkHigh || t > latest)
        return false;                       // not yet, or too late
    tap(c, keysOf(c).strike, std::max(t, when));
    return true;
}

void run(ComputerPlayer& c, const Sight& s, double t)
{
    stopSteering(c, t);
    const WrestlerSight& me = s.self;
    const WrestlerSight& o = s.other;
    RunPath path;
    if (awaitingAction(c, s) || !runPath(me, selfOf(c), s.time, path))
        return;
    const double relX = o.x - path.x, relZ = o.z - path.z;
    const double along = relX * path.dirX + relZ * path.dirZ;
    const double lateral = std::fabs(relX * path.dirZ - relZ * path.dirX);
    const LevelStyle& style = styleOf(c);

    // A blow from the run at an opponent on its feet in the runner's way:
    // it lands while the opponent is within 1.5 of the point 5 ahead.
    const double judged = lateral + gauss(c, style.aimError * 0.3);
    if (!me.elbowArmed && !goingDown(o) && o.state != Running && along > 3 && judged < runningBlowSlack - 0.3) {
        const double slack = std::sqrt(runningBlowSlack * runningBlowSlack - std::min(lateral * lateral, 2.0));
        if (planRunningBlow(c, path, along - runningBlowDistance, slack, t))
            return;
    }
    if (me.state != Running)
        return;
    // A run that is going nowhere: stop it once the ropes allow.
    const bool spentElbow = me.elbowArmed && me.ropeRebounds > 2;
    if ((!me.elbowArmed || spentElbow) && me.ropeRebounds >= 2 && (along < 0 || lateral > 3 || chance(c, 0.3)))
        tap(c, directionSlot(c, oppositeKey(keyAlongAxis(nearestAxis(me.heading)))), t);
}

// The walking frame's axis for a bearing: the floor axis a walker faces.
float walkingAxis(const WrestlerSight& me)
{
    return nearestAxis(me.bearing);
}

// Distance from a position to the ropes going along a floor axis.
float roomAlong(const WrestlerSight& me, float axis)
{
    const int a = static_cast<int>(axis) % 360;
    switch (a) {
    case 0: return ropeZone - me.z;
    case 180: return me.z + ropeZone;
    case 90: return ropeZone - me.x;
    default: return me.x + ropeZone;
    }
}

// How far the opponent stands off the line along a floor axis.
float offAxis(const WrestlerSight& me, const WrestlerSight& o, float axis)
{
    const int a = static_cast<int>(axis) % 360;
    return a == 0 || a == 180 ? std::fabs(o.x - me.x) : std::fabs(o.z - me.z);
}

void walkToward(ComputerPlayer& c, const WrestlerSight& me, float px, float pz, double t)
{
    const double dx = px - me.x, dz = pz - me.z;
    // Keep the key it holds unless the other axis is clearly longer, so it
    // does not dither at the diagonal.
    if (c.steering >= 0) {
        const bool alongX = c.steering == directionSlot(c, UpKey) || c.steering == directionSlot(c, DownKey);
        const double kept = alongX ? std::fabs(dx) : std::fabs(dz);
        const double other = alongX ? std::fabs(dz) : std::fabs(dx);
        if (kept > 1 && kept * 1.4 > other && directionSlot(c, keyToward(alongX ? dx : 0, alongX ? 0 : dz)) == c.steering)
            return;
    }
    steer(c, keyToward(dx, dz), t);
}

// Where to stand, 4 from the opponent, to slam it backwards over oneself: the
// place with 20 of ring behind it nearest to `me`. False when there is none.
bool roomToThrowBackwards(const WrestlerSight& me, const WrestlerSight& o, float& px, float& pz)
{
    constexpr int directions = 16;
    constexpr float apart = 4, margin = 1;
    float best = 1e9f;
    for (int i = 0; i < directions; ++i) {
        const double a = i * 6.283185307179586 / directions;
        const float ux = static_cast<float>(std::sin(a)), uz = static_cast<float>(std::cos(a));
        // Behind the thrower, away from the opponent.
        const float bx = o.x + (apart + 20) * ux, bz = o.z + (apart + 20) * uz;
        if (std::fabs(bx) > ringHalf - margin || std::fabs(bz) > ringHalf - margin)
            continue;
        const float x = o.x + apart * ux, z = o.z + apart * uz;
        const float d = (x - me.x) * (x - me.x) + (z - me.z) * (z - me.z);
        if (d < best) {
            best = d;
            px = x;
            pz = z;
        }
    }
    return best < 1e9f;
}

void chooseTactic(ComputerPlayer& c, const Sight& s, double t)
{
    const WrestlerSight& me = s.self;
    const WrestlerSight& o = s.other;
    const LevelStyle& style = styleOf(c);
    c.pressesLeft = 0;
    if (runningOrAboutTo(o)) {
        setTactic(c, MeetRunnerTactic, t, 40, 80);
        return;
    }
    if (goingDown(o)) {
        // Pins are for the worn down; a weakened opponent who can still get
        // up is better let up for the finishing move.
        double pin, wait = 0;
        if (o.health <= kickOutHealth)
            pin = 1;
        else if (o.health < weakened) {
            pin = o.health <= getUpHealth ? 0.5 : 0.15;
            wait = o.health <= getUpHealth ? 0 : 0.65;
        } else if (o.health < 40)
            pin = 0.2;
        else if (o.health < 65)
            pin = 0.1;
        else
            pin = 0.04;
        const double roll = uniform(c, 0, 1);
        if (roll < pin) {
            setTactic(c, PinTactic, t, 40, 90);
            c.pressesLeft = 1;
        } else if (roll < pin + wait) {
            setTactic(c, WaitTactic, t, 20, 60);
        } else {
            setTactic(c, KickTactic, t, 40, 90);
            c.pressesLeft = 1 + static_cast<int>(uniform(c, 0, 3));
        }
        return;
    }
    // The olympic slam only when a place to throw it from is near.
    float px = 0, pz = 0;
    const bool possible = me.character != 3 || (roomToThrowBackwards(me, o, px, pz) &&
                                                 std::fabs(px - me.x) + std::fabs(pz - me.z) < 8);
    if (o.health < weakened && possible && chance(c, 0.95)) {
        setTactic(c, SignatureTactic, t, 60, 150);
        return;
    }
    if (!chance(c, style.aggression)) {
        setTactic(c, chance(c, 0.6) ? WaitTactic : CircleTactic, t, 10, 40);
        return;
    }
    const float d = distanceBetween(me, o);
    const float axis = walkingAxis(me);
    const bool lined = offAxis(me, o, axis) < 1.0f;
    const float behind = roomAlong(me, std::fmod(axis + 180, 360));
    double wPunch = 4, wGrab = 3, wRopes = lined && behind < 12 ? 1.2 : 0.15, wRun = d > 9 ? 2.0 : 0,
           wSide = 0.35;
    const double roll = uniform(c, 0, wPunch + wGrab + wRopes + wRun + wSide);
    if (roll < wPunch) {
        setTactic(c, PunchTactic, t, 60, 140);
        c.pressesLeft = 1 + static_cast<int>(uniform(c, 0, 3));
    } else if (roll < wPunch + wGrab) {
        setTactic(c, GrabTactic, t, 60, 140);
        c.pressesLeft = 1;
    } else if (roll < wPunch + wGrab + wRopes) {
        setTactic(c, RopesTactic, t, 50, 110);
    } else if (roll < wPunch + wGrab + wRopes + wRun) {
        setTactic(c, RunTactic, t, 30, 60);
    } else {
        setTactic(c, SideRopesTactic, t, 40, 90);
    }
}

// Whether the tactic still fits what it sees.
bool tacticFits(const ComputerPlayer& c, const Sight& s, double t)
{
    if (c.tactic == NoTactic || t > c.tacticUntil)
        return false;
    const WrestlerSight& o = s.other;
    switch (c.tactic) {
    case KickTactic:
    case PinTactic: return goingDown(o);
    case MeetRunnerTactic: return runningOrAboutTo(o);
    case WaitTactic: return true;
    default: return !goingDown(o) && !runningOrAboutTo(o);
    }
}

void signature(ComputerPlayer& c, const Sight& s, double t)
{
    const WrestlerSight& me = s.self;
    const WrestlerSight& o = s.other;
    const LevelStyle& style = styleOf(c);
    if (o.health >= weakened || ((me.character == 1 || me.character == 3) && o.state == Running)) {
        c.tactic = NoTactic;
        return;
    }
    const float d = distanceBetween(me, o);
    // The olympic slam throws backwards: it needs the middle of the ring
    // behind its thrower.
    if (me.character == 3 && !roomInRing(headingToward(me, o), -20, me.x, me.z)) {
        float px = 0, pz = 0;
        if (!roomToThrowBackwards(me, o, px, pz)) {
            c.tactic = NoTactic;
            return;
        }
        if (std::fabs(px - me.x) > 1.2f || std::fabs(pz - me.z) > 1.2f) {
            walkToward(c, me, px, pz, t);
            return;
        }
    }
    if (d + gauss(c, style.aimError) > grabRange) {
        walkToward(c, me, o.x, o.z, t);
        return;
    }
    stopSteering(c, t);
    // The throwing direction is the facing: let a walk settle into a stand.
    if (me.character == 3 && me.state != Idle)
        return;
    tap(c, keysOf(c).special, t + uniform(c, 0, 2));
}

// Walks in to `range` and presses `slot`; the tactic ends with its last
// press.
void closeInAndPress(ComputerPlayer& c, const Sight& s, double t, float range, int slot)
{
    const WrestlerSight& me = s.self;
    const WrestlerSight& o = s.other;
    const LevelStyle& style = styleOf(c);
    const float judged = distanceBetween(me, o) + static_cast<float>(gauss(c, style.aimError));
    // The careless one lets fly from a step too far.
    const float reach = chance(c, style.mistakeChance * 0.5) ? range + 2.5f : range;
    if (judged > reach) {
        walkToward(c, me, o.x, o.z, t);
        return;
    }
    stopSteering(c, t);
    tap(c, slot, t + uniform(c, 0, 2));
    if (--c.pressesLeft <= 0)
        c.tactic = NoTactic;
}

void meetRunner(ComputerPlayer& c, const Sight& s, double t)
{
    stopSteering(c, t);
    const WrestlerSight& me = s.self;
    const WrestlerSight& o = s.other;
    RunPath path;
    if (me.state != Idle || awaitingAction(c, s) || !runPath(o, otherOf(c), s.time, path))
        return;
    const double relX = me.x - path.x, relZ = me.z - path.z;
    double along = relX * path.dirX + relZ * path.dirZ;
    const double lateral = std::fabs(relX * path.dirZ - relZ * path.dirX);
    if (along <= runningBlowDistance - runningBlowSlack || lateral > 3)
        return;                             // running elsewhere
    // It faces the runner, so the blow lands while the two are 3.5 to 6.5
    // apart. The careless one swings early.
    if (chance(c, styleOf(c).mistakeChance * 0.3))
        along -= 3;
    const double meet = std::sqrt(runningBlowDistance * runningBlowDistance - lateral * lateral);
    planRunningBlow(c, path, along - meet, runningBlowSlack, t);
}

void offTheRopes(ComputerPlayer& c, const Sight& s, double t)
{
    const WrestlerSight& me = s.self;
    if (me.state == OnRopes) {
        stopSteering(c, t);
        return;
    }
    // Walking backwards away from the opponent, into the ropes behind.
    const float axis = walkingAxis(me);
    steer(c, oppositeKey(keyAlongAxis(axis)), t);
}

void sideRopes(ComputerPlayer& c, const Sight& s, double t)
{
    const WrestlerSight& me = s.self;
    if (me.state == OnRopes) {
        stopSteering(c, t);
        c.tactic = NoTactic;
        return;
    }
    // Sideways toward the nearer rope across the facing.
    const float axis = walkingAxis(me);
    const float leftAxis = std::fmod(axis + 90, 360), rightAxis = std::fmod(axis + 270, 360);
    const float side = roomAlong(me, leftAxis) < roomAlong(me, rightAxis) ? leftAxis : rightAxis;
    if (roomAlong(me, side) > 16) {
        c.tactic = NoTactic;
        return;
    }
    steer(c, keyAlongAxis(side), t);
}

void circle(ComputerPlayer& c, const Sight& s, double t)
{
    if (c.steering < 0) {
        const float axis = walkingAxis(s.self);
        steer(c, keyAlongAxis(std::fmod(axis + (chance(c, 0.5) ? 90 : 270), 360)), t);
    }
}

// Lines up with the opponent along the floor axis between them, then runs
// at it with a double tap.
void runAt(ComputerPlayer& c, const Sight& s, double t)
{
    const WrestlerSight& me = s.self;
    const WrestlerSight& o = s.other;
    const double dx = o.x - me.x, dz = o.z - me.z;
    if (std::sqrt(dx * dx + dz * dz) < 7) {
        c.tactic = NoTactic;
        return;
    }
    const bool alongX = std::fabs(dx) > std::fabs(dz);
    const double off = alongX ? dz : dx;
    if (std::fabs(off) > 0.8) {
        steer(c, keyToward(alongX ? 0 : off, alongX ? off : 0), t);
        return;
    }
    stopSteering(c, t);
    doubleTap(c, directionSlot(c, keyToward(dx, dz)), t + uniform(c, 1, 3));
    c.tactic = NoTactic;
}

// Now and then a big moment earns fireworks.
void showOff(ComputerPlayer& c, const Sight& s, double t)
{
    const int victim = s.other.state;
    const bool bigMove = victim == Stunned || victim == Chokeslammed || victim == OlympicSlammed || victim == BottomSlammed;
    if (!bigMove || t < c.showUntil) {
        return;
    }
    // Decided once per move.
    c.showUntil = t + 150;
    if (chance(c, 0.2)) {
        schedule(c, t, fireworksSlot, true);
        schedule(c, t + uniform(c, 30, 90), fireworksSlot, false);
    }
}

// Where it has walked to since the sight: it knows which key it holds.
WrestlerSight predictedSelf(const ComputerPlayer& c, const Sight& s, double t)
{
    WrestlerSight me = s.self;
    if (c.steering < 0 || me.state != Walking)
        return me;
    const double walked = forwardSpeed(selfOf(c).clips[ClipWalk]) * (t - std::max(s.time, c.steerSince));
    const PlayerKeys& k = keysOf(c);
    if (c.steering == k.left)
        me.z += static_cast<float>(walked);
    else if (c.steering == k.right)
        me.z -= static_cast<float>(walked);
    else if (c.steering == k.up)
        me.x -= static_cast<float>(walked);
    else if (c.steering == k.down)
        me.x += static_cast<float>(walked);
    return me;
}

// Whether its signature move would catch the weakened opponent from where
// they stand now.
bool finisherOn(ComputerPlayer& c, const Sight& s)
{
    const WrestlerSight& me = s.self;
    const WrestlerSight& o = s.other;
    if (!(o.health < weakened) || goingDown(o))
        return false;
    if ((me.character == 1 || me.character == 3) && o.state == Running)
        return false;
    if (me.character == 3 && (me.state != Idle || !roomInRing(headingToward(me, o), -20, me.x, me.z)))
        return false;
    return distanceBetween(me, o) + gauss(c, styleOf(c).aimError) <= grabRange;
}

void playOnFoot(ComputerPlayer& c, const Sight& seen, double t)
{
    Sight s = seen;
    s.self = predictedSelf(c, seen, t);
    if (!tacticFits(c, s, t))
        chooseTactic(c, s, t);
    if (awaitingAction(c, s))
        return;
    if (finisherOn(c, s)) {
        stopSteering(c, t);
        tap(c, keysOf(c).special, t + uniform(c, 0, 2));
        return;
    }
    const PlayerKeys& k = keysOf(c);
    switch (c.tactic) {
    case PunchTactic: closeInAndPress(c, s, t, punchRange, k.strike); break;
    case GrabTactic: closeInAndPress(c, s, t, grabRange, k.grab); break;
    case KickTactic:
    case PinTactic:
        if (s.other.state != Lying) {
            walkToward(c, s.self, s.other.x, s.other.z, t);     // close in while it falls
            break;
        }
        if (c.tactic == KickTactic)
            closeInAndPress(c, s, t, kickRange, k.strike);
        else
            closeInAndPress(c, s, t, pinRange, k.grab);
        break;
    case SignatureTactic: signature(c, s, t); break;
    case RopesTactic: offTheRopes(c, s, t); break;
    case SideRopesTactic: sideRopes(c, s, t); break;
    case RunTactic: runAt(c, s, t); break;
    case MeetRunnerTactic: meetRunner(c, s, t); break;
    case CircleTactic: circle(c, s, t); break;
    default: stopSteering(c, t); break;
    }
}

void playMatch(ComputerPlayer& c, const Sight& s, double t)
{
    const WrestlerSight& me = s.self;
    showOff(c, s, t);
    if (me.clip == ClipGetPinned) {
        fightThePin(c, s, t);
        return;
    }
    c.pinDecided = false;
    if (goingDown(me) || me.state == Pinned) {
        getUp(c, s, t);
        return;
    }
    c.getUpFrom = -1;
    if (me.state != Grabbing)
        c.holdDecided = false;
    if (me.state == Grabbing) {
        finishHold(c, s, t);
    } else if (me.state == Running || runningOrAboutTo(me)) {
        c.tactic = NoTactic;
        run(c, s, t);
    } else if (me.state == OnRopes) {
        // Coming off a rope: hands off the keys until it is back on its feet.
        stopSteering(c, t);
    } else if (isFreeState(me.state)) {
        playOnFoot(c, s, t);
    } else {
        stopSteering(c, t);
    }
}

void decide(ComputerPlayer& c, const Sight& s, double t)
{
    if (s.phase != c.lastPhase) {
        releaseAll(c, t);
        c.lastPhase = s.phase;
        c.target = -1;
        c.confirmAt = -1;
        c.entranceDecided = false;
        c.tactic = NoTactic;
        c.getUpFrom = -1;
        c.pinDecided = false;
        c.holdDecided = false;
    }
    switch (s.phase) {
    case Selection: chooseCharacter(c, s, t); break;
    case Entrance: watchEntrance(c, s, t); break;
    case Match: playMatch(c, s, t); break;
    default: break;                         // the victory plays on its own
    }
}

} // namespace

const LevelStyle& levelStyle(ComputerLevel level)
{
    const int i = level < EasyLevel ? 0 : level > HardLevel ? 2 : static_cast<int>(level);
    return levelStyles[i];
}

bool parseLevel(std::string_view text, ComputerLevel& level)
{
    if (text == "easy")
        level = EasyLevel;
    else if (text == "normal")
        level = NormalLevel;
    else if (text == "hard")
        level = HardLevel;
    else
        return false;
    return true;
}

void startComputer(ComputerPlayer& c, int player, ComputerLevel level, unsigned seed)
{
    const int wanted = c.wantedCharacter;
    const double skip = c.skipChance;
    std::vector<TimedKey>* journal = c.journal;
    c = ComputerPlayer{};
    c.wantedCharacter = wanted;
    c.skipChance = skip;
    c.journal = journal;
    c.active = true;
    c.player = player == 1 ? 1 : 2;
    c.level = level;
    c.source = c.player == 1 ? ComputerSource : SecondComputerSource;
    c.random.seed(seed);
    c.seen = -1e9;
    const PlayerKeys& k = keysOf(c);
    for (int slot : {k.up, k.left, k.right, k.down, k.strike, k.grab, k.special})
        reserveSlot(slot, c.source);
}

void stopComputer(ComputerPlayer& c, double time)
{
    if (!c.active)
        return;
    releaseSource(c.source, time);
    const PlayerKeys& k = keysOf(c);
    for (int slot : {k.up, k.left, k.right, k.down, k.strike, k.grab, k.special})
        freeSlot(slot);
    c.pending.clear();
    c.active = false;
}

void startComputers(int players, ComputerLevel level, unsigned seed)
{
    if (players & 1)
        startComputer(computerOne, 1, level, seed);
    if (players & 2)
        startComputer(computerTwo, 2, level, seed * 2654435761u + 1);
}

void computerFrame(ComputerPlayer& c, double time)
{
    if (!c.active)
        return;
    c.memory.push_back(lookAtGame(c));
    if (time >= c.nextLook) {
        const LevelStyle& style = styleOf(c);
        if (const Sight* s = recall(c, time)) {
            c.seen = s->time;
            decide(c, *s, time);
        }
        c.nextLook = time + uniform(c, style.thinkLow, style.thinkHigh);
    }
    forgetOldSights(c, time);
    pressDue(c, time);
}

void playComputers(double time)
{
    computerFrame(computerOne, time);
    computerFrame(computerTwo, time);
}
