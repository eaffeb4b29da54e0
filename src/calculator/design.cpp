#include "design.h"

namespace ferrolux {

DesignFileRead readDesignFile(std::string_view fileBytes)
{
    const LastRunLoad load = readLastRun(fileBytes);
    DesignFileRead read;
    read.design.run = load.values;
    read.recordsRead = load.recordsRead;
    read.failure = load.failure;
    read.design.extras = readDesignExtras(fileBytes);
    return read;
}

std::string designFileBytes(const Design &design)
{
    std::string bytes = lastRunFileBytes(design.run);
    if (design.extras != DesignExtras{}) {
        bytes += designExtrasBytes(design.extras);
    }
    return bytes;
}

} // namespace ferrolux
