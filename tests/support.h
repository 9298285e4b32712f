// Small helpers shared by the tests: temporary directories and files.
#pragma once

#include <string>

// A fresh, empty directory under /tmp, removed with everything in it when
// the object goes away. Only the process that made it removes it: a death
// test's child ends through exit(), which would otherwise run the
// destructors of static directories the parent still uses.
struct TempDir {
    std::string path;
    int owner;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return path + "/" + name; }
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);

struct Wrestler;

// Gives every clip slot of a wrestler an empty skeleton and root tracks that
// hold the body still for 100 units, so positions change only when a test
// moves the wrestler.
void stillClips(Wrestler& w);

// Loads the data tool's generated skeleton and clips (from the build's run
// folder) into every clip slot of a wrestler, without a log.
void generatedClips(Wrestler& w);

// The skeleton the data tool writes, as text (18 joints, root 1).
std::string layoutSkeletonText();
