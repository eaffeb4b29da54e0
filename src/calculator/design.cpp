#include "design.h"

#include "design_bench.h"

namespace ferrolux {

DesignFileRead readDesignFile(std::string_view fileBytes)
{
    const LastRunLoad load = readLastRun(fileBytes);
    DesignFileRead read;
    read.design.run = load.values;
    read.recordsRead = load.recordsRead;
    read.failure = load.failure;
    read.design.extras = readDesignExtras(fileBytes);
    takeBenchRecordsFromExtras(read.design);
    return read;
}

std::string designFileBytes(const Design &design)
{
    std::string bytes = lastRunFileBytes(design.run);
    const DesignExtras extras = extrasWithBenchRecords(design);
    if (extras != DesignExtras{}) {
        bytes += designExtrasBytes(extras);
    }
    return bytes;
}

} // namespace ferrolux
