#include "tests/game_session.h"

#include "assets/catalogue.h"
#include "match/phases.h"
#include "tests/gl_context.h"
#include "tests/quiet_gl.h"
#include "tests/support.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

bool loadWholeGame()
{
    static int state = 0;           // 0 not tried, 1 loaded, -1 failed
    if (state != 0)
        return state == 1;
    state = -1;
    if (!quietGlContext())
        return false;
    TempDir dir;
    writeFile(dir.file("game.ini"), std::string(TARVOK_RUN_DIR "/data/\n") + "%.0s" TARVOK_RUN_DIR "/data/%s\n");
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd) || chdir(dir.path.c_str()) != 0)
        return false;
    testing::internal::CaptureStdout();
    initGame();
    testing::internal::GetCapturedStdout();
    if (chdir(cwd) == 0)
        state = 1;
    return state == 1;
}

void displayFrame(double time, int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The window's display callback hands the aspect over in single
    // precision; so does this, or edges would fall a pixel apart.
    gluPerspective(40, static_cast<float>(static_cast<double>(width) / height), 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    gameFrame(time, static_cast<float>(width), static_cast<float>(height));
}

std::string shotDirectory()
{
    const std::filesystem::path source(__FILE__);
    const std::filesystem::path out = source.is_absolute() ? source.parent_path().parent_path() / "out" : "out";
    std::error_code ignored;
    std::filesystem::create_directories(out, ignored);
    return out.string();
}
