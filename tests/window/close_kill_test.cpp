// Close run in a process of its own, killed at random moments and raced by a second instance:
// the last-run file is always either the old file or a new one, never torn, and an instance
// that says it saved did.

#include "default_files.h"
#include "last_run_file.h"
#include "window_fixture.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace ferrolux::testing {
namespace {

// A running driver with its standard output collected in a file.
struct Driver
{
    pid_t pid = -1;
    std::string outputFile;
};

Driver startDriver(const ProgramFolder &folder, const std::string &voltage, long delayMicros,
                   const std::string &outputFile)
{
    Driver driver;
    driver.outputFile = outputFile;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string folderPath = folder.path().toStdString();
    const std::string delay = std::to_string(delayMicros);
    char *const argv[] = {
        const_cast<char *>(FERROLUX_CLOSE_DRIVER), const_cast<char *>(folderPath.c_str()),
        const_cast<char *>(voltage.c_str()), const_cast<char *>(delay.c_str()), nullptr};
    if (posix_spawn(&driver.pid, FERROLUX_CLOSE_DRIVER, &actions, nullptr, argv, environ) != 0) {
        driver.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return driver;
}

int waitFor(const Driver &driver)
{
    int status = 0;
    waitpid(driver.pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// The primary voltage of a last-run file that reads whole, or "" for any other file.
std::string savedVoltage(const std::string &bytes)
{
    const LastRunLoad load = readLastRun(bytes);
    return load.complete() ? load.values.primaryVoltage : std::string();
}

TEST(CloseKill, KilledAtAnyMomentTheFileIsOldOrNew)
{
    ProgramFolder folder;
    folder.writeExample();
    const std::string output = folder.file("driver.out");
    std::mt19937 random(12345);
    std::string old = folder.read(kLastRunFileName);
    // How long a whole run takes, so that the kills spread over all of it.
    const auto start = std::chrono::steady_clock::now();
    const Driver timing = startDriver(folder, "1", 0, output);
    ASSERT_GT(timing.pid, 0);
    ASSERT_EQ(waitFor(timing), 0);
    const auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    old = folder.read(kLastRunFileName);
    ASSERT_EQ(savedVoltage(old), "1");

    int killedBefore = 0, replaced = 0;
    for (int cycle = 0; cycle < 200; ++cycle) {
        const std::string voltage = std::to_string(100 + cycle);
        const Driver driver = startDriver(folder, voltage, random() % 2000, output);
        ASSERT_GT(driver.pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (runMicros + 2000)));
        kill(driver.pid, SIGKILL);
        waitFor(driver);
        const std::string now = folder.read(kLastRunFileName);
        if (now == old) {
            ++killedBefore;
            continue;
        }
        ASSERT_EQ(savedVoltage(now), voltage) << "cycle " << cycle << ": a torn or foreign file";
        ++replaced;
        old = now;
    }
    std::printf("kills before the replace: %d, after it: %d\n", killedBefore, replaced);
    EXPECT_GT(killedBefore, 0);
    EXPECT_GT(replaced, 0);
}

TEST(CloseKill, TwoInstancesWithSlowedSavesLeaveOneWholeFileAndTellTheTruth)
{
    for (int round = 0; round < 5; ++round) {
        ProgramFolder folder;
        folder.writeExample();
        const Driver first = startDriver(folder, "111", 200000, folder.file("first.out"));
        const Driver second = startDriver(folder, "222", 200000, folder.file("second.out"));
        ASSERT_GT(first.pid, 0);
        ASSERT_GT(second.pid, 0);
        EXPECT_EQ(waitFor(first), 0);
        EXPECT_EQ(waitFor(second), 0);
        // Both said they saved and neither showed a message: both saves happened, the later
        // one is what stands.
        EXPECT_EQ(folder.read("first.out"), "exit 0\n");
        EXPECT_EQ(folder.read("second.out"), "exit 0\n");
        const std::string voltage = savedVoltage(folder.read(kLastRunFileName));
        EXPECT_TRUE(voltage == "111" || voltage == "222") << "a torn file";
    }
}

} // namespace
} // namespace ferrolux::testing
