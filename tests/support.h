// Small helpers shared by the tests: temporary directories and files.
#pragma once

#include <string>

// A fresh, empty directory under /tmp, removed with everything in it when
// the object goes away.
struct TempDir {
    std::string path;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return path + "/" + name; }
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);

// The skeleton the data tool writes, as text (18 joints, root 1).
std::string layoutSkeletonText();
