// The platform layer's contract, the same on every system: the program's
// path, whole-file reads in binary mode, the environment, the stack depth
// on both stacks, clocks, calendar times and the system's error texts.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

TEST(PlatformFiles, ExecutablePathNamesThisProgram) {
    std::string path;
    ASSERT_TRUE(platformExecutablePath(&path));
    size_t separator = path.find_last_of(platformPathSeparator());
    ASSERT_NE(separator, std::string::npos) << path;
    EXPECT_EQ(lower(path.substr(separator + 1)).rfind("unit_tests", 0), 0u) << path;
    EXPECT_TRUE(platformFileExists(path.c_str()));
    // The folder that holds it is not a file.
    EXPECT_FALSE(platformFileExists(path.substr(0, separator).c_str()));
    EXPECT_FALSE(platformFileExists(nullptr));
}

// Every byte comes back as it was: line ends, a zero, a Ctrl+Z and high bytes
// are not text-mode material here.
TEST(PlatformFiles, ReadsEveryByteOfAFile) {
    std::filesystem::path file = std::filesystem::temp_directory_path() / "zorak_platform_read.bin";
    std::string written("a\r\nb\nc\r", 7);
    written += std::string("\0\x1a\xff\x80", 4);
    written += std::string(70000, 'z');
    {
        std::ofstream out(file, std::ios::binary);
        out.write(written.data(), static_cast<std::streamsize>(written.size()));
    }
    std::string name = file.string();
    EXPECT_TRUE(platformFileExists(name.c_str()));
    std::string contents = "old";
    bool complete = false;
    ASSERT_TRUE(platformReadFile(name.c_str(), &contents, &complete));
    EXPECT_TRUE(complete);
    EXPECT_EQ(contents, written);
    std::filesystem::remove(file);

    complete = true;
    EXPECT_FALSE(platformReadFile(name.c_str(), &contents, &complete));
    EXPECT_FALSE(complete);
    EXPECT_FALSE(platformFileExists(name.c_str()));
}

TEST(PlatformEnvironment, LookupsAndTheWholeBlock) {
    std::string value = "kept";
    EXPECT_FALSE(platformGetEnv("ZORAK_SURELY_NOT_SET_ANYWHERE", &value));
    EXPECT_FALSE(platformGetEnv(nullptr, &value)) << "a null name is no variable";
    EXPECT_EQ(value, "kept");
    std::string path;
    ASSERT_TRUE(platformGetEnv("PATH", &path));
    EXPECT_TRUE(platformGetEnv("PATH", nullptr));
    // Every entry has a name before its "=", and PATH is among them.
    bool found = false;
    for (const std::string& entry : platformEnvironment()) {
        size_t equals = entry.find('=');
        ASSERT_NE(equals, std::string::npos) << entry;
        EXPECT_GT(equals, 0u) << entry;
        if (lower(entry.substr(0, equals)) == "path") found = entry.substr(equals + 1) == path;
    }
    EXPECT_TRUE(found);
}

namespace {

size_t remainingBelow(int depth) {
    volatile char pad[512] = {};
    if (depth == 0) return platformStackRemaining() + pad[0];
    return remainingBelow(depth - 1) + pad[1];
}

struct LargeRun {
    bool on_large = false;
    size_t remaining = 0;
    size_t deeper = 0;
};

void measureOnLargeStack(void* data) {
    LargeRun* run = static_cast<LargeRun*>(data);
    run->on_large = platformOnLargeStack();
    run->remaining = platformStackRemaining();
    run->deeper = remainingBelow(64);
}

} // namespace

// The depth checks of the evaluator rest on this: the figure is finite,
// shrinks as calls nest, and on the large stack measures that stack.
TEST(PlatformStack, RemainingShrinksWithDepthOnBothStacks) {
    size_t here = platformStackRemaining();
    ASSERT_NE(here, SIZE_MAX);
    EXPECT_GT(here, size_t{64} << 10);
    size_t deeper = remainingBelow(64);
    EXPECT_LT(deeper, here);
    EXPECT_GT(deeper + 64 * 512, here - (size_t{64} << 10));

    EXPECT_FALSE(platformOnLargeStack());
    LargeRun run;
    ASSERT_TRUE(platformRunOnLargeStack(measureOnLargeStack, &run));
    EXPECT_TRUE(run.on_large);
    EXPECT_FALSE(platformOnLargeStack());
    // Far more than any thread's own stack, yet no more than the large stack
    // holds: the figure measures that stack and not the thread's.
    EXPECT_GT(run.remaining, size_t{32} << 20);
    EXPECT_LT(run.remaining, size_t{512} << 20);
    EXPECT_LT(run.deeper, run.remaining);
}

TEST(PlatformClock, SeedIsMicrosecondsOfTheCalendar) {
    uint64_t seed = platformClockSeed();
    uint64_t seconds = static_cast<uint64_t>(std::time(nullptr));
    // Within a minute of the runtime's own clock.
    EXPECT_LT(seed / 1000000 > seconds ? seed / 1000000 - seconds : seconds - seed / 1000000, 60u);
}

TEST(PlatformClock, LocalTimeOfKnownAndOddValues) {
    struct tm out {};
    // 2023-11-14 22:13:20 UTC: the same calendar day or its neighbour anywhere.
    platformLocalTime(1700000000, &out);
    EXPECT_EQ(out.tm_year, 123);
    EXPECT_EQ(out.tm_mon, 10);
    EXPECT_GE(out.tm_mday, 14);
    EXPECT_LE(out.tm_mday, 15);
    // Times before 1970 and after 3000 are dates too: 1968-11-27 and
    // 3001-01-01, give or take a day.
    out = {};
    platformLocalTime(-86400LL * 400, &out);
    EXPECT_EQ(out.tm_year, 68);
    EXPECT_EQ(out.tm_mon, 10);
    EXPECT_GE(out.tm_mday, 26);
    EXPECT_LE(out.tm_mday, 27);
    out = {};
    platformLocalTime(32535216000LL + 43200, &out);
    EXPECT_EQ(out.tm_year, 1101);
    EXPECT_EQ(out.tm_mon, 0);
    EXPECT_EQ(out.tm_mday, 1);
    EXPECT_EQ(out.tm_yday, 0);
}

TEST(PlatformSystem, NamesAndErrorTexts) {
    std::string name;
    EXPECT_TRUE(platformUserName(&name));
    EXPECT_FALSE(name.empty());
    name.clear();
    EXPECT_TRUE(platformHostName(&name));
    EXPECT_FALSE(name.empty());
    // Code 2 is a missing file on both systems; the text has no line end.
    std::string text = platformErrorText(2);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
    EXPECT_NE(text.back(), ' ');
    EXPECT_TRUE(platformNetworkStartup());
    platformNetworkCleanup();
}
