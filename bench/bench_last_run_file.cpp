// Reading and writing the last-run file as the window does it: the whole file with opening and
// closing (reading into the 30 fields; writing to a temporary file that replaces the old one),
// and the record work alone, without the file system.

#include "default_files.h"
#include "file_helpers.h"
#include "last_run_file.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

namespace {

using namespace ferrolux;

// A folder of its own under the system's temporary folder, removed at the end.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::random_device seed;
        m_path =
            std::filesystem::temp_directory_path() / ("ferrolux-bench-" + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    std::string file(const char *name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void BM_ReadLastRunFile(benchmark::State &state)
{
    const ScratchFolder folder;
    const std::string path = folder.file(kLastRunFileName);
    if (!writeFileAtomically(path, exampleLastRunFileBytes()).empty()) {
        state.SkipWithError("cannot write the last-run file");
        return;
    }
    for (auto _ : state) {
        const FileRead file = readRegularFile(path, kMaxDataFileBytes);
        LastRunLoad load = readLastRun(file.bytes);
        if (!load.complete()) {
            state.SkipWithError("the last-run file did not read whole");
            break;
        }
        benchmark::DoNotOptimize(load);
    }
}

void BM_WriteLastRunFile(benchmark::State &state)
{
    const ScratchFolder folder;
    const std::string path = folder.file(kLastRunFileName);
    LastRun run = exampleLastRun();
    run.example = false;
    for (auto _ : state) {
        const std::string failure = writeFileAtomically(path, lastRunFileBytes(run));
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
    }
}

void BM_ParseLastRunRecords(benchmark::State &state)
{
    const std::string bytes = exampleLastRunFileBytes();
    for (auto _ : state) {
        LastRunLoad load = readLastRun(bytes);
        benchmark::DoNotOptimize(load);
    }
}

void BM_BuildLastRunRecords(benchmark::State &state)
{
    const LastRun run = exampleLastRun();
    for (auto _ : state) {
        std::string bytes = lastRunFileBytes(run);
        benchmark::DoNotOptimize(bytes);
    }
}

} // namespace

BENCHMARK(BM_ReadLastRunFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteLastRunFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseLastRunRecords)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildLastRunRecords)->Unit(benchmark::kMicrosecond);
