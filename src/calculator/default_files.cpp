#include "default_files.h"

#include "constants_file.h"
#include "file_helpers.h"
#include "record_file.h"

#include <string>

namespace ferrolux {

LastRun exampleLastRun()
{
    return LastRun{
        .example = true,
        .primaryVoltage = "117",
        .primaryResistance = "2.05",
        .secondaryCount = "4",
        .secondaries = {{{"350", "67.4", "0"},
                         {"40.0", "7.60", "0"},
                         {"5.297", "99.0e-3", "3.0"},
                         {"6.65", "122e-3", "0"},
                         {"0", "0", "0"},
                         {"0", "0", "0"}}},
        .typeCode = static_cast<int>(TransformerType::ShieldedSubMount),
        .x = "11.3",
        .y = "9.6",
        .z = "9.7",
        .a = "4.0",
        .b = "8.4",
        .c = "6.4",
        .loading = 1,
    };
}

std::string exampleLastRunFileBytes()
{
    // Unlike Close, the shipped example holds the type and the check box as plain text
    // records ("3", "1"), not as integer records (" 3 ", " 1 ").
    const LastRun run = exampleLastRun();
    RecordWriter writer;
    writer.truth(run.example);
    writer.text(run.primaryVoltage);
    writer.text(run.primaryResistance);
    writer.text(run.secondaryCount);
    for (const SecondaryTexts &row : run.secondaries) {
        writer.text(row.voltage);
        writer.text(row.resistance);
        writer.text(row.current);
    }
    writer.text(std::to_string(run.typeCode));
    for (const std::string *text : {&run.x, &run.y, &run.z, &run.a, &run.b, &run.c}) {
        writer.text(*text);
    }
    writer.text(std::to_string(run.loading));
    return writer.bytes();
}

std::string defaultConstantsFileBytes()
{
    RecordWriter writer;
    writer.text("Plate winding percent dissipation for an open core transformer.");
    writer.text("2.5");
    writer.text("Filament winding percent dissipation for an open core transformer.");
    writer.text("4.5");
    writer.text("Plate winding percent dissipation for a potted transformer.");
    writer.text("1.5");
    writer.text("Filament winding percent dissipation for a potted transformer.");
    writer.text("2.5");
    return writer.bytes();
}

namespace {

// Creates `path` with `bytes` unless something stands there already, which is kept as it is:
// another start of the program may have seeded the folder a moment ago.
std::string createIfMissing(const std::string &path, const std::string &bytes)
{
    SaveOptions options;
    options.createOnly = true;
    const SaveResult result = saveFile(path, bytes, options);
    return result.ok() ? std::string() : result.reason;
}

} // namespace

std::string WriteDefaultFiles(const std::string &appFolder)
{
    // The constants go first and the last-run file, which marks the folder as set up, last:
    // should either write fail, the next start seeds the folder again instead of running
    // without its constants. A constants file that exists, readable or not, is never touched.
    if (!pathExists(appFolder + kConstantsFileName)) {
        const std::string failure =
            createIfMissing(appFolder + kConstantsFileName, defaultConstantsFileBytes());
        if (!failure.empty()) {
            return failure;
        }
    }
    return createIfMissing(appFolder + kLastRunFileName, exampleLastRunFileBytes());
}

std::string seedFirstStart(const std::string &appFolder)
{
    // Exists means exists: a last-run file that cannot be read is reported by the window at
    // start and is never replaced here.
    if (pathExists(appFolder + kLastRunFileName)) {
        return {};
    }
    return WriteDefaultFiles(appFolder);
}

} // namespace ferrolux
