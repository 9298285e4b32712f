// Raw RGB textures: the cyan key colour and the upload.
#include "assets/texture.h"
#include "tests/clip_fixtures.h"
#include "tests/support.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

TEST(Texture, OnlyExactCyanBecomesTransparent)
{
    const unsigned char rgb[] = {0, 255, 255, 1, 255, 255, 0, 254, 255, 0, 255, 254, 0, 0, 0, 200, 100, 50};
    const std::vector<unsigned char> rgba = rawToRgba(rgb, 6);
    const std::vector<unsigned char> expected = {0, 0, 0, 0,       1, 255, 255, 255, 0, 254, 255, 255,
                                                 0, 255, 254, 255, 0, 0, 0, 255,     200, 100, 50, 255};
    EXPECT_EQ(rgba, expected);
}

TEST(Texture, AMissingFileIsReportedAndLeavesTheNameAlone)
{
    unsigned int name = 0;
    testing::internal::CaptureStdout();
    loadTexture("/nonexistent/ring.raw", 4, 4, name);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "error opening texture file : /nonexistent/ring.raw\n");
    EXPECT_EQ(name, 0u);
}

TEST(Texture, AShortFileStops)
{
    deathTestsStartAfresh();
    TempDir dir;
    writeFile(dir.file("flash.raw"), std::string(4 * 4 * 3 - 1, 'x'));
    const std::string path = dir.file("flash.raw");
    unsigned int name = 0;
    EXPECT_EXIT(
        {
            removeAtExit(dir.path);
            loadTexture(path.c_str(), 4, 4, name);
        },
        testing::ExitedWithCode(1),
                "flash.raw: holds 47 bytes; a 4 x 4 image needs 48");
}

TEST(Texture, UploadsRowsInFileOrderWithTheKeyTransparent)
{
    if (!loaderGlContext())
        GTEST_SKIP() << "no display";
    TempDir dir;
    // 2 x 2: top row cyan and near-cyan, bottom row black and red.
    const std::string raw = std::string("\x00\xff\xff\x01\xff\xff\x00\x00\x00\xff\x00\x00", 12);
    writeFile(dir.file("t.raw"), raw);
    unsigned int name = 0;
    loadTexture(dir.file("t.raw").c_str(), 2, 2, name);
    ASSERT_NE(name, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), name);
    GLint wrap = 0, filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(wrap, GL_REPEAT);
    EXPECT_EQ(filter, GL_NEAREST);

    std::vector<unsigned char> back(16, 7);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
    const std::vector<unsigned char> expected = {0, 0, 0, 0, 1, 255, 255, 255, 0, 0, 0, 255, 255, 0, 0, 255};
    EXPECT_EQ(back, expected);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
