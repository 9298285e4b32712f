#include "match/view.h"

#include "match/phases.h"
#include "match/ropes.h"

#include <GL/gl.h>
#include <GL/glu.h>

// Together the four planes keep the square column |x| <= 18, |z| <= 18.
double shadowClipPlanes[4][4] = {
    {0, 0, 1, 18},
    {0, 0, -1, 18},
    {1, 0, 0, 18},
    {-1, 0, 0, 18},
};

void setupView()
{
    // A point light; red for the character that calls for it.
    const GLfloat position[4] = {1, 10, 10, 1};
    const GLfloat white[4] = {0.7f, 0.7f, 0.7f, 1};
    const GLfloat grey[4] = {0.1f, 0.1f, 0.1f, 1};
    const GLfloat red[4] = {0.5f, 0, 0, 1};
    const GLfloat darkRed[4] = {0.1f, 0, 0, 1};

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // Placed under the identity, so the light travels with the camera.
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, redLighting ? red : white);
    glLightfv(GL_LIGHT0, GL_AMBIENT, redLighting ? darkRed : grey);

    gluLookAt(cameraEye[0], cameraEye[1], cameraEye[2], cameraTarget[0], cameraTarget[1], cameraTarget[2],
              0, 1, 0);
    // The planes are stored in the eye frame of the view loaded when they
    // are given, so they are given again under every new view; planes kept
    // from another camera would cut the shadows somewhere off the ring.
    defineShadowClipPlanes();

    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

void defineShadowClipPlanes()
{
    static const GLenum planes[4] = {GL_CLIP_PLANE0, GL_CLIP_PLANE1, GL_CLIP_PLANE2, GL_CLIP_PLANE3};
    for (int i = 0; i < 4; ++i) {
        shadowClipPlanes[i][3] = ringHalfSize;
        glClipPlane(planes[i], shadowClipPlanes[i]);
    }
}
