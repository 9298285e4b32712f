// Camera, the single light, and the clip planes that keep shadows on the mat.
#pragma once

extern double shadowClipPlanes[4][4];

void setupView();
void defineShadowClipPlanes();
