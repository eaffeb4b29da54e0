// Close run in a process of its own (close_save_driver), killed at random moments: the last-run
// file is always either the old file or a new one, never torn. (Two saves racing each other are
// the core's save tests' concern: the window only hands its bytes to the same save.)

#include "window_fixture.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace ferrolux::testing {
namespace {

// Starts a driver that types `voltage` and presses Close; its output is thrown away.
std::unique_ptr<QProcess> startDriver(const ProgramFolder &folder, const std::string &voltage,
                                      long delayMicros)
{
    auto driver = std::make_unique<QProcess>();
    driver->setStandardOutputFile(QProcess::nullDevice());
    driver->setStandardErrorFile(QProcess::nullDevice());
    driver->start(FERROLUX_CLOSE_DRIVER,
                  {folder.path(), QString::fromStdString(voltage), QString::number(delayMicros)});
    EXPECT_TRUE(driver->waitForStarted());
    return driver;
}

// The primary voltage of a last-run file that reads whole, or "" for any other file.
std::string savedVoltage(const std::string &bytes)
{
    const LastRunLoad load = readLastRun(bytes);
    return load.complete() ? load.values.primaryVoltage : std::string();
}

TEST(CloseKill, KilledAtAnyMomentTheFileIsOldOrNew)
{
    ProgramFolder folder(ProgramFolder::Example);
    // How long a whole run takes, so that the kills spread over all of it.
    const auto start = std::chrono::steady_clock::now();
    const auto first = startDriver(folder, "1", 0);
    ASSERT_TRUE(first->waitForFinished());
    ASSERT_EQ(first->exitCode(), 0);
    const auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    std::string old = folder.read(kLastRunFileName);
    ASSERT_EQ(savedVoltage(old), "1");
    std::mt19937 random(12345);
    int killedBefore = 0, replaced = 0;
    for (int cycle = 0; cycle < 200; ++cycle) {
        const std::string voltage = std::to_string(100 + cycle);
        const auto driver = startDriver(folder, voltage, random() % 2000);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (runMicros + 2000)));
        driver->kill(); // SIGKILL
        driver->waitForFinished();
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
