#include "assets/mesh.h"

Mesh bodyMesh;

void loadMesh(Mesh&, const char*) {}  // TODO(issue 3)
void bindSkin(Mesh& mesh, Animation& skeleton) { mesh.skeleton = &skeleton; }
