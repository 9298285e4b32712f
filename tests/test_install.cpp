// The installed game: cmake --install of this build tree into a temporary
// prefix, the launcher started from another folder on the virtual display,
// and the .deb that cpack makes of the same tree.
#include "tests/real_game.h"
#include "tests/support.h"

#include <gtest/gtest.h>
// After gtest: Xlib's macros would clash with its names.
#include <X11/Xlib.h>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

const int iconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The text as one word for the shell.
std::string shellWord(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct Result {
    int status = -1;
    std::string output;     // both streams
};

Result run(const std::string& command)
{
    Result r;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return r;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        r.output.append(buffer, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Every file and link under a directory, relative to it, sorted.
std::vector<std::string> treeOf(const std::string& dir)
{
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(dir, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error))
        if (!it->is_directory() || it->is_symlink())
            files.push_back(fs::relative(it->path(), dir).string());
    std::sort(files.begin(), files.end());
    return files;
}

// What an install holds, relative to its prefix.
std::vector<std::string> expectedTree()
{
    std::vector<std::string> files = {"bin/tarvok", "lib/tarvok/tarvok", "share/applications/tarvok.desktop"};
    for (int size : iconSizes)
        files.push_back("share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/tarvok.png");
    for (const std::string& f : treeOf(TARVOK_RUN_DIR "/data"))
        files.push_back("share/tarvok/" + f);
    std::sort(files.begin(), files.end());
    return files;
}

::testing::AssertionResult installInto(const std::string& prefix)
{
    const Result r = run(TARVOK_CMAKE " --install " TARVOK_BUILD_DIR " --prefix " + shellWord(prefix));
    if (r.status != 0)
        return ::testing::AssertionFailure() << "cmake --install failed:\n" << r.output;
    return ::testing::AssertionSuccess();
}

// Width and height from a PNG file's header, 0 x 0 if it is not one.
std::pair<int, int> pngSize(const std::string& path)
{
    const std::string bytes = readFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    auto word = [&](std::size_t at) {
        int v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {word(16), word(20)};
}

// Every window titled "Tarvok" on the display. Other tests may run a game
// at the same time, so the launched one is told apart as the window that
// was not there before it started.
void collectTarvokWindows(Display* display, Window window, std::set<Window>& found)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        if (std::strcmp(name, "Tarvok") == 0)
            found.insert(window);
        XFree(name);
    }
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            collectTarvokWindows(display, children[i], found);
        if (children)
            XFree(children);
    }
}

std::set<Window> tarvokWindows(Display* display)
{
    std::set<Window> found;
    collectTarvokWindows(display, DefaultRootWindow(display), found);
    return found;
}


// The launcher started in a folder with some environment, its standard
// output read through a pipe.
struct Launched {
    pid_t pid = -1;
    int out = -1;
    std::string log;

    void start(const std::string& launcher, const std::string& folder, const std::string& runtimeDir)
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            if (chdir(folder.c_str()) != 0)
                _exit(99);
            setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
            execl(launcher.c_str(), "tarvok", static_cast<char*>(nullptr));
            _exit(98);
        }
        close(fds[1]);
        out = fds[0];
        fcntl(out, F_SETFL, O_NONBLOCK);
    }

    void readLog()
    {
        char buffer[4096];
        ssize_t n;
        while ((n = read(out, buffer, sizeof buffer)) > 0)
            log.append(buffer, static_cast<std::size_t>(n));
    }

    bool running()
    {
        int status;
        return pid > 0 && waitpid(pid, &status, WNOHANG) == 0;
    }

    void stop()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            pid = -1;
        }
    }

    ~Launched()
    {
        stop();
        if (out >= 0)
            close(out);
    }
};

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(Install, PutsTheGameTheWholeDataFolderTheMenuEntryAndTheIconsUnderThePrefix)
{
    TempDir prefix;
    ASSERT_TRUE(installInto(prefix.path));
    EXPECT_EQ(treeOf(prefix.path), expectedTree()) << "exactly the game, its data, launcher, menu entry and icons";
    EXPECT_EQ(access(prefix.file("bin/tarvok").c_str(), X_OK), 0);
    EXPECT_EQ(access(prefix.file("lib/tarvok/tarvok").c_str(), X_OK), 0);
    for (const std::string& f : treeOf(TARVOK_RUN_DIR "/data"))
        EXPECT_TRUE(readFile(prefix.file("share/tarvok/" + f)) == readFile(TARVOK_RUN_DIR "/data/" + f)) << f;

    for (int size : iconSizes) {
        const std::string n = std::to_string(size);
        EXPECT_EQ(pngSize(prefix.file("share/icons/hicolor/" + n + "x" + n + "/apps/tarvok.png")),
                  std::make_pair(size, size));
    }

    const std::string entry = readFile(prefix.file("share/applications/tarvok.desktop"));
    EXPECT_NE(entry.find("\nExec=tarvok\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=tarvok\n"), std::string::npos) << entry;
    const Result valid = run("desktop-file-validate " + shellWord(prefix.file("share/applications/tarvok.desktop")));
    EXPECT_EQ(valid.status, 0);
    EXPECT_EQ(valid.output, "");
}

TEST(Install, TheLauncherStartsTheInstalledGameFromAnotherFolderWithoutWritingIntoTheInstall)
{
    const char* displayName = std::getenv("DISPLAY");
    ASSERT_TRUE(displayName && *displayName) << "the test suite runs under xvfb-run";
    Display* display = openDisplay(nullptr);
    ASSERT_NE(display, nullptr);

    TempDir prefix, caller, runtime;
    ASSERT_TRUE(installInto(prefix.path));
    const std::vector<std::string> installed = treeOf(prefix.path);
    const std::set<Window> before = tarvokWindows(display);

    Launched game;
    game.start(prefix.file("bin/tarvok"), caller.path, runtime.path);
    Window window = 0;
    ASSERT_TRUE(waitFor(
        [&] {
            for (Window w : tarvokWindows(display))
                if (!before.count(w))
                    window = w;
            return window != 0 || !game.running();
        },
        60));
    game.readLog();
    ASSERT_NE(window, 0u) << "the game ended without opening its window:\n" << game.log;
    EXPECT_TRUE(waitFor(
        [&] {
            XWindowAttributes attributes;
            return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
        },
        30))
        << "the window never showed";

    // The loading log names the installed data: 18 textures, 108 skeleton
    // copies, the mesh and 108 clips.
    const std::string data = prefix.path + "/share/tarvok/";
    EXPECT_TRUE(waitFor([&] { game.readLog(); return count(game.log, "Loading : ") >= 235 || !game.running(); }, 60));
    EXPECT_TRUE(game.running());
    EXPECT_EQ(game.log.rfind("GAME init\n", 0), 0u) << game.log;
    EXPECT_NE(game.log.find("Loading : " + data + "man.bone\n"), std::string::npos) << game.log;
    EXPECT_NE(game.log.find("Loading : " + data + "walk.anim\n"), std::string::npos) << game.log;
    EXPECT_EQ(count(game.log, "Loading : " + data), 235u);
    EXPECT_EQ(count(game.log, "Loading : "), 235u);

    // game.ini went into the player's runtime folder and nowhere else.
    EXPECT_EQ(readFile(runtime.file("tarvok/game.ini")), data + "\n%.0s" + data + "%s\n");
    EXPECT_EQ(treeOf(runtime.path), std::vector<std::string>{"tarvok/game.ini"});
    EXPECT_EQ(treeOf(caller.path), std::vector<std::string>{});
    EXPECT_EQ(treeOf(prefix.path), installed);

    // The window was the launched game's: it goes when the game does.
    game.stop();
    EXPECT_TRUE(waitFor([&] { return tarvokWindows(display).count(window) == 0; }, 20));
    XCloseDisplay(display);
}

TEST(Install, TheLauncherPassesOptionsOnAndReachesAnOddPrefixThroughALink)
{
    TempDir base, caller, runtime, cache;
    // White space cannot stand in game.ini and a percent sign would be read
    // as a conversion in the sound pattern.
    const std::string prefix = base.path + "/odd prefix 100%s";
    ASSERT_TRUE(installInto(prefix));
    const std::string launcher = shellWord(prefix + "/bin/tarvok");
    const std::string inCaller = "cd " + shellWord(caller.path) + " && env -u DISPLAY XDG_RUNTIME_DIR=" + shellWord(runtime.path) + " ";

    const Result version = run(inCaller + launcher + " --version");
    EXPECT_EQ(version.status, 0) << version.output;
    EXPECT_EQ(version.output, "tarvok " TARVOK_PACKAGE_VERSION "\n");
    EXPECT_EQ(readFile(runtime.file("tarvok/game.ini")), "data/\n%.0sdata/%s\n");
    EXPECT_EQ(fs::canonical(runtime.file("tarvok/data")), fs::canonical(prefix + "/share/tarvok"));

    const Result unknown = run(inCaller + launcher + " --no-such-option");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(count(unknown.output, "\n"), 1u) << unknown.output;
    EXPECT_NE(unknown.output.find("--no-such-option"), std::string::npos) << unknown.output;

    // Without a runtime directory the game starts in the user's cache.
    const Result help = run("cd " + shellWord(caller.path) + " && env -u DISPLAY -u XDG_RUNTIME_DIR XDG_CACHE_HOME="
                            + shellWord(cache.path) + " " + launcher + " --help");
    EXPECT_EQ(help.status, 0) << help.output;
    EXPECT_NE(help.output.find("Usage: tarvok"), std::string::npos) << help.output;
    EXPECT_EQ(readFile(cache.file("tarvok/game.ini")), "data/\n%.0sdata/%s\n");
    EXPECT_EQ(treeOf(caller.path), std::vector<std::string>{});
}

TEST(Install, TheLauncherFollowsLinksToItselfAndSaysSoWhenTheGameIsMissing)
{
    TempDir prefix, elsewhere, runtime;
    ASSERT_TRUE(installInto(prefix.path));
    const std::string env = "env -u DISPLAY XDG_RUNTIME_DIR=" + shellWord(runtime.path) + " ";

    // A link from another folder on the PATH, as some systems keep games.
    fs::create_symlink(prefix.file("bin/tarvok"), elsewhere.file("tarvok"));
    const Result linked = run(env + shellWord(elsewhere.file("tarvok")) + " --version");
    EXPECT_EQ(linked.status, 0) << linked.output;

    // The launcher copied away from the game and its data.
    fs::create_directory(elsewhere.file("bin"));
    fs::copy_file(prefix.file("bin/tarvok"), elsewhere.file("bin/tarvok"));
    const Result alone = run(env + shellWord(elsewhere.file("bin/tarvok")) + " --version");
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(count(alone.output, "\n"), 1u) << alone.output;
    EXPECT_EQ(alone.output.rfind("tarvok: the game or its data is missing", 0), 0u) << alone.output;
}

// The names of the packages in a Depends field, alternatives included.
std::set<std::string> dependencyNames(const std::string& depends)
{
    std::set<std::string> names;
    std::string name;
    bool inName = true;
    for (char c : depends + ",") {
        if (c == ',' || c == '|') {
            if (!name.empty())
                names.insert(name);
            name.clear();
            inName = true;
        } else if (std::isspace(static_cast<unsigned char>(c)) || c == '(' || c == ':') {
            if (!name.empty())
                inName = false;
        } else if (inName) {
            name += c;
        }
    }
    return names;
}

// The libraries a program names itself (not those they pull in), each with
// the file the dynamic loader finds for it.
std::map<std::string, std::string> neededLibraries(const std::string& program)
{
    std::map<std::string, std::string> found;
    std::istringstream dynamic(run("objdump -p " + shellWord(program)).output);
    std::string line;
    while (std::getline(dynamic, line)) {
        std::istringstream words(line);
        std::string tag, name;
        if (words >> tag >> name && tag == "NEEDED")
            found[name] = "";
    }
    std::istringstream resolved(run("ldd " + shellWord(program)).output);
    while (std::getline(resolved, line)) {
        std::istringstream words(line);
        std::string name, arrow, path;
        if (words >> name >> arrow >> path && arrow == "=>" && found.count(name))
            found[name] = path;
    }
    return found;
}

// The packages that hold a library file, by its real name.
std::set<std::string> owningPackages(const std::string& library)
{
    std::set<std::string> packages;
    std::istringstream lines(run("dpkg -S " + shellWord("*/" + fs::canonical(library).filename().string())).output);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(": ");
        if (colon == std::string::npos)
            continue;
        std::istringstream names(line.substr(0, colon));
        std::string name;
        while (std::getline(names, name, ',')) {
            name.erase(0, name.find_first_not_of(' '));
            packages.insert(name.substr(0, name.find(':')));
        }
    }
    return packages;
}

TEST(Package, TheDebHoldsTheInstalledTreeUnderUsrAndDeclaresTheLibrariesTheGameNeeds)
{
    TempDir out;
    const Result built = run(TARVOK_CPACK " --config " TARVOK_BUILD_DIR "/CPackConfig.cmake -B " + shellWord(out.path));
    ASSERT_EQ(built.status, 0) << built.output;
    std::string architecture = run("dpkg --print-architecture").output;
    architecture.erase(architecture.find_last_not_of('\n') + 1);
    const std::string deb = out.file("tarvok_" TARVOK_PACKAGE_VERSION "_" + architecture + ".deb");
    ASSERT_TRUE(fs::exists(deb)) << built.output;

    const Result fields = run("dpkg-deb -f " + shellWord(deb) + " Package Version Architecture Section");
    EXPECT_EQ(fields.output, "Package: tarvok\nVersion: " TARVOK_PACKAGE_VERSION "\nArchitecture: " + architecture
                                 + "\nSection: games\n");

    // The same files as an install, under /usr, owned by root.
    std::vector<std::string> files;
    std::istringstream listing(run("dpkg-deb --contents " + shellWord(deb)).output);
    std::string line;
    while (std::getline(listing, line)) {
        std::istringstream words(line);
        std::string mode, owner, size, date, time, path;
        ASSERT_TRUE(words >> mode >> owner >> size >> date >> time >> path) << line;
        EXPECT_EQ(owner, "root/root") << line;
        if (mode[0] != 'd') {
            ASSERT_EQ(path.rfind("./usr/", 0), 0u) << line;
            files.push_back(path.substr(6));
        }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, expectedTree());

    // Every library the game names is held by a package the .deb depends on.
    const std::string depends = run("dpkg-deb -f " + shellWord(deb) + " Depends").output;
    const std::set<std::string> declared = dependencyNames(depends.substr(depends.find(':') + 1));
    const std::map<std::string, std::string> libraries = neededLibraries(TARVOK_BINARY);
    for (const char* library : {"libglut.so.3.12", "libGLU.so.1", "libc.so.6", "libstdc++.so.6"})
        EXPECT_EQ(libraries.count(library), 1u) << library;
    for (const auto& [library, path] : libraries) {
        ASSERT_FALSE(path.empty()) << library << " is not found by the loader";
        const std::set<std::string> owners = owningPackages(path);
        EXPECT_TRUE(std::any_of(owners.begin(), owners.end(), [&](const std::string& p) { return declared.count(p); }))
            << library << " (" << path << ") is in no declared package; Depends:" << depends;
    }
    for (const std::string& name : declared)
        EXPECT_EQ(name.find("-dev"), std::string::npos) << "a development package among the dependencies: " << name;
}

} // namespace
