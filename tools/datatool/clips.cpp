#include "tools/datatool/clips.h"

#include "tools/datatool/clips_author.h"

void writeClips(const std::string& dataDir)
{
    for (auto family : {locomotionClips, strikeClips, grappleClips, signatureClips, pinAndShowClips})
        for (const Clip& clip : family())
            writeClipFile(clip, dataDir);
}
