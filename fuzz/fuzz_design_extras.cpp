// The extension block after record 30: arbitrary bytes after the worked example's 30 records
// and the block's marker. Reading the writer's output must give back what was read, writing
// that again must give the same bytes, and every record that was not understood must come
// back byte for byte.

#include "default_files.h"
#include "design_extras.h"
#include "fuzz_checks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using ferrolux::fuzz::check;

const std::string &thirtyRecords()
{
    static const std::string bytes = ferrolux::exampleLastRunFileBytes();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view block(reinterpret_cast<const char *>(data), size);
    const std::string file =
        thirtyRecords() + std::string(ferrolux::kDesignExtrasMarker) + "\r\n" + std::string(block);
    const ferrolux::DesignExtras first = ferrolux::readDesignExtras(file);
    const std::string written = ferrolux::designExtrasBytes(first);
    check(written.find(first.keptRecords) != std::string::npos, "kept records not written whole");
    const ferrolux::DesignExtras second = ferrolux::readDesignExtras(thirtyRecords() + written);
    check(second == first, "the written block reads back differently", written);
    check(ferrolux::designExtrasBytes(second) == written, "writing twice gives other bytes",
          written);
    for (const std::string &problem : ferrolux::designExtrasProblems(second)) {
        check(!problem.empty(), "an empty problem line");
    }
    return 0;
}
