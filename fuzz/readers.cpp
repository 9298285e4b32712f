#include "fuzz/readers.h"

#include "anim/body.h"
#include "anim/playback.h"
#include "anim/pose.h"
#include "assets/clipfile.h"
#include "assets/config.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "assets/texture.h"
#include "wrestler/wrestler.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

std::string skeletonText;
Mesh body;
Animation posedSkeleton;
std::unique_ptr<Wrestler> self, other;

// What the game does with a file it accepted must never give it a pose or a
// body that is not a number: that is a fault as much as a crash is.
void requireFinite(float value, const char* what)
{
    if (!std::isfinite(value)) {
        std::fprintf(stderr, "a %s is not finite\n", what);
        std::abort();
    }
}

void requireFinitePose(const Animation& animation)
{
    for (float v : animation.rootOffset)
        requireFinite(v, "root offset");
    for (const Bone& bone : animation.bones)
        for (float v : bone.rotation)
            requireFinite(v, "joint rotation");
}

void requireFiniteBody(const Mesh& mesh)
{
    for (const MeshVertex& v : mesh.vertices)
        for (float c : {v.posedX, v.posedY, v.posedZ, v.posedNormalX, v.posedNormalY, v.posedNormalZ})
            requireFinite(c, "posed vertex");
}

std::string_view asText(const unsigned char* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

std::string generatedFile(const std::string& folder, const char* name)
{
    std::string text;
    const std::string path = folder + "/" + name;
    if (!readWholeFile(path.c_str(), text)) {
        std::fprintf(stderr, "cannot read %s; generate the data first\n", path.c_str());
        std::abort();
    }
    return text;
}

} // namespace

void prepareReaders(const char* dataFolder)
{
    skeletonText = generatedFile(dataFolder, "man.bone");
    parseMesh(body, generatedFile(dataFolder, "man_low.mesh"), "man_low.mesh");
    parseSkeleton(posedSkeleton, skeletonText, "man.bone");
    for (Bone& bone : posedSkeleton.bones)
        bone.rotation[0] = 30;
    evaluatePose(posedSkeleton);
    self = std::make_unique<Wrestler>();
    other = std::make_unique<Wrestler>();
    for (Wrestler* w : {self.get(), other.get()})
        for (Animation& clip : w->clips)
            parseSkeleton(clip, skeletonText, "man.bone");
    // The HOSTNAME enters the sound paths.
    setenv("HOSTNAME", "seat12abcde", 1);
}

void exerciseConfig(const unsigned char* data, std::size_t size)
{
    try {
        parseConfig(asText(data, size), "game.ini");
    } catch (const DataFileError&) {
        return;
    }
    dataPath("man.bone");
    dataPath("getvorlanbottom.anim");
    soundPath("bigcrowd2.aiff");
    soundPath("punchface.aiff");
}

void exerciseSkeleton(const unsigned char* data, std::size_t size)
{
    Animation skeleton;
    try {
        parseSkeleton(skeleton, asText(data, size), "man.bone");
    } catch (const DataFileError&) {
        return;
    }
    // The pose walk at rest and bent, then the body bound to it and posed.
    evaluatePose(skeleton);
    for (std::size_t b = 0; b < skeleton.bones.size(); ++b)
        for (std::size_t axis = 0; axis < 3; ++axis)
            skeleton.bones[b].rotation[axis] = static_cast<float>((b * 37 + axis * 53) % 360);
    evaluatePose(skeleton);
    Mesh mesh = body;
    bindSkin(mesh, skeleton);
    deformMesh(mesh, 1.13f);
    requireFiniteBody(mesh);
}

void exerciseMesh(const unsigned char* data, std::size_t size)
{
    Mesh mesh;
    try {
        parseMesh(mesh, asText(data, size), "man_low.mesh");
    } catch (const DataFileError&) {
        return;
    }
    bindSkin(mesh, posedSkeleton);
    deformMesh(mesh, 0.973f);
    requireFiniteBody(mesh);
}

void exerciseClip(const unsigned char* data, std::size_t size)
{
    Wrestler& w = *self;
    Animation& clip = w.clips[ClipPunch];
    parseSkeleton(clip, skeletonText, "man.bone");
    try {
        parseAnimation(clip, asText(data, size), "punch.anim");
    } catch (const DataFileError&) {
        return;
    }
    // Sampled anywhere, blended into from another pose, advanced past its
    // end with root motion, posed, and blended into once more.
    for (float t : {-20.0f, -5.0f, 0.0f, 0.5f, 13.0f, 30.0f, 1e4f}) {
        sampleClip(clip, t);
        requireFinitePose(clip);
    }
    resetWrestler(w);
    w.opponent = other.get();
    separationOn = 1;
    other->x = 3;
    blendToClip(w, *other, ClipPunch, ClipPunch, Striking, Striking);
    for (float dt : {0.3f, 1.8f, 7.0f, 60.0f, 500.0f}) {
        advanceClip(w, dt, *other);
        requireFinitePose(w.clips[static_cast<std::size_t>(w.clip)]);
        requireFinite(w.x, "position");
        requireFinite(w.z, "position");
    }
    evaluatePose(clip);
    blendToClip(w, *other, ClipPunch, ClipStand, Striking, Idle);
    advanceClip(w, 3, *other);
    removeBlendKeys(w, -5.0f, ClipPunch);
}

void exerciseTexture(const unsigned char* data, std::size_t size)
{
    if (size == 0)
        return;
    static const int sides[3] = {64, 128, 256};
    const int side = sides[data[0] % 3];
    std::vector<unsigned char> rgba;
    try {
        rgba = textureRgba(asText(data + 1, size - 1), side, side, "crowd4.raw");
    } catch (const DataFileError&) {
        return;
    }
    // Texels read as drawing samples them.
    unsigned sum = 0;
    for (int y = 0; y < side; y += 17)
        for (int x = 0; x < side; x += 13)
            sum += rgba[(static_cast<std::size_t>(y) * side + static_cast<std::size_t>(x)) * 4 + 3];
    volatile unsigned sink = sum;
    (void)sink;
}
