#pragma once

// A design: every input the program keeps, as one value. The 30 records of the last-run file
// (the texts the form holds, the type and the check box), the extension block after them
// (thermal inputs, load kinds and DC currents, keys this version does not know), and the
// slots for what later versions add beside them. The last-run file and a named design file are
// the same format, read and written here only.

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

// Slots for inputs still to come. Each is empty until its feature fills it in; a design that
// holds none of them is saved exactly as before. They are not read from or written to the
// file yet.
//
// Measurements taken on the built transformer (temperature rise and the like).
struct Measurements
{
    bool operator==(const Measurements &) const = default;
};
// The core lamination the transformer is wound on.
struct Lamination
{
    bool operator==(const Lamination &) const = default;
};

struct Design
{
    LastRun run;         // the 30 records
    DesignExtras extras; // the extension block

    // The supply each secondary feeds (secondary_supply.h), saved in the extension block.
    // Element i belongs to secondary i+1; nullopt where no supply is given.
    SecondarySupplies supplies{};
    std::optional<Measurements> measurements;
    std::optional<Lamination> lamination;

    bool operator==(const Design &) const = default;
};

// What a read of a design file gave. The design holds the records read (later ones keep their
// defaults) and the extension block; `failure` says why reading stopped before record 30.
struct DesignFileRead
{
    Design design;
    int recordsRead = 0;
    std::string failure;
    // Supplies whose records did not read (kept as written), one line each.
    std::vector<std::string> supplyProblems;

    bool complete() const { return recordsRead == kLastRunRecordCount; }
};

// Reads the 30 records and the extension block after them.
DesignFileRead readDesignFile(std::string_view fileBytes);

// The file for a design: the 30 records (record 1 from `design.run.example`), then the
// extension block only when it holds something other than the defaults. So a design that uses
// none of the block is saved byte for byte as the 30 records alone, which every older reader
// takes; one that uses it keeps it. The last run and named designs are saved by this one rule.
std::string designFileBytes(const Design &design);

} // namespace ferrolux
