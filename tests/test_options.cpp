// The command line: what it accepts, what it refuses, and that help and
// version need no display.
#include "app/options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

bool parse(std::vector<std::string> args, Options& out, std::string& error)
{
    args.insert(args.begin(), "tarvok");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    return parseOptions(static_cast<int>(argv.size()), argv.data(), out, error);
}

// Runs the game binary with the given arguments and no display; returns its
// exit status and what it printed on both streams.
int runGame(const std::string& args, std::string& output)
{
    const std::string command = "env -u DISPLAY " TARVOK_BINARY " " + args + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[512];
    output.clear();
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Options, NoneGiveTheDefaultGame)
{
    Options o;
    std::string error;
    EXPECT_TRUE(parse({}, o, error));
    EXPECT_FALSE(o.help);
    EXPECT_FALSE(o.version);
    EXPECT_FALSE(o.noSound);
}

TEST(Options, NoSoundIsAcceptedAndExplained)
{
    Options o;
    std::string error;
    EXPECT_TRUE(parse({"--no-sound"}, o, error)) << error;
    EXPECT_TRUE(o.noSound);
    EXPECT_FALSE(o.help);
    EXPECT_NE(helpText().find("--no-sound"), std::string::npos);
    EXPECT_FALSE(parse({"--no-sounds"}, o, error));
}

TEST(Options, NoPadsIsAcceptedAndExplained)
{
    Options o;
    std::string error;
    EXPECT_FALSE(o.noPads);
    EXPECT_TRUE(parse({"--no-pads", "--no-sound"}, o, error)) << error;
    EXPECT_TRUE(o.noPads);
    EXPECT_TRUE(o.noSound);
    EXPECT_NE(helpText().find("--no-pads"), std::string::npos);
}

TEST(Options, UnknownOptionsAreNamed)
{
    Options o;
    std::string error;
    EXPECT_FALSE(parse({"--frobnicate"}, o, error));
    EXPECT_NE(error.find("'--frobnicate'"), std::string::npos) << error;
    EXPECT_FALSE(parse({"stray"}, o, error));
    EXPECT_NE(error.find("'stray'"), std::string::npos) << error;
}

TEST(Options, RecordingsAndTheirPace)
{
    Options o;
    std::string error;
    EXPECT_TRUE(parse({"--record", "game.tvr"}, o, error)) << error;
    EXPECT_EQ(o.recordPath, "game.tvr");
    Options r;
    EXPECT_TRUE(parse({"--replay", "/tmp/game.tvr", "--replay-speed", "2.5"}, r, error)) << error;
    EXPECT_EQ(r.replayPath, "/tmp/game.tvr");
    EXPECT_EQ(r.replaySpeed, 2.5);
    // The installed launcher starts the game elsewhere and says where the
    // player was: relative names mean there.
    setenv("TARVOK_START_DIR", "/home/player", 1);
    Options l;
    EXPECT_TRUE(parse({"--record", "games/one.tvr"}, l, error)) << error;
    EXPECT_EQ(l.recordPath, "/home/player/games/one.tvr");
    unsetenv("TARVOK_START_DIR");

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--record"}, {"--replay", ""}, {"--replay-speed", "fast"},
          {"--replay-speed", "-1"}, {"--replay-speed", "nan"}, {"--replay-speed", "2x"},
          {"--record", "a.tvr", "--replay", "b.tvr"}}) {
        Options b;
        EXPECT_FALSE(parse(bad, b, error)) << bad[0];
    }
    Options b;
    parse({"--record"}, b, error);
    EXPECT_EQ(error, "option '--record' needs a value (try tarvok --help)");
}

TEST(Options, HelpAndVersionPrintWithoutADisplay)
{
    std::string out;
    EXPECT_EQ(runGame("--help", out), 0);
    EXPECT_EQ(out, helpText());
    EXPECT_EQ(runGame("--version", out), 0);
    EXPECT_EQ(out, std::string("tarvok ") + gameVersion + "\n");
    EXPECT_EQ(runGame("--bogus", out), 2);
    EXPECT_EQ(out, "tarvok: unknown option '--bogus' (try tarvok --help)\n");
}

} // namespace
