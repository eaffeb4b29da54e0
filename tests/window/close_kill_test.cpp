// Close run in a process of its own (close_save_driver), killed at random moments: the last-run
// file is always either the old file or a new one, never torn. (Two saves racing each other are
// the core's save tests' concern: the window only hands its bytes to the same save.)

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

// Starts a driver that types `voltage` and presses Close.
pid_t startDriver(const ProgramFolder &folder, const std::string &voltage, long delayMicros)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int output : {1, 2}) {
        posix_spawn_file_actions_addopen(&actions, output, "/dev/null", O_WRONLY, 0);
    }
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
    const LastRunLoad load = readLastRun(bytes);
    return load.complete() ? load.values.primaryVoltage : std::string();
}

TEST(CloseKill, KilledAtAnyMomentTheFileIsOldOrNew)
{
    ProgramFolder folder;
    folder.writeExample();
    // How long a whole run takes, so that the kills spread over all of it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(waitFor(startDriver(folder, "1", 0)), 0);
    const auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    std::string old = folder.read(kLastRunFileName);
    ASSERT_EQ(savedVoltage(old), "1");
    std::mt19937 random(12345);
    int killedBefore = 0, replaced = 0;
    for (int cycle = 0; cycle < 200; ++cycle) {
        const std::string voltage = std::to_string(100 + cycle);
        const pid_t driver = startDriver(folder, voltage, random() % 2000);
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

} // namespace
} // namespace ferrolux::testing
