#include "assets/catalogue.h"

#include "assets/config.h"
#include "assets/skeleton.h"
#include "wrestler/wrestler.h"

CharacterProfile roster[rosterSize] = {};
const std::array<const char*, clipCount> clipFiles{};
const std::array<int, clipCount> clipLoadOrder{};
unsigned int cementTexture, ringTexture, crowdTexture, entranceTexture, backgroundTexture, flashTexture;
const std::array<SceneTexture, 6> sceneTextures{};

// Placeholder until the full catalogue lands: configuration and skeleton.
void initGame()
{
    readConfig();
    loadSkeleton(playerOne.clips[0], dataPath("man.bone"));
}

void loadBodyAndClips() {}
