// Measures the clips as a viewer sees them: both wrestlers played with the
// game's clip player, skinned with the game's skinning, and checked for
// bodies passing through each other, hands that miss what they hold, feet
// that slide or sink, and jumps where the game cuts from one clip to the
// next.
#pragma once

#include "anim/maths.h"

#include <string>
#include <vector>

struct Mesh;
struct Wrestler;

// The data directory the checks read: the build's own, or the one named by
// TARVOK_CHECK_DATA (to measure another set of clips the same way).
std::string checkDataDir();

// Two wrestlers of the checks' own, every clip loaded into each, and the
// body mesh bound to the skeleton. Loaded on first use.
Wrestler& checkWrestler(int index);
Mesh& checkMesh();
int clipIdNamed(const std::string& file);

// Where every vertex of the wrestler's body is drawn in its current pose
// (body scale 1).
void skinBody(Wrestler& w, std::vector<Vector3>& out);
// Where a rest-pose point that moves with `joint` is drawn.
Vector3 bodyPoint(Wrestler& w, int joint, float x, float y, float z);

// A posed body's closed surface, sorted into columns for a vertical ray
// test: a point is inside when a ray straight up crosses the surface an odd
// number of times.
struct Surface {
    const std::vector<Vector3>* vertices = nullptr;
    Vector3 low{}, high{};
    double cell = 0.5;
    int columnsX = 0, columnsZ = 0;
    std::vector<int> columnStart;
    std::vector<int> columnFaces;
};
void buildSurface(Surface& s, const std::vector<Vector3>& vertices, const Mesh& mesh);
bool insideSurface(const Surface& s, const Vector3& p);

// ------------------------------------------------------------ figures

// A paired move played from its start: the worst share of either body's
// vertices inside the other, the worst share counting only vertices that
// are not at a hand, and the widest gap of each hold of the move.
struct PairFigures {
    double share = 0, shareAway = 0;
    float shareTime = 0, awayTime = 0;
    double shareBoth = 0;       // of both bodies' vertices together
    float bothTime = 0;
    std::vector<double> holdGaps;       // one per hold of the move, in table order
    std::vector<float> holdGapTimes;
    std::vector<int> holds;             // their indices in the hold table
};
PairFigures measurePair(int pair, float step, bool shares = true);

// One clip played alone from the origin (loops for two passes): the most a
// planted foot slides during one contact with the mat, and how far the
// body reaches below the mat while it is not lying down (the waist more
// than 2 up) and while it is. Climbing into the ring, a part that has come
// up wholly onto the apron counts its depth below the apron from then on.
// Tilt: how far the sole of a foot on the mat rises from its lowest point
// to its highest (0.06 for a flat foot, more as it rocks onto toe or heel).
struct ClipFigures {
    double slide = 0, depth = 0, lyingDepth = 0, tilt = 0;
    float slideTime = 0, depthTime = 0, tiltTime = 0;
};
ClipFigures measureClip(const std::string& file, float step);

// A cut the game makes: the widest jump of any vertex of either body
// between the last frame before it and the first after, against the
// largest step any vertex makes in one frame in the first 30 units of the
// clip cut into (the clip's own motion per step).
struct CutFigures {
    std::string name;
    double jump = 0, motion = 0;
    float worstTime = 0;        // clip time of the clip cut from, at the worst cut
    // The widest jump of a vertex relative to its wrestler's place on the
    // floor: what is left once the places the rules move the wrestlers to
    // are taken out.
    double poseJump = 0;
};
std::vector<CutFigures> measureCuts(float step);

// Frame step of the measurements, in clip time units.
constexpr float checkStep = 1.0f;
