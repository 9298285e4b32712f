// The game's fixed catalogues (roster, clips, scene textures) and the
// start-up that loads every asset.
#pragma once

#include <array>

struct CharacterProfile {
    char ringName[50];
    char bodyTextureFile1[50];
    char bodyTextureFile2[50];
    char faceTextureFile[50];
    char themeSoundFile[50];
    float bodyScale;
    unsigned int bodyTexture1;
    unsigned int bodyTexture2;
    unsigned int faceTexture;
};

constexpr int rosterSize = 4;
extern CharacterProfile roster[rosterSize];

// Clip ids, the index of each clip in a wrestler's clip slots.
enum ClipId {
    ClipWalk = 0, ClipStand, ClipPunch, ClipHit, ClipFall, ClipLie, ClipGetup,
    ClipKick, ClipLieHit, ClipGrab, ClipGetGrabbed, ClipGrapple, ClipGetGrappled,
    ClipSuplex, ClipGetSuplexed, ClipStunner, ClipGetStunner, ClipSlam,
    ClipGetSlammed, ClipChokeslam, ClipGetChokeslammed, ClipWalkBack,
    ClipWalkLeft, ClipWalkRight, ClipRopesBack, ClipRopesLeft, ClipRopesRight,
    ClipGrabMiss, ClipRun, ClipRunRopes, ClipRunPunch, ClipGetRunPunch,
    ClipRunPunchMiss, ClipHitRun, ClipGetHitRun, ClipThrow, ClipGetThrown,
    ClipPin, ClipGetPinned, ClipPinfall, ClipGetPinfalled, ClipKickout,
    ClipGetKickout, ClipGetInRing, ClipVorlanCeleb, ClipKalverCeleb,
    ClipZoragCeleb, ClipTeskarCeleb, ClipOlympicSlam, ClipGetOlympicSlam,
    ClipVorlanBottom, ClipGetVorlanBottom, ClipPeopleElbow1, ClipPeopleElbow2,
};

constexpr int clipCount = 54;       // clips loaded per wrestler
constexpr int clipSlots = 55;       // the last slot is never loaded

// File name of each clip, by clip id.
extern const std::array<const char*, clipCount> clipFiles;
// Clip ids in the order start-up reads them.
extern const std::array<int, clipCount> clipLoadOrder;

// Scene textures.
extern unsigned int cementTexture;
extern unsigned int ringTexture;
extern unsigned int crowdTexture;
extern unsigned int entranceTexture;
extern unsigned int backgroundTexture;
extern unsigned int flashTexture;

struct SceneTexture {
    const char* file;
    int size;
    unsigned int* name;
};
extern const std::array<SceneTexture, 6> sceneTextures;

// Loads every asset and leaves the game on the selection screen. Needs a
// current OpenGL context (textures and the font are uploaded).
void initGame();

// The part of start-up that needs no OpenGL context: the skeleton copies, the
// mesh, every clip of both wrestlers, the skin binding and the first poses.
// initGame runs it after the textures; tools and tests call it on its own
// (after readConfig).
void loadBodyAndClips();
