#include "tests/gl_context.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <png.h>
// After gtest: Xlib's macros would clash with its names.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

static void ignoreDisplay() {}

bool ensureGlContext()
{
    static int window = 0;
    if (window)
        return true;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    // GLUT ends the whole process when it cannot open the display; a test
    // should fail and say why instead. The probe stays open: an X server
    // resets when its last client leaves, and GLUT's connection would meet
    // the reset. A server that another test process has just left may be
    // in that reset and refuse connections for a moment, so the probe tries
    // again for two seconds, once: later tests fail at once.
    static Display* probe = nullptr;
    static bool tried = false;
    for (int attempt = 0; !probe && !tried && attempt < 20; ++attempt) {
        if (attempt > 0)
            usleep(100 * 1000);
        probe = XOpenDisplay(display);
    }
    tried = true;
    if (!probe) {
        // Fatal, so that a fixture which gives up in its set-up does not
        // go on to run its body without a context.
        [display] {
            FAIL() << "cannot open the X display \"" << display
                   << "\": drawing tests need a running X server (the suite runs under xvfb-run)";
        }();
        return false;
    }
    int argc = 1;
    char name[] = "tarvok_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(glTestWidth, glTestHeight);
    window = glutCreateWindow("tarvok test");
    glutDisplayFunc(ignoreDisplay);
    glViewport(0, 0, glTestWidth, glTestHeight);
    return true;
}

std::vector<unsigned char> readPixels(int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool writePng(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = height - 1; y >= 0; --y)
        png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<std::size_t>(y) * width * 4]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}
