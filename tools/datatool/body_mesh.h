// The wrestler's body ("man_low.mesh"): one closed, smooth surface built from
// rings of vertices round the torso, neck and head, the arms and the legs.
#pragma once

#include <string>
#include <vector>

struct BodyVertex {
    float x, y, z;
    float nx, ny, nz;   // smooth normal, unit length
    int joint;          // the joint this vertex was built to follow
};

struct BodyFace {
    int vertex[3];
    float s[3], t[3];   // image coordinates on the face's texture
    int textureSelect;  // 0 skin texture, 1 trunks-and-legs texture
};

struct BodyMesh {
    std::vector<BodyVertex> vertices;
    std::vector<BodyFace> faces;
};

BodyMesh buildBodyMesh();

// The mesh file text (scale 1; texture coordinates shared where equal).
std::string bodyMeshText(const BodyMesh& mesh);
