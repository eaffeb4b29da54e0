// Close run in a process of its own (close_save_driver), killed at random moments and raced by
// a second instance: the last-run file is always either the old file or a new one, never torn,
// and an instance that says it saved did.

#include "window_fixture.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace ferrolux::testing {
namespace {

// Starts a driver that types `voltage` and presses Close, its output going to `outputFile`.
pid_t startDriver(const ProgramFolder &folder, const std::string &voltage, long delayMicros,
                  const std::string &outputFile)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string arguments[] = {FERROLUX_CLOSE_DRIVER, folder.path().toStdString(), voltage,
                               std::to_string(delayMicros)};
    char *argv[] = {arguments[0].data(), arguments[1].data(), arguments[2].data(),
                    arguments[3].data(), nullptr};
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, FERROLUX_CLOSE_DRIVER, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int waitFor(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// The primary voltage of a last-run file that reads whole, or "" for any other file.
std::string savedVoltage(const std::string &bytes)
{
    std::istringstream in(bytes);
    const LastRunLoad load = readLastRun(in);
    return load.complete() ? load.values.primaryVoltage : std::string();
}

TEST(CloseKill, KilledAtAnyMomentTheFileIsOldOrNew)
{
    ProgramFolder folder;
    folder.writeExample();
    const std::string output = folder.file("driver.out");
    // How long a whole run takes, so that the kills spread over all of it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(waitFor(startDriver(folder, "1", 0, output)), 0);
    const auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    std::string old = folder.read(kLastRunFileName);
    ASSERT_EQ(savedVoltage(old), "1");
    std::mt19937 random(12345);
    int killedBefore = 0, replaced = 0;
    for (int cycle = 0; cycle < 200; ++cycle) {
        const std::string voltage = std::to_string(100 + cycle);
        const pid_t driver = startDriver(folder, voltage, random() % 2000, output);
        ASSERT_GT(driver, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (runMicros + 2000)));
        kill(driver, SIGKILL);
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
        const pid_t first = startDriver(folder, "111", 200000, folder.file("first.out"));
        const pid_t second = startDriver(folder, "222", 200000, folder.file("second.out"));
        EXPECT_EQ(waitFor(first), 0);
        EXPECT_EQ(waitFor(second), 0);
        // Both said they saved and neither showed a message; the later save is what stands.
        EXPECT_EQ(folder.read("first.out"), "exit 0\n");
        EXPECT_EQ(folder.read("second.out"), "exit 0\n");
        const std::string voltage = savedVoltage(folder.read(kLastRunFileName));
        EXPECT_TRUE(voltage == "111" || voltage == "222") << "a torn file";
    }
}

} // namespace
} // namespace ferrolux::testing
