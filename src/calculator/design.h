#pragma once

// A design: every input the program keeps, as one value. The 30 records of the last-run file
// (the texts the form holds, the type and the check box), the extension block after them
// (thermal inputs, load kinds and DC currents, keys this version does not know), and the
// slots for what later versions add beside them. The last-run file and a named design file are
// the same format, read and written here only.

#include "bench_records.h"
#include "design_extras.h"
#include "last_run_file.h"
#include "secondary_supply.h"
#include "secondary_texts.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolux {

// Beside the 30 records and the block's own values, the design holds what later features
// added: the supply of each secondary, the measurements on the built transformer, the core
// lamination and the load builder's valve list. Each is empty until its feature fills it in,
// and each is kept as records of the extension block, so a design that holds none of them is
// saved exactly as before.
struct Design
{
    LastRun run;         // the 30 records
    DesignExtras extras; // the extension block

    // The supply each secondary feeds (secondary_supply.h), saved in the extension block.
    // Element i belongs to secondary i+1; nullopt where no supply is given.
    SecondarySupplies supplies{};
    // Measured on the built transformer: resistances cold and hot, calibration factors.
    std::optional<RiseMeasurements> measurements;
    // The core lamination the transformer is wound on.
    std::optional<LaminationChoice> lamination;
    // The load builder's valve list, as typed; empty when none.
    std::string valveList;

    bool operator==(const Design &) const = default;
};

// What a read of a design file gave. The design holds the records read (later ones keep their
// defaults) and the extension block; `failure` says why reading stopped before record 30.
struct DesignFileRead
{
    Design design;
    int recordsRead = 0;
    std::string failure;

    bool complete() const { return recordsRead == kLastRunRecordCount; }
};

// Reads the 30 records and the extension block after them.
DesignFileRead readDesignFile(std::string_view fileBytes);

// The file for a design: the 30 records (record 1 from `design.run.example`), then the
// extension block only when it holds something other than the defaults. So a design that uses
// none of the block is saved byte for byte as the 30 records alone, which every older reader
// takes; one that uses it keeps it. The last run and named designs are saved by this one rule.
std::string designFileBytes(const Design &design);

// What in the design's block did not read, one line each: values of known keys, then the
// supplies whose records are kept as written (read again, they give the same reason). The
// window's notice and the report tool's warnings both show these.
std::vector<std::string> designProblems(const Design &design);

} // namespace ferrolux
