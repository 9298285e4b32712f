#include "anim/playback.h"

#include "assets/skeleton.h"
#include "wrestler/movement.h"
#include "wrestler/rules.h"
#include "wrestler/wrestler.h"

#include <algorithm>
#include <cmath>

// The value of the key before the last one: where a clip loops, and where its
// root path stands at that moment. The last key lies beyond the loop point.
static float loopKeyValue(const KeyTrack& track)
{
    return track.count >= 2 ? track.keys[static_cast<std::size_t>(track.count - 2)].value : 0.0f;
}

static float firstKeyValue(const KeyTrack& track)
{
    return track.count >= 1 ? track.keys[0].value : 0.0f;
}

float clipLength(const Animation& animation)
{
    const KeyTrack& track = animation.rootTracks[0];
    return track.count >= 2 ? track.keys[static_cast<std::size_t>(track.count - 2)].time : 0.0f;
}

float forwardSpeed(const Animation& animation)
{
    const float length = clipLength(animation);
    if (!(length > 0))
        return 0;
    const KeyTrack& forward = animation.rootTracks[2];
    return std::fabs(loopKeyValue(forward) - firstKeyValue(forward)) / length * clipTimeRate;
}

// Turns a root displacement in the body's frame (dz forward, dx towards the
// body's side 90 degrees round) into a floor step and takes it.
static void stepAlongHeading(Wrestler& w, Wrestler& opponent, float dx, float dz)
{
    const double forward = headingRadians(w.heading);
    const double side = headingRadians(w.heading + 90.0f);
    const float stepX = static_cast<float>(dz * std::sin(forward) + dx * std::sin(side));
    const float stepZ = static_cast<float>(dz * std::cos(forward) + dx * std::cos(side));
    applyStep(w, opponent, stepX, stepZ);
}

void advanceClip(Wrestler& w, float dt, Wrestler& opponent)
{
    const float t = w.clipTime + dt;
    const float length = clipLength(w.clips[static_cast<std::size_t>(w.clip)]);
    // A clip without a length (never loaded) cannot loop; its time just runs.
    w.clipTime = length > 0 ? std::fmod(t, length) : t;
    // A step of a whole length or more wraps back to where it started, or
    // past it: it reached the end all the same.
    const bool wrapped = w.clipTime < w.prevClipTime || (length > 0 && t >= length);

    if (wrapped) {
        // Finish the ended clip's root path up to its loop point.
        const Animation& ended = w.clips[static_cast<std::size_t>(w.clip)];
        stepAlongHeading(w, opponent, loopKeyValue(ended.rootTracks[0]) - w.prevRootX,
                         loopKeyValue(ended.rootTracks[2]) - w.prevRootZ);

        w.state = (w.state == Idle || w.state == GettingUp) ? Idle : w.nextState;
        w.clip = onClipEnd(w, w.clip, w.nextClip);

        const Animation& started = w.clips[static_cast<std::size_t>(w.clip)];
        w.prevRootX = firstKeyValue(started.rootTracks[0]);
        w.prevRootZ = firstKeyValue(started.rootTracks[2]);
    }
    w.prevClipTime = w.clipTime;

    Animation& current = w.clips[static_cast<std::size_t>(w.clip)];
    sampleClip(current, w.clipTime);
    stepAlongHeading(w, opponent, current.rootOffset[0] - w.prevRootX, current.rootOffset[2] - w.prevRootZ);
    w.prevRootX = current.rootOffset[0];
    w.prevRootZ = current.rootOffset[2];
}

void sampleClip(Animation& animation, float t)
{
    for (int axis = 0; axis < 3; ++axis)
        animation.rootOffset[axis] = trackSample(animation.rootTracks[static_cast<std::size_t>(axis)], t);
    for (int b = 0; b < animation.boneCount; ++b) {
        Bone& bone = animation.bones[static_cast<std::size_t>(b)];
        for (int axis = 0; axis < 3; ++axis)
            bone.rotation[axis] = trackSample(bone.rotationTracks[static_cast<std::size_t>(axis)], t);
    }
}

// Writes the pose the wrestler shows now into the target clip as keys at t0,
// in front of the clip's own keys, so the clip eases in from that pose.
void blendIntoClip(Wrestler& w, float t0, int target)
{
    const Animation& current = w.clips[static_cast<std::size_t>(w.clip)];
    Animation& into = w.clips[static_cast<std::size_t>(target)];
    const int bones = std::min(into.boneCount, current.boneCount);
    for (int b = 0; b < bones; ++b) {
        Bone& bone = into.bones[static_cast<std::size_t>(b)];
        const Bone& from = current.bones[static_cast<std::size_t>(b)];
        for (int axis = 0; axis < 3; ++axis)
            bone.rotation[axis] = from.rotation[axis];
        for (int axis = 0; axis < 3; ++axis)
            trackInsertKey(bone.rotationTracks[static_cast<std::size_t>(axis)], t0, bone.rotation[axis]);
    }
}

void removeBlendKeys(Wrestler& w, float t0, int target)
{
    Animation& clip = w.clips[static_cast<std::size_t>(target)];
    for (int b = 0; b < clip.boneCount; ++b)
        for (KeyTrack& track : clip.bones[static_cast<std::size_t>(b)].rotationTracks)
            trackRemoveKey(track, t0);
}

static void startClip(Wrestler& w, int clip, int nextClip, int state, int nextState, float time)
{
    w.clip = clip;
    w.nextClip = nextClip;
    w.state = state;
    w.nextState = nextState;
    w.clipTime = time;
    w.prevClipTime = time;
    w.prevRootX = 0;
    w.prevRootZ = 0;
}

void cutToClip(Wrestler& w, Wrestler& opponent, int clip, int nextClip, int state, int nextState)
{
    startClip(w, clip, nextClip, state, nextState, 0.0f);
    advanceClip(w, 0, opponent);
}

void blendToClip(Wrestler& w, Wrestler& opponent, int clip, int nextClip, int state, int nextState)
{
    blendIntoClip(w, -5.0f, clip);
    startClip(w, clip, nextClip, state, nextState, -5.0f);
    advanceClip(w, 0, opponent);
}
