// The one skinned body model ("man_low.mesh") and the binding of its
// vertices to joints.
#pragma once

#include <string_view>
#include <vector>

struct Animation;

struct MeshVertex {
    float restX, restY, restZ;
    float restNormalX, restNormalY, restNormalZ;
    float posedX, posedY, posedZ;
    float posedNormalX, posedNormalY, posedNormalZ;
    float boneX, boneY, boneZ;      // bone-relative position, a skinning step
    int bone;
};

struct MeshFace {
    int vertex[3];
    int texCoord[3];
    float normal[3];
    // 0: first body texture, 1: second, anything else: both.
    int textureSelect;
};

struct TexCoord {
    float u, v, w;                  // v is stored negated
};

struct Mesh {
    std::vector<MeshVertex> vertices;
    std::vector<MeshFace> faces;
    std::vector<TexCoord> texCoords;
    int vertexCount = 0;
    int faceCount = 0;
    int texCoordCount = 0;
    Animation* skeleton = nullptr;  // the clip whose bones pose the mesh
};

// More vertices, faces or texture coordinates than this is a corrupt file.
constexpr int maxMeshElements = 1000000;

// Reads the mesh file into the mesh. An unopenable file prints "ERROR!!"
// and, like a short or inconsistent one, stops the program.
void loadMesh(Mesh& mesh, const char* path);
// The same from the file's text in memory; a problem is thrown as a
// DataFileError naming `file`. Returns how many vertices had no normal line
// (they face straight up). With `logCounts` it writes the loading log's
// count line once the counts are read.
int parseMesh(Mesh& mesh, std::string_view text, const char* file, bool logCounts = false);

// Ties every vertex to one joint from the skeleton's rest offsets and points
// the mesh at that skeleton.
void bindSkin(Mesh& mesh, Animation& skeleton);

// The shared body of both wrestlers.
extern Mesh bodyMesh;
