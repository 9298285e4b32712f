#include "anim/body.h"

#include "anim/maths.h"
#include "anim/pose.h"
#include "anim/shadow.h"
#include "assets/catalogue.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "wrestler/wrestler.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>
#include <map>
#include <utility>
#include <vector>

// The body scale of a wrestler's character; an index outside the roster
// draws at natural size rather than reading past the table.
static float bodyScaleOf(const Wrestler& w)
{
    if (w.character < 0 || w.character >= rosterSize)
        return 1.0f;
    return roster[w.character].bodyScale;
}

void drawWrestler(Wrestler& w, int showModels, int showBones, int showShadows)
{
    if (w.clip < 0 || w.clip >= clipSlots)
        return;
    Animation& current = w.clips[static_cast<std::size_t>(w.clip)];
    const float scale = bodyScaleOf(w);

    evaluatePose(current);

    glPushMatrix();
    glTranslatef(w.x, w.y, w.z);
    glRotatef(w.heading, 0, 1, 0);
    if (w.model)
        w.model->skeleton = &current;

    glEnable(GL_TEXTURE_2D);
    if (showModels && w.model)
        drawBody(*w.model, w.bodyTexture1, w.bodyTexture2, scale);
    glDisable(GL_TEXTURE_2D);

    if (showBones)
        drawBones(current);
    glPopMatrix();

    if (showShadows && w.model) {
        // The shadow shows this wrestler's pose even when its body was not
        // drawn: the shared mesh may still hold the other wrestler's.
        if (!showModels)
            deformMesh(*w.model, scale);
        const float p = shadowPlaneFor(w.y);
        drawShadow(*w.model, p, w.x, w.z, w.heading, 0.2f);
    }
}

void deformMesh(Mesh& mesh, float scale)
{
    if (!mesh.skeleton)
        return;
    const Animation& skeleton = *mesh.skeleton;
    for (MeshVertex& v : mesh.vertices) {
        const float sx = scale * v.restX, sy = scale * v.restY, sz = scale * v.restZ;
        if (v.bone < 0 || v.bone >= skeleton.boneCount) {
            // Unbound vertices stay where the rest pose puts them.
            v.posedX = sx, v.posedY = sy, v.posedZ = sz;
            v.posedNormalX = v.restNormalX, v.posedNormalY = v.restNormalY, v.posedNormalZ = v.restNormalZ;
            continue;
        }
        const Bone& bone = skeleton.bones[static_cast<std::size_t>(v.bone)];
        Vector3 r;
        matTransformDirection(r, bone.worldMatrix, v.restNormalX, v.restNormalY, v.restNormalZ);
        v.posedNormalX = static_cast<float>(r.x);
        v.posedNormalY = static_cast<float>(r.y);
        v.posedNormalZ = static_cast<float>(r.z);

        matTransformPoint(r, bone.bindInverse, sx, sy, sz);
        v.boneX = static_cast<float>(r.x);
        v.boneY = static_cast<float>(r.y);
        v.boneZ = static_cast<float>(r.z);

        matTransformPoint(r, bone.worldMatrix, v.boneX, v.boneY, v.boneZ);
        v.posedX = static_cast<float>(r.x);
        v.posedY = static_cast<float>(r.y);
        v.posedZ = static_cast<float>(r.z);
    }
}

namespace {

// The body as vertex arrays. Faces name a vertex and a texture coordinate
// separately at each corner, so every pair the faces use becomes one array
// vertex; the texture coordinates never change, the posed positions and
// normals are copied in before each draw. The index lists keep the faces in
// their order, so the triangles reach the screen exactly as before.
struct BodyArrays {
    // What the lists were built from, to notice a different mesh.
    std::vector<MeshFace> faces;
    std::vector<TexCoord> texCoords;
    std::size_t vertexCount = 0;

    std::vector<int> source;            // mesh vertex of each array vertex
    std::vector<GLfloat> texCoord;      // u, v
    std::vector<GLfloat> position;      // x, y, z
    std::vector<GLfloat> normal;        // x, y, z
    std::vector<GLuint> firstPass;      // faces on the first texture
    std::vector<GLuint> secondPass;     // faces on the second texture
    std::vector<GLuint> allFaces;       // every face, as mesh vertex indices
};

BodyArrays arrays;

template <typename T>
bool sameContents(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool validVertices(const Mesh& mesh, const MeshFace& f)
{
    for (int v : f.vertex)
        if (v < 0 || v >= static_cast<int>(mesh.vertices.size()))
            return false;
    return true;
}

bool validTexCoords(const Mesh& mesh, const MeshFace& f)
{
    for (int t : f.texCoord)
        if (t < 0 || t >= static_cast<int>(mesh.texCoords.size()))
            return false;
    return true;
}

// The index lists for this mesh's faces, built again only when they differ
// from the last mesh's.
BodyArrays& arraysFor(const Mesh& mesh)
{
    BodyArrays& a = arrays;
    if (a.vertexCount == mesh.vertices.size() && sameContents(a.faces, mesh.faces) &&
        sameContents(a.texCoords, mesh.texCoords))
        return a;

    a = BodyArrays{};
    a.faces = mesh.faces;
    a.texCoords = mesh.texCoords;
    a.vertexCount = mesh.vertices.size();
    std::map<std::pair<int, int>, GLuint> index;
    auto corner = [&](const MeshFace& f, int c) {
        const auto key = std::make_pair(f.vertex[c], f.texCoord[c]);
        const auto found = index.find(key);
        if (found != index.end())
            return found->second;
        const GLuint i = static_cast<GLuint>(a.source.size());
        index.emplace(key, i);
        a.source.push_back(f.vertex[c]);
        const TexCoord& tc = mesh.texCoords[static_cast<std::size_t>(f.texCoord[c])];
        a.texCoord.push_back(tc.u);
        a.texCoord.push_back(tc.v);
        return i;
    };
    for (const MeshFace& f : mesh.faces) {
        // A face naming a vertex the mesh does not have is left out, and
        // one naming a missing texture coordinate is left out of the
        // textured passes.
        if (!validVertices(mesh, f))
            continue;
        for (int v : f.vertex)
            a.allFaces.push_back(static_cast<GLuint>(v));
        if (!validTexCoords(mesh, f))
            continue;
        // Selector 0 is the first texture only, 1 the second only, any
        // other value both.
        for (int c = 0; c < 3; ++c) {
            const GLuint i = corner(f, c);
            if (f.textureSelect != 1)
                a.firstPass.push_back(i);
            if (f.textureSelect != 0)
                a.secondPass.push_back(i);
        }
    }
    a.position.resize(a.source.size() * 3);
    a.normal.resize(a.source.size() * 3);
    return a;
}

void drawPass(const std::vector<GLuint>& indices)
{
    if (!indices.empty())
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
}

}  // namespace

void drawBody(Mesh& mesh, unsigned int texture1, unsigned int texture2, float scale)
{
    deformMesh(mesh, scale);
    const float rootHeight = mesh.skeleton ? mesh.skeleton->rootOffset[1] : 0.0f;

    BodyArrays& a = arraysFor(mesh);
    for (std::size_t i = 0; i < a.source.size(); ++i) {
        const MeshVertex& v = mesh.vertices[static_cast<std::size_t>(a.source[i])];
        GLfloat* p = &a.position[i * 3];
        GLfloat* n = &a.normal[i * 3];
        p[0] = v.posedX, p[1] = v.posedY, p[2] = v.posedZ;
        n[0] = v.posedNormalX, n[1] = v.posedNormalY, n[2] = v.posedNormalZ;
    }

    glPushMatrix();
    glTranslatef(0, scale * rootHeight, 0);

    glEnable(GL_NORMALIZE);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glColor3f(1, 1, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glVertexPointer(3, GL_FLOAT, 0, a.position.data());
    glNormalPointer(GL_FLOAT, 0, a.normal.data());
    glTexCoordPointer(2, GL_FLOAT, 0, a.texCoord.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindTexture(GL_TEXTURE_2D, texture1);
    drawPass(a.firstPass);
    glBindTexture(GL_TEXTURE_2D, texture2);
    drawPass(a.secondPass);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);

    glPopMatrix();
}

void drawPosedFaces(const Mesh& mesh)
{
    const BodyArrays& a = arraysFor(mesh);
    if (a.allFaces.empty())
        return;
    glVertexPointer(3, GL_FLOAT, sizeof(MeshVertex), &mesh.vertices[0].posedX);
    glEnableClientState(GL_VERTEX_ARRAY);
    drawPass(a.allFaces);
    glDisableClientState(GL_VERTEX_ARRAY);
}

static void drawBoneTree(const Animation& animation, int b, GLUquadric* quadric, int depth)
{
    if (b < 0 || b >= animation.boneCount || depth > maxBoneDepth)
        return;
    const Bone& bone = animation.bones[static_cast<std::size_t>(b)];
    drawBoneTree(animation, bone.nextSibling, quadric, depth);

    glColor3f(1, 1, 1);
    glPushMatrix();
    glRotatef(bone.rotation[0], 1, 0, 0);
    glRotatef(bone.rotation[1], 0, 1, 0);
    glRotatef(bone.rotation[2], 0, 0, 1);

    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(bone.offset[0], bone.offset[1], bone.offset[2]);
    glEnd();
    glEnable(GL_LIGHTING);

    glTranslatef(bone.offset[0], bone.offset[1], bone.offset[2]);
    glColor3f(1, 1, 1);
    gluSphere(quadric, 0.1, 10, 10);

    drawBoneTree(animation, bone.firstChild, quadric, depth + 1);
    glPopMatrix();
}

void drawBones(const Animation& animation)
{
    glPushMatrix();
    glTranslatef(0, animation.rootOffset[1], 0);

    glColor3f(1, 1, 1);
    GLUquadric* quadric = gluNewQuadric();
    gluSphere(quadric, 0.1, 10, 10);
    drawBoneTree(animation, animation.rootBone, quadric, 0);
    gluDeleteQuadric(quadric);

    glPopMatrix();
}
