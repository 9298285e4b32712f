// The hall, the ring, the posts with their ropes, and the crowd stands.
#pragma once

// The whole arena, nearest surfaces first: what the ring hides of the floor
// then fails the depth test before it is shaded. Everything here is opaque,
// so the order changes no pixel.
void drawArena();
void drawFloor();
void drawRing();
void drawPostsAndRopes();
void drawCrowd();
void drawPanel(float halfLength, float halfHeight, unsigned int texture, int repeat);
void drawStand();
void drawBox(float halfLength, float halfWidth, float height);
