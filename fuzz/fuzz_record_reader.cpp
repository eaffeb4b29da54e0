// The record reader on arbitrary bytes, read as a field stream, as a last-run file and as a
// constants file. Besides surviving any input, what the readers return must be consistent,
// and whatever a last-run file gave must survive a save and a reload unchanged.

#include "constants_file.h"
#include "fuzz_checks.h"
#include "last_run_file.h"
#include "record_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using ferrolux::fuzz::check;

void readFieldStream(const std::string &bytes)
{
    ferrolux::RecordReader reader(bytes);
    int fields = 0;
    // Every field consumes at least one byte (its line end or comma), so the loop is bounded.
    while (const auto field = reader.nextField()) {
        ++fields;
        // A Latin-1 byte becomes at most two UTF-8 bytes.
        check(field->size() <= 2 * ferrolux::RecordReader::kMaxFieldLength, "field too long");
        check(fields <= static_cast<int>(bytes.size()), "more fields than bytes");
    }
    check(!reader.lastError().empty(), "a failed read gave no reason");
    const std::string reason = reader.lastError();
    check(!reader.nextField().has_value(), "a read after a failure succeeded");
    check(reader.lastError() == reason, "the failure reason changed on a later read");
}

void readAsLastRun(const std::string &bytes)
{
    const ferrolux::LastRunLoad load = ferrolux::readLastRun(bytes);
    check(load.recordsRead >= 0 && load.recordsRead <= ferrolux::kLastRunRecordCount,
          "records read out of range");
    check(load.complete() == load.failure.empty(), "failure text disagrees with completeness");
    check(load.values.loading >= 0 && load.values.loading <= 2, "check box value outside 0..2");

    // Whatever was read, saved again, must read back whole and save to the same bytes: the
    // writer never produces a record the reader splits or merges.
    const std::string saved = ferrolux::lastRunFileBytes(load.values);
    const ferrolux::LastRunLoad reloaded = ferrolux::readLastRun(saved);
    check(reloaded.complete(), "a saved file does not read back whole", reloaded.failure);
    check(ferrolux::lastRunFileBytes(reloaded.values) == saved, "save, load, save changed bytes");
}

void readAsConstants(const std::string &bytes)
{
    const ferrolux::ConstantsLoad load = ferrolux::readConstants(bytes);
    check(load.valuesRead >= 0 && load.valuesRead <= 4, "constants read out of range");
    check((load.valuesRead == 4) == load.failure.empty(), "failure text disagrees with count");
    for (int i = 0; i < load.valuesRead; ++i) {
        check(std::isfinite(load.values[static_cast<std::size_t>(i)]), "constant not finite");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    readFieldStream(bytes);
    readAsLastRun(bytes);
    readAsConstants(bytes);
    return 0;
}
