#include "assets/catalogue.h"

#include "anim/playback.h"
#include "assets/clipfile.h"
#include "assets/config.h"
#include "assets/mesh.h"
#include "assets/skeleton.h"
#include "assets/texture.h"
#include "match/fireworks.h"
#include "match/hud.h"
#include "match/phases.h"
#include "match/ropes.h"
#include "wrestler/wrestler.h"

#include <cstdio>

CharacterProfile roster[rosterSize] = {
    {"THE VORLAN", "vorlan1.raw", "vorlan2.raw", "vorlanface.raw", "vorlan.aiff", 1.04f, 0, 0, 0},
    {"BRODEK KALVER", "kalver1.raw", "kalver2.raw", "kalverface.raw", "kalver.aiff", 1.0f, 0, 0, 0},
    {"ZORAG", "zorag1.raw", "zorag2.raw", "zoragface.raw", "zorag.aiff", 1.13f, 0, 0, 0},
    {"DAVIK TESKAR", "teskar1.raw", "teskar2.raw", "teskarface.raw", "teskar.aiff", 0.973f, 0, 0, 0},
};

const std::array<const char*, clipCount> clipFiles{
    "walk.anim", "stand.anim", "punch.anim", "hit.anim", "fall.anim", "lie.anim",
    "getup.anim", "kick.anim", "liehit.anim", "grab.anim", "getgrabbed.anim",
    "grapple.anim", "getgrappled.anim", "suplex.anim", "getsuplexed.anim",
    "stunner.anim", "getstunner.anim", "slam.anim", "getslammed.anim",
    "chokeslam.anim", "getchokeslammed.anim", "walkback.anim", "walkleft.anim",
    "walkright.anim", "ropesback.anim", "ropesleft.anim", "ropesright.anim",
    "grabmiss.anim", "run.anim", "runropes.anim", "runpunch.anim",
    "getrunpunch.anim", "runpunchmiss.anim", "hitrun.anim", "gethitrun.anim",
    "throw.anim", "getthrown.anim", "pin.anim", "getpinned.anim", "pinfall.anim",
    "getpinfalled.anim", "kickout.anim", "getkickout.anim", "getinring.anim",
    "vorlanceleb.anim", "kalverceleb.anim", "zoragceleb.anim", "teskarceleb.anim",
    "olympicslam.anim", "getolympicslam.anim", "vorlanbottom.anim",
    "getvorlanbottom.anim", "peopleelbow1.anim", "peopleelbow2.anim",
};

// The walks come first, the grab miss right after the grab, the rope clips
// after the two-body throws; from the run on, load order is id order.
const std::array<int, clipCount> clipLoadOrder{
    ClipWalk, ClipWalkBack, ClipWalkLeft, ClipWalkRight, ClipStand, ClipPunch,
    ClipHit, ClipFall, ClipLie, ClipGetup, ClipKick, ClipLieHit, ClipGrab,
    ClipGrabMiss, ClipGetGrabbed, ClipGrapple, ClipGetGrappled, ClipSuplex,
    ClipGetSuplexed, ClipStunner, ClipGetStunner, ClipSlam, ClipGetSlammed,
    ClipChokeslam, ClipGetChokeslammed, ClipRopesBack, ClipRopesLeft,
    ClipRopesRight, ClipRun, ClipRunRopes, ClipRunPunch, ClipGetRunPunch,
    ClipRunPunchMiss, ClipHitRun, ClipGetHitRun, ClipThrow, ClipGetThrown,
    ClipPin, ClipGetPinned, ClipPinfall, ClipGetPinfalled, ClipKickout,
    ClipGetKickout, ClipGetInRing, ClipVorlanCeleb, ClipKalverCeleb,
    ClipZoragCeleb, ClipTeskarCeleb, ClipOlympicSlam, ClipGetOlympicSlam,
    ClipVorlanBottom, ClipGetVorlanBottom, ClipPeopleElbow1, ClipPeopleElbow2,
};

unsigned int cementTexture, ringTexture, crowdTexture, entranceTexture, backgroundTexture, flashTexture;

const std::array<SceneTexture, 6> sceneTextures{{
    {"cement.raw", 128, &cementTexture},
    {"ring.raw", 256, &ringTexture},
    {"crowd4.raw", 256, &crowdTexture},
    {"entrance.raw", 256, &entranceTexture},
    {"background.raw", 256, &backgroundTexture},
    {"flash.raw", 128, &flashTexture},
}};

// The body is bound to joints 0 to 17 by their fixed roles.
constexpr int bodyJointCount = 18;

// Every clip slot of both wrestlers gets its own copy of the skeleton and
// every clip is loaded into both wrestlers. The skeleton file and each clip
// file are parsed once and the record copied into the other slots; each
// slot still logs its path, so the log reads as if every file were read for
// every slot.
void loadBodyAndClips()
{
    Animation& firstSlot = playerOne.clips[static_cast<std::size_t>(clipLoadOrder[0])];
    bool skeletonRead = false;
    for (int id : clipLoadOrder)
        for (Wrestler* w : {&playerOne, &playerTwo}) {
            Animation& slot = w->clips[static_cast<std::size_t>(id)];
            const char* path = dataPath("man.bone");
            if (!skeletonRead) {
                loadSkeleton(slot, path);
                if (slot.boneCount < bodyJointCount)
                    dataFileError(path, "has %d joints; the body needs %d", slot.boneCount, bodyJointCount);
                skeletonRead = true;
            } else {
                slot = firstSlot;
            }
        }

    loadMesh(bodyMesh, dataPath("man_low.mesh"));

    for (int id : clipLoadOrder) {
        const std::size_t slot = static_cast<std::size_t>(id);
        const char* file = clipFiles[slot];
        loadAnimation(playerOne.clips[slot], dataPath(file));
        dataPath(file);
        playerTwo.clips[slot] = playerOne.clips[slot];
    }

    bindSkin(bodyMesh, playerOne.clips[ClipWalk]);
    advanceClip(playerOne, 0, playerTwo);
    advanceClip(playerTwo, 0, playerOne);
}

void initGame()
{
    resetMatch();
    readConfig();
    initFireworks(fireworks, 4000);
    updateFireworks(fireworks, 100, 0);
    soundInit();
    std::printf("GAME init\n");
    createRopes();
    for (CharacterProfile& profile : roster) {
        loadTexture(dataPath(profile.bodyTextureFile1), 256, 256, profile.bodyTexture1);
        loadTexture(dataPath(profile.bodyTextureFile2), 256, 256, profile.bodyTexture2);
        loadTexture(dataPath(profile.faceTextureFile), 64, 64, profile.faceTexture);
    }
    for (const SceneTexture& texture : sceneTextures)
        loadTexture(dataPath(texture.file), texture.size, texture.size, *texture.name);
    loadBodyAndClips();
    buildFont();
    assignProfile(playerOne, 0);
    assignProfile(playerTwo, 1);
}
