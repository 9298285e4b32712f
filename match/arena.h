// The hall, the ring, the posts with their ropes, and the crowd stands.
#pragma once

void drawFloor();
void drawRing();
void drawPostsAndRopes();
void drawCrowd();
void drawPanel(float halfLength, float halfHeight, unsigned int texture, int repeat);
void drawStand();
void drawBox(float halfLength, float halfWidth, float height);
