#include "design.h"

#include "design_bench.h"

#include <utility>

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
    SuppliesFromBlock supplies = suppliesFromRecords(read.design.extras.keptRecords);
    read.design.supplies = supplies.supplies;
    read.design.extras.keptRecords = std::move(supplies.otherRecords);
    return read;
}

std::string designFileBytes(const Design &design)
{
    std::string bytes = lastRunFileBytes(design.run);
    DesignExtras extras = extrasWithBenchRecords(design);
    if (extras != DesignExtras{} || hasSupplies(design.supplies)) {
        // The supplies' records follow the block's others; kept records of a secondary that
        // now has a supply give way to it.
        extras.keptRecords = withoutSupplyRecords(extras.keptRecords, design.supplies);
        bytes += designExtrasBytes(extras) + suppliesBytes(design.supplies);
    }
    return bytes;
}

std::vector<std::string> designProblems(const Design &design)
{
    std::vector<std::string> problems = designExtrasProblems(design.extras);
    for (std::string &problem : suppliesFromRecords(design.extras.keptRecords).problems) {
        problems.push_back(std::move(problem));
    }
    return problems;
}

} // namespace ferrolux
