#pragma once

// The last-run file "Ferrolux.DAT": 30 records holding the inputs of the last run.

#include "secondary_texts.h"

#include <optional>
#include <string>
#include <string_view>

namespace ferrolux {

inline constexpr const char *kLastRunFileName = "Ferrolux.DAT";
constexpr int kLastRunRecordCount = 30;

struct LastRun
{
    bool example = false;          // record 1
    std::string primaryVoltage;    // record 2, TxtPriV
    std::string primaryResistance; // record 3, TxtPriR
    std::string secondaryCount;    // record 4, TxtNoSec
    SecondaryRows secondaries;     // records 5..22: voltage, resistance, current per row
    int typeCode = 0;              // record 23, 0..4 (other values select nothing)
    std::string x, y, z, a, b, c;  // records 24..29
    int loading = 0;               // record 30: 0 unchecked, 1 checked, 2 grayed

    bool operator==(const LastRun &) const = default;
};

// What a read of the last-run file produced. Records 1..recordsRead were read and converted
// and their values stand in `values`; later members keep their defaults. When recordsRead is
// below 30, `failure` names the record that failed and why.
struct LastRunLoad
{
    LastRun values;
    int recordsRead = 0;
    std::string failure;

    bool complete() const { return recordsRead == kLastRunRecordCount; }
};

// Reads at most 30 records; anything after them is never read. Record 1 is taken by
// textToTruth; records 23 and 30 by the text-to-number rule rounded half to even (a text that
// is no number reads 0). A record 1 that is no truth value, a number beyond 16 bits, or a
// check box value other than 0, 1 or 2 stops the reading at that record.
LastRunLoad readLastRun(std::string_view fileBytes);

// The 30 records as Close writes them (record 1 from `values.example`), Latin-1, CR LF.
std::string lastRunFileBytes(const LastRun &values);

} // namespace ferrolux
