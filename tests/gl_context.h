// An OpenGL context for tests that draw: a hidden-from-nobody GLUT window on
// the X display of xvfb-run, and helpers to read back and save what was drawn.
#pragma once

#include <string>
#include <vector>

constexpr int glTestWidth = 640;
constexpr int glTestHeight = 480;

// Creates the window once per process and makes its context current.
// Returns false (and the caller should skip) when there is no display; a
// display that is named but cannot be opened also fails the test.
bool ensureGlContext();

// Reads the back buffer as RGBA rows, bottom row first.
std::vector<unsigned char> readPixels(int width = glTestWidth, int height = glTestHeight);

// Writes RGBA pixels (bottom row first, as read back) to a PNG file.
bool writePng(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height);
