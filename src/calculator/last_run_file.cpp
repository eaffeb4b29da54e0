#include "last_run_file.h"

#include "number_text.h"
#include "record_file.h"

#include <array>
#include <cstdint>
#include <type_traits>

namespace ferrolux {

namespace {

constexpr int kTypeRecord = 23;
constexpr int kLoadingRecord = 30;

constexpr std::size_t kTextRecordCount = 27;

// The text members of the file in record order: records 2..22, then 24..29. `Run` is LastRun
// or const LastRun, so readers and the writer share the one order.
template <typename Run> auto textRecords(Run &run)
{
    using Text = std::conditional_t<std::is_const_v<Run>, const std::string, std::string>;
    std::array<Text *, kTextRecordCount> members{};
    std::size_t next = 0;
    members[next++] = &run.primaryVoltage;
    members[next++] = &run.primaryResistance;
    members[next++] = &run.secondaryCount;
    for (auto &row : run.secondaries) {
        members[next++] = &row.voltage;
        members[next++] = &row.resistance;
        members[next++] = &row.current;
    }
    for (Text *member : {&run.x, &run.y, &run.z, &run.a, &run.b, &run.c}) {
        members[next++] = member;
    }
    return members;
}

// Position of record `record` (2..22 or 24..29) in textRecords().
std::size_t textIndex(int record)
{
    return static_cast<std::size_t>(record < kTypeRecord ? record - 2 : record - 3);
}

std::string quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

// Converts the field of record 1, 23 or 30 into `run`; returns the failure reason or "".
std::string convertValueRecord(int record, const std::string &field, LastRun &run)
{
    if (record == 1) {
        const std::optional<bool> flag = textToTruth(field);
        if (!flag) {
            return "record 1 (example flag): " + quoted(field) + " is not a truth value";
        }
        run.example = *flag;
        return {};
    }
    const char *name = record == kTypeRecord ? "type code" : "loading check box";
    const std::string prefix = "record " + std::to_string(record) + " (" + name + "): ";
    const std::optional<double> number = textToNumber(field);
    if (!number) {
        return prefix + quoted(field) + " is too large a number";
    }
    const std::optional<std::int16_t> whole = roundToInt16(*number);
    if (!whole) {
        return prefix + quoted(field) + " is outside the 16-bit whole numbers";
    }
    if (record == kTypeRecord) {
        run.typeCode = *whole;
        return {};
    }
    if (*whole < 0 || *whole > 2) {
        return prefix + "value " + std::to_string(*whole) + " is not 0, 1 or 2";
    }
    run.loading = *whole;
    return {};
}

} // namespace

LastRunLoad readLastRun(std::string_view fileBytes)
{
    LastRunLoad load;
    RecordReader reader(fileBytes);
    for (int record = 1; record <= kLastRunRecordCount; ++record) {
        std::optional<std::string> field = reader.nextField();
        if (!field) {
            load.failure = "record " + std::to_string(record) + ": " + reader.lastError();
            return load;
        }
        if (record == 1 || record == kTypeRecord || record == kLoadingRecord) {
            load.failure = convertValueRecord(record, *field, load.values);
            if (!load.failure.empty()) {
                return load;
            }
        } else {
            *textRecords(load.values)[textIndex(record)] = std::move(*field);
        }
        load.recordsRead = record;
    }
    return load;
}

std::string lastRunFileBytes(const LastRun &values)
{
    const auto texts = textRecords(values);
    RecordWriter writer;
    writer.truth(values.example);
    for (int record = 2; record < kTypeRecord; ++record) {
        writer.text(*texts[textIndex(record)]);
    }
    writer.integer(values.typeCode);
    for (int record = kTypeRecord + 1; record < kLoadingRecord; ++record) {
        writer.text(*texts[textIndex(record)]);
    }
    writer.integer(values.loading);
    return writer.bytes();
}

} // namespace ferrolux
