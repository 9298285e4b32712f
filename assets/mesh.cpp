#include "assets/mesh.h"

#include "assets/clipfile.h"
#include "assets/config.h"
#include "assets/skeleton.h"

#include <cmath>
#include <cstdio>

Mesh bodyMesh;

static int readCount(DataText& data, const char* what)
{
    const int count = readInt(data, what);
    if (count < 0 || count > maxMeshElements)
        badData(data.path.c_str(), "%s %d is not between 0 and %d", what, count, maxMeshElements);
    return count;
}

static int readIndex(DataText& data, const char* what, int size)
{
    const int index = readInt(data, what);
    if (index < 0 || index >= size)
        badData(data.path.c_str(), "%s %d is outside 0 to %d", what, index, size - 1);
    return index;
}

int parseMesh(Mesh& mesh, std::string_view text, const char* path, bool logCounts)
{
    DataText data = dataText(text, path);

    const float scale = readFloat(data, "the scale");
    const int vertexCount = readCount(data, "the vertex count");
    const int faceCount = readCount(data, "the face count");
    mesh.vertexCount = vertexCount;
    mesh.faceCount = faceCount;
    mesh.vertices.assign(static_cast<std::size_t>(vertexCount), MeshVertex{});
    mesh.faces.assign(static_cast<std::size_t>(faceCount), MeshFace{});
    if (logCounts)
        std::printf("%i, %i\n", vertexCount, faceCount);

    for (MeshVertex& v : mesh.vertices) {
        readFloat(data, "a vertex line");
        v.restX = readFloat(data, "a vertex line") * scale;
        v.restY = readFloat(data, "a vertex line") * scale;
        v.restZ = readFloat(data, "a vertex line") * scale;
        if (!std::isfinite(v.restX) || !std::isfinite(v.restY) || !std::isfinite(v.restZ))
            badData(path, "a vertex times the scale %g is too large", static_cast<double>(scale));
    }
    for (MeshFace& f : mesh.faces) {
        for (int& corner : f.vertex)
            corner = readIndex(data, "the vertex index", vertexCount);
        f.textureSelect = readInt(data, "a face's texture selector");
    }

    const int texCoordCount = readCount(data, "the texture coordinate count");
    mesh.texCoordCount = texCoordCount;
    mesh.texCoords.assign(static_cast<std::size_t>(texCoordCount), TexCoord{});
    for (TexCoord& t : mesh.texCoords) {
        readInt(data, "a texture coordinate line");
        t.u = readFloat(data, "a texture coordinate line");
        t.v = -readFloat(data, "a texture coordinate line");
        t.w = readFloat(data, "a texture coordinate line");
    }
    for (MeshFace& f : mesh.faces) {
        readInt(data, "a face's texture coordinate line");
        for (int& corner : f.texCoord)
            corner = readIndex(data, "the texture coordinate index", texCoordCount);
    }

    // Per face: its own normal, then a normal for each corner's vertex. A
    // vertex named by several faces keeps the last normal read.
    std::vector<char> hasNormal(static_cast<std::size_t>(vertexCount), 0);
    for (MeshFace& f : mesh.faces) {
        readInt(data, "a face normal line");
        const float a = readFloat(data, "a face normal line");
        const float b = readFloat(data, "a face normal line");
        const float c = readFloat(data, "a face normal line");
        f.normal[0] = -a;
        f.normal[1] = c;
        f.normal[2] = b;
        for (int k = 0; k < 3; ++k) {
            const int i = readIndex(data, "the vertex index of a normal line", vertexCount);
            MeshVertex& v = mesh.vertices[static_cast<std::size_t>(i)];
            v.restNormalX = readFloat(data, "a vertex normal line");
            v.restNormalY = readFloat(data, "a vertex normal line");
            v.restNormalZ = readFloat(data, "a vertex normal line");
            hasNormal[static_cast<std::size_t>(i)] = 1;
        }
    }

    // A vertex without a normal line would be lit by whatever the memory held;
    // it faces straight up instead.
    int without = 0;
    for (int i = 0; i < vertexCount; ++i)
        if (!hasNormal[static_cast<std::size_t>(i)]) {
            MeshVertex& v = mesh.vertices[static_cast<std::size_t>(i)];
            v.restNormalX = 0;
            v.restNormalY = 1;
            v.restNormalZ = 0;
            ++without;
        }
    return without;
}

void loadMesh(Mesh& mesh, const char* path)
{
    std::string text;
    if (!readWholeFile(path, text)) {
        std::printf("ERROR!!\n");
        dataFileError(path, "cannot be opened");
    }
    int without = 0;
    try {
        without = parseMesh(mesh, text, path, true);
    } catch (const DataFileError& error) {
        stopOnDataFileError(error);
    }
    // Named so the file can be fixed.
    if (without > 0)
        std::fprintf(stderr, "tarvok: %s: %d vertices have no normal line; they get the normal 0, 1, 0\n", path,
                     without);
}



// Ties each vertex rigidly to one joint by its rest position: upper or lower
// body by the waist, then down the arm and leg chains by the running sums of
// the bone vectors. Every comparison is strict.
void bindSkin(Mesh& mesh, Animation& skeleton)
{
    auto ox = [&](int b) { return skeleton.bones[static_cast<std::size_t>(b)].offset[0]; };
    auto oy = [&](int b) { return skeleton.bones[static_cast<std::size_t>(b)].offset[1]; };
    if (skeleton.boneCount < 18 || static_cast<int>(skeleton.bones.size()) < 18) {
        // Nothing to bind to: every vertex stays with the first joint.
        for (MeshVertex& v : mesh.vertices)
            v.bone = 0;
        mesh.skeleton = &skeleton;
        return;
    }
    const float armLeft1 = ox(9);
    const float armLeft2 = armLeft1 + ox(10);
    const float armLeft3 = armLeft2 + ox(11);
    const float armRight1 = ox(13);
    const float armRight2 = armRight1 + ox(14);
    const float armRight3 = armRight2 + ox(15);
    const float hip = oy(0);
    const float legLeft2 = oy(0) + oy(2);
    const float legLeft3 = legLeft2 + oy(3);
    const float legRight2 = oy(0) + oy(5);
    const float legRight3 = legRight2 + oy(6);
    const float neck = oy(8);

    for (MeshVertex& v : mesh.vertices) {
        const float x = v.restX;
        const float y = v.restY;
        int bone = y > 0 ? 8 : 0;
        if (bone == 8 && x < armLeft1) bone = 10;
        if (bone == 10 && x < armLeft2) bone = 11;
        if (bone == 11 && x < armLeft3) bone = 12;
        if (bone == 8 && x > armRight1) bone = 14;
        if (bone == 14 && x > armRight2) bone = 15;
        if (bone == 15 && x > armRight3) bone = 16;
        if (bone == 0 && x < ox(0) && y < hip) bone = 2;
        if (bone == 0 && x > ox(0) && y < hip) bone = 5;
        if (bone == 2 && y < legLeft2) bone = 3;
        if (bone == 3 && y < legLeft3) bone = 4;
        if (bone == 5 && y < legRight2) bone = 6;
        if (bone == 6 && y < legRight3) bone = 7;
        if (bone == 8 && y > neck) bone = 17;
        v.bone = bone;
    }
    mesh.skeleton = &skeleton;
}
