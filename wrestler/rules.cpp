#include "wrestler/rules.h"

#include "anim/playback.h"
#include "assets/catalogue.h"
#include "assets/config.h"
#include "wrestler/grapples.h"
#include "wrestler/movement.h"
#include "wrestler/pins.h"
#include "wrestler/rebounds.h"
#include "wrestler/strikes.h"
#include "wrestler/wrestler.h"

#include <array>

namespace {

// A body meeting the mat: the clip, the clip time past which it lands, whether
// the fall is heard, and what it costs the one who falls.
struct Impact {
    int clip;
    float threshold;
    bool sound;
    float damage;
};

constexpr std::array<Impact, 14> impacts{{
    {ClipFall, 50, true, 2},
    {ClipRunPunchMiss, 42, true, 2},
    {ClipGetSuplexed, 82, true, 10},
    {ClipGetSlammed, 90, true, 10},
    {ClipGetRunPunch, 45, true, 16},
    {ClipGetHitRun, 42, true, 16},
    {ClipGetStunner, 120, true, 60},
    {ClipGetChokeslammed, 85, true, 60},
    {ClipGetOlympicSlam, 75, true, 60},
    {ClipGetVorlanBottom, 92, true, 60},
    {ClipStunner, 80, true, 0},
    {ClipPeopleElbow2, 65, true, 0},
    {ClipVorlanCeleb, 10, false, 0},
    {ClipKalverCeleb, 10, false, 0},
}};

// Regained per unit of game time, up to full health.
constexpr float regenerationRate = 0.01f;
constexpr float fullHealth = 100;

} // namespace

void impactCheck(Wrestler& w)
{
    if (w.impactDone == 1)
        return;
    for (const Impact& impact : impacts) {
        if (w.clip != impact.clip || !(w.clipTime > impact.threshold))
            continue;
        w.impactDone = 1;
        if (impact.sound)
            soundPlay(soundPath("fall.aiff"), 0);
        ropeJolt();
        w.health -= impact.damage;
        if (impact.clip == ClipPeopleElbow2) {
            // The elbow lands on the opponent wherever it is now.
            w.elbowArmed = 0;
            if (w.opponent) {
                Wrestler& o = *w.opponent;
                cutToClip(o, w, ClipLieHit, ClipLie, Hurt, Lying);
                o.punchesTaken = 0;
            }
        }
        return;
    }
}

void regenerateHealth(Wrestler& w, float frameDelta)
{
    w.health += frameDelta * regenerationRate;
    if (w.health > fullHealth)
        w.health = fullHealth;
}

void disarmSpentElbowRun(Wrestler& w)
{
    if (w.elbowArmed && w.state != Running && w.state != OnRopes && w.state != ElbowDropping)
        w.elbowArmed = 0;
}

void behaviourStep(Wrestler& self, Wrestler& other, const PlayerKeys& keys)
{
    // The order matters: a move started by an earlier handler hides the
    // wrestler from the later ones.
    walkHandler(self, keys.up, keys.left, keys.right, keys.down, other);
    runHandler(self, keys.up, keys.left, keys.right, keys.down, other);
    kickHandler(self, keys.strike, other);
    runPunchHandler(self, keys.strike, other);
    hitRunnerHandler(self, keys.strike, other);
    punchHandler(self, keys.strike, other);
    punchContact(self, other);
    kickContact(self, other);
    getUpHandler(self, keys.up, other);
    grabHandler(self, keys.grab, other);
    suplexHandler(self, keys.up, other);
    signatureHandler(self, keys.special, other, 1);    // stunner
    signatureHandler(self, keys.special, other, 3);    // olympic slam
    signatureHandler(self, keys.special, other, 2);    // chokeslam
    signatureHandler(self, keys.special, other, 0);    // bottom slam
    slamHandler(self, keys.strike, other);
    throwHandler(self, keys.down, other);
    pinHandler(self, keys.grab, other);
    kickOutHandler(self, keys.up, other);
    elbowDropHandler(self, other);
    impactCheck(self);
    disarmSpentElbowRun(self);
    disarmSpentElbowRun(other);
}
